// Wheel steps of a control, bracketed in one edit: the first step begins it,
// and it ends once no step has come for a while, or when a click comes.
#pragma once

#include "../cbuttonstate.h"
#include "../cvstguitimer.h"

#include <cstdint>

namespace VSTGUI {

class CControl;

class CMouseWheelEditingSupport
{
public:
	// How long an edit stays open after the last step, in milliseconds.
	static constexpr uint32_t kEditEndDelay = 500;

protected:
	CMouseWheelEditingSupport () = default;
	// A copy has no edit open.
	CMouseWheelEditingSupport (const CMouseWheelEditingSupport&) {}
	virtual ~CMouseWheelEditingSupport () noexcept = default;

	// Moves the normalized value of `control` by `distance` times
	// `increment`, a tenth of that with the zoom modifier, inside the wheel's
	// edit. False when the control takes no mouse input.
	bool onWheelStep (CControl* control, float distance, float increment, const CButtonState& buttons);
	// Begins the edit of `control` on the first step, and puts off its end
	// on every step.
	void onMouseWheelEditing (CControl* control);
	// Drops the timer, and ends one edit of `control` if it is editing.
	void invalidMouseWheelEditTimer (CControl* control);

	// The timer that ends the edit, while one is open.
	CVSTGUITimer* getMouseWheelEditTimer () const { return timer; }

private:
	SharedPointer<CVSTGUITimer> timer;
};

} // VSTGUI
