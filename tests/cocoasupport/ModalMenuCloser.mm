#import "ModalMenuCloser.h"

#include <utility>

// The timer's target, which also hears when a menu begins to track the
// mouse; both carry the closer.
@interface TolvikModalMenuCloserTarget : NSObject
{
	NSValue* closer;
}
- (id)initWithCloser:(NSValue*)aCloser;
- (void)fire:(NSTimer*)timer;
- (void)menuDidBeginTracking:(NSNotification*)notification;
@end

@implementation TolvikModalMenuCloserTarget
- (id)initWithCloser:(NSValue*)aCloser
{
	if ((self = [super init]))
		closer = [aCloser retain];
	return self;
}

- (void)dealloc
{
	[closer release];
	[super dealloc];
}

- (void)fire:(NSTimer*)timer
{
	static_cast<Tolvik::Testing::ModalMenuCloser*> ([[timer userInfo] pointerValue])->fire ();
}

- (void)menuDidBeginTracking:(NSNotification*)notification
{
	if ([notification object])
		static_cast<Tolvik::Testing::ModalMenuCloser*> ([closer pointerValue])->menuBeganTracking ();
}
@end

namespace Tolvik::Testing {

namespace {

constexpr NSTimeInterval kInterval = 0.1;
// How many firings wait for a menu to begin tracking before plain mouse-ups
// end whatever tracks the mouse, and how many pass between two of those: a
// busy machine may take a while to hand a posted mouse-up to the menu.
constexpr int kPatience = 50;
constexpr int kRepeat = 10;

} // namespace

ModalMenuCloser::ModalMenuCloser (NSWindow* window, std::function<NSMenu* ()> shownMenu, NSInteger choice,
                                  std::function<void ()> whileShown)
: window (window), shownMenu (std::move (shownMenu)), choice (choice), whileShown (std::move (whileShown))
{
	NSValue* carried = [NSValue valueWithPointer:this];
	target = [[TolvikModalMenuCloserTarget alloc] initWithCloser:carried];
	[[NSNotificationCenter defaultCenter] addObserver:target
	                                         selector:@selector (menuDidBeginTracking:)
	                                             name:NSMenuDidBeginTrackingNotification
	                                           object:nil];
	// Timers of the other modes do not fire while a menu tracks the mouse.
	timer = [[NSTimer timerWithTimeInterval:kInterval target:target selector:@selector (fire:) userInfo:carried
	                                repeats:YES] retain];
	[[NSRunLoop currentRunLoop] addTimer:timer forMode:NSEventTrackingRunLoopMode];
}

// A mouse-up that no menu took stays out of later events and menus.
ModalMenuCloser::~ModalMenuCloser ()
{
	[[NSNotificationCenter defaultCenter] removeObserver:target];
	[timer invalidate];
	[timer release];
	[target release];
	while ([NSApp nextEventMatchingMask:NSLeftMouseUpMask
	                          untilDate:[NSDate distantPast]
	                             inMode:NSDefaultRunLoopMode
	                            dequeue:YES])
		;
}

// The run loop may run in the tracking mode a while before the menu is on
// screen, on a busy machine: until a menu has begun tracking, a firing only
// waits.
void ModalMenuCloser::fire ()
{
	++fired;
	if (!tracking && fired < kPatience)
		return;
	if (!std::exchange (acted, true))
	{
		if (tracking && whileShown)
			whileShown ();
		NSMenu* menu = shownMenu ? shownMenu () : nil;
		if (tracking && menu && choice >= 0)
			[[menu menuRepresentation] setHighlightedItemIndex:choice];
	}
	else if (++sincePosted < kRepeat)
		return;
	sincePosted = 0;
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

void ModalMenuCloser::menuBeganTracking ()
{
	tracking = true;
}

} // Tolvik::Testing
