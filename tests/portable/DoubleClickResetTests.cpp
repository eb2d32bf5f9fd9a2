// Which presses reset a knob, a switch and a slider, as the macOS layer
// fills their button states: the second click of a double-click with any
// modifier, and a single click with Command alone. Control turns the left
// button into the right one, which none of them takes.
#include "ControlTestSupport.h"

#include "lib/cframe.h"
#include "lib/controls/cknob.h"
#include "lib/controls/cslider.h"
#include "lib/controls/cswitch.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// Each control at 0.5 with the default 0, pressed where an ordinary click
// leaves the value alone: a linear knob, a switch on its middle step, a
// vertical slider on its handle.
struct Subject
{
	const char* name;
	std::function<CControl* (ControlFrame&)> make;
	CPoint where;
};

const Subject subjects[] = {
    {"knob",
     [] (ControlFrame& rig) {
	     rig.editor.setKnobMode (kLinearMode);
	     return rig.add (new CKnob (CRect (10, 10, 50, 50), nullptr, 1, nullptr, nullptr));
     },
     {30, 30}},
    {"switch",
     [] (ControlFrame& rig) {
	     return rig.add (new CVerticalSwitch (CRect (60, 10, 80, 70), nullptr, 2, 3, 60, nullptr));
     },
     {70, 40}},
    {"slider",
     [] (ControlFrame& rig) {
	     return rig.add (new CVerticalSlider (CRect (100, 10, 120, 110), nullptr, 3, CPoint (0, 0), 80,
	                                          makeSolidStrip (20, 20, {kStripColours[0]}), nullptr));
     },
     {110, 55}},
};

TEST (DoubleClickReset, ButtonStatesThatReset)
{
	struct Case
	{
		const char* what;
		int32_t buttons;
		bool reset;
		CMouseEventResult result;
	};
	const auto done = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	const Case cases[] = {
	    {"second click of a double-click", kLButton | kDoubleClick, true, done},
	    {"double-click with Shift", kLButton | kShift | kDoubleClick, true, done},
	    {"double-click with Command", kLButton | kControl | kDoubleClick, true, done},
	    {"double-click with Option", kLButton | kAlt | kDoubleClick, true, done},
	    {"double-click with Control: the right button", kRButton | kDoubleClick, false, kMouseEventNotHandled},
	    {"a click with Command alone", kLButton | kControl, true, done},
	    {"a click with Command and Shift", kLButton | kControl | kShift, false, kMouseEventHandled},
	    {"a plain press: the first of a double-click, the third of a triple click", kLButton, false,
	     kMouseEventHandled},
	};
	for (const auto& subject : subjects)
	{
		for (const auto& c : cases)
		{
			ControlFrame rig;
			CControl* control = subject.make (rig);
			control->setDefaultValue (0.f);
			control->setValue (0.5f);
			EXPECT_EQ (rig.down (subject.where, c.buttons), c.result) << subject.name << ", " << c.what;
			EXPECT_EQ (control->getValue (), c.reset ? 0.f : 0.5f) << subject.name << ", " << c.what;
			rig.up (subject.where, c.buttons & CButtonState::kButtonMask);
			EXPECT_FALSE (control->isEditing ()) << subject.name << ", " << c.what;
			const size_t brackets = c.result == kMouseEventNotHandled ? 0 : 1;
			EXPECT_EQ (rig.log->count ("beginEdit"), brackets) << subject.name << ", " << c.what;
			EXPECT_EQ (rig.log->count ("endEdit"), brackets) << subject.name << ", " << c.what;
		}
	}
}

} // namespace
