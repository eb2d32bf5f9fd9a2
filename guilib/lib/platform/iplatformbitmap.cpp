#include "iplatformbitmap.h"
#include "iplatformfactory.h"

namespace VSTGUI {

SharedPointer<IPlatformBitmap> IPlatformBitmap::create (CPoint* size)
{
	return getPlatformFactory ().createBitmap (size);
}

} // VSTGUI
