#import "cocoabuttonstate.h"

#import <AppKit/AppKit.h>

namespace VSTGUI {
namespace {

// Cocoa's button numbers: 0 left, 1 right, 2 middle, then the fourth and the
// fifth button. Each event type of the left and the right button stands for
// its button whatever number it carries.
NSInteger buttonNumberOf (NSEvent* event)
{
	switch ([event type])
	{
		case NSLeftMouseDown:
		case NSLeftMouseUp:
		case NSLeftMouseDragged:
			return 0;
		case NSRightMouseDown:
		case NSRightMouseUp:
		case NSRightMouseDragged:
			return 1;
		default:
			return [event buttonNumber];
	}
}

int32_t buttonOf (NSInteger number, NSUInteger modifierFlags)
{
	switch (number)
	{
		case 0:
			return (modifierFlags & NSControlKeyMask) ? kRButton : kLButton;
		case 1:
			return kRButton;
		case 2:
			return kMButton;
		case 3:
			return kButton4;
		case 4:
			return kButton5;
		default:
			return 0;
	}
}

bool isMouseDown (NSEvent* event)
{
	const NSEventType type = [event type];
	return type == NSLeftMouseDown || type == NSRightMouseDown || type == NSOtherMouseDown;
}

} // namespace

CButtonState modifierStateOfEvent (NSEvent* event)
{
	const NSUInteger flags = [event modifierFlags];
	int32_t state = 0;
	if (flags & NSShiftKeyMask)
		state |= kShift;
	if (flags & NSCommandKeyMask)
		state |= kControl;
	if (flags & NSAlternateKeyMask)
		state |= kAlt;
	return CButtonState (state);
}

CButtonState buttonStateOfMouseEvent (NSEvent* event)
{
	int32_t state = modifierStateOfEvent (event) () | buttonOf (buttonNumberOf (event), [event modifierFlags]);
	if (isMouseDown (event) && [event clickCount] == 2)
		state |= kDoubleClick;
	return CButtonState (state);
}

} // VSTGUI
