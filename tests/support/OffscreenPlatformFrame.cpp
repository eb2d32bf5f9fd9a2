#include "OffscreenPlatformFrame.h"
#include "OpenOnPlatform.h"

#include "lib/platform/mac/cgdrawcontext.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

SharedPointer<COffscreenContext> OffscreenPlatformFrame::createOffscreenContext (CCoord width, CCoord height,
                                                                                double scaleFactor)
{
	requests.push_back ({width, height, scaleFactor});
	return makesContexts ? createCGOffscreenContext (width, height, scaleFactor) : nullptr;
}

SharedPointer<OffscreenPlatformFrame> openOnOffscreenPlatform (CFrame& frame)
{
	return openOnPlatform<OffscreenPlatformFrame> (frame);
}

} // Tolvik::Testing
