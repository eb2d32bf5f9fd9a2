#include "iplatformframe.h"

namespace VSTGUI {

static PlatformFrameFactory platformFrameFactory = nullptr;

void setPlatformFrameFactory (PlatformFrameFactory factory)
{
	platformFrameFactory = factory;
}

PlatformFrameFactory getPlatformFrameFactory ()
{
	return platformFrameFactory;
}

} // VSTGUI
