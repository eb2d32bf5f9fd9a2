#include "cgplatformfactory.h"

#include "../iplatformframe.h"
#include "../iplatformtimer.h"
#include "cgbitmap.h"

namespace VSTGUI {

SharedPointer<IPlatformFrame> CGPlatformFactory::createFrame (IPlatformFrameCallback*, const CRect&, void*) const
{
	return nullptr;
}

SharedPointer<IPlatformBitmap> CGPlatformFactory::createBitmap (const CPoint* size) const
{
	if (size)
		return makeOwned<CGBitmap> (*size);
	return makeOwned<CGBitmap> ();
}

SharedPointer<IPlatformTimer> CGPlatformFactory::createTimer (IPlatformTimerCallback*) const
{
	return nullptr;
}

} // VSTGUI
