#include "coffscreencontext.h"

#include "cframe.h"
#include "platform/iplatformframe.h"

namespace VSTGUI {

SharedPointer<COffscreenContext> COffscreenContext::create (CFrame* frame, CCoord width, CCoord height,
                                                            double scaleFactor)
{
	if (!(width >= 1.) || !(height >= 1.) || !frame)
		return nullptr;
	auto platformFrame = frame->getPlatformFrame ();
	if (!platformFrame)
		return nullptr;
	return platformFrame->createOffscreenContext (width, height, scaleFactor);
}

} // VSTGUI
