// The platform of the bundles and of hosts that show editors: Core Graphics
// bitmaps, Cocoa platform frames and timers.
#import "cocoatimer.h"
#import "nsviewframe.h"

#import <AppKit/AppKit.h>

#include "../cgplatformfactory.h"

namespace VSTGUI {
namespace {

class CocoaPlatformFactory : public CGPlatformFactory
{
public:
	// `parent` is the NSView that the frame opens in.
	SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback* frame, const CRect& size,
	                                           void* parent) const override
	{
		auto parentView = static_cast<NSView*> (parent);
		if (![parentView isKindOfClass:[NSView class]])
			return nullptr;
		return makeOwned<NSViewFrame> (frame, size, parentView);
	}

	SharedPointer<IPlatformTimer> createTimer (IPlatformTimerCallback* callback) const override
	{
		return makeOwned<CocoaTimer> (callback);
	}
};

} // namespace

const IPlatformFactory& getPlatformFactory ()
{
	static const CocoaPlatformFactory factory;
	return factory;
}

} // VSTGUI
