#include "OffscreenPlatform.h"

#include "lib/platform/mac/cgdrawcontext.h"
#include "lib/platform/mac/cgplatformfactory.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

SharedPointer<COffscreenContext> OffscreenPlatformFrame::createOffscreenContext (CCoord width, CCoord height,
                                                                                double scaleFactor)
{
	requests.push_back ({width, height, scaleFactor});
	return makesContexts ? createCGOffscreenContext (width, height, scaleFactor) : nullptr;
}

namespace {

class OffscreenPlatformFactory : public CGPlatformFactory
{
public:
	SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback*, const CRect&, void*) const override
	{
		made = makeOwned<OffscreenPlatformFrame> ();
		return made;
	}
	mutable SharedPointer<OffscreenPlatformFrame> made;
};

} // namespace

SharedPointer<OffscreenPlatformFrame> openOnOffscreenPlatform (CFrame& frame)
{
	OffscreenPlatformFactory factory;
	int parentView = 0;
	return frame.open (&parentView, factory) ? factory.made : nullptr;
}

} // Tolvik::Testing
