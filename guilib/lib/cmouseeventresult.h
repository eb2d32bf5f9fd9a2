// What a mouse handler answers.
#pragma once

namespace VSTGUI {

enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled = 1,
	kMouseEventNotHandled = 2,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3
};

// "Not implemented" and "not handled" leave the event to someone else; every
// other answer ends it.
constexpr bool isMouseEventHandled (CMouseEventResult result)
{
	return result != kMouseEventNotImplemented && result != kMouseEventNotHandled;
}

} // VSTGUI
