#include "cgplatformfactory.h"

#include "../iplatformframe.h"
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

} // VSTGUI
