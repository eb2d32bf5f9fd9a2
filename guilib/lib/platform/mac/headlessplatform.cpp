// The platform of programs that draw but show nothing (tests, benchmarks):
// Core Graphics bitmaps, and no platform views, so no frame opens unless the
// caller hands the frame a factory of its own.
#include "cgplatformfactory.h"

namespace VSTGUI {

const IPlatformFactory& getPlatformFactory ()
{
	static const CGPlatformFactory factory;
	return factory;
}

} // VSTGUI
