// The buttons and modifier keys of a Cocoa mouse event, as the frame takes
// them.
#pragma once

#include "../../../cbuttonstate.h"

@class NSEvent;

namespace VSTGUI {

// The event's button (the left button with the Control key down counts as the
// right button) and its Shift, Command and Option keys; a mouse-down with a
// click count of exactly 2 is also a double-click.
CButtonState buttonStateOfMouseEvent (NSEvent* event);
// The modifier keys alone, for events that no button makes.
CButtonState modifierStateOfEvent (NSEvent* event);

} // VSTGUI
