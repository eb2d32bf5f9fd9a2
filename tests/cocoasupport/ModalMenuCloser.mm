#import "ModalMenuCloser.h"

// The timer's target; the timer carries the closer.
@interface TolvikModalMenuCloserTarget : NSObject
- (void)fire:(NSTimer*)timer;
@end

@implementation TolvikModalMenuCloserTarget
- (void)fire:(NSTimer*)timer
{
	static_cast<Tolvik::Testing::ModalMenuCloser*> ([[timer userInfo] pointerValue])->fire ();
}
@end

namespace Tolvik::Testing {

namespace {

constexpr NSTimeInterval kInterval = 0.1;

} // namespace

ModalMenuCloser::ModalMenuCloser (NSWindow* window, std::function<NSMenu* ()> shownMenu, NSInteger choice,
                                  std::function<void ()> whileShown)
: window (window),
  shownMenu (std::move (shownMenu)),
  choice (choice),
  whileShown (std::move (whileShown)),
  target ([TolvikModalMenuCloserTarget new])
{
	// Timers of the other modes do not fire while a menu tracks the mouse.
	timer = [[NSTimer timerWithTimeInterval:kInterval
	                                 target:target
	                               selector:@selector (fire:)
	                               userInfo:[NSValue valueWithPointer:this]
	                                repeats:YES] retain];
	[[NSRunLoop currentRunLoop] addTimer:timer forMode:NSEventTrackingRunLoopMode];
}

ModalMenuCloser::~ModalMenuCloser ()
{
	[timer invalidate];
	[timer release];
	[target release];
}

void ModalMenuCloser::fire ()
{
	if (fired++ == 0)
	{
		if (whileShown)
			whileShown ();
		NSMenu* menu = shownMenu ? shownMenu () : nil;
		if (menu && choice >= 0)
			[[menu menuRepresentation] setHighlightedItemIndex:choice];
	}
	NSEvent* up = [NSEvent mouseEventWithType:NSLeftMouseUp
	                                 location:NSZeroPoint
	                            modifierFlags:0
	                                timestamp:0
	                             windowNumber:[window windowNumber]
	                                  context:nil
	                              eventNumber:0
	                               clickCount:1
	                                 pressure:1];
	[NSApp postEvent:up atStart:YES];
}

} // Tolvik::Testing
