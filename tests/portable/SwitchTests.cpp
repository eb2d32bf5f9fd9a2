// Switches driven through the frame's platform entries: the step under the
// mouse, the drag over steps, the cancel; and the frame they draw.
#include "Canvas.h"
#include "FrameSheet.h"
#include "ControlTestSupport.h"

#include "lib/cframe.h"
#include "lib/controls/cswitch.h"

#include <gtest/gtest.h>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

SharedPointer<CBitmap> threeFrames (uint32_t width, uint32_t height)
{
	return makeSolidStrip (width, height, {kStripColours[0], kStripColours[1], kStripColours[2]});
}

// Three steps along 60 points, from the view's top (or left) edge at 40.
TEST (Switch, TakesTheStepUnderTheMouseAndTheStepsItIsDraggedOver)
{
	struct Case
	{
		const char* what;
		bool vertical;
		double along; // from the frame's edge
		float value;
	};
	const Case cases[] = {
	    {"vertical, first step", true, 40, 0.f},    {"vertical, second step", true, 60, 0.5f},
	    {"vertical, last pixel of the second", true, 79.5, 0.5f},
	    {"vertical, third step", true, 80, 1.f},   {"horizontal, first step", false, 59, 0.f},
	    {"horizontal, third step", false, 99, 1.f},
	};
	for (const auto& c : cases)
	{
		ControlFrame rig;
		RecordingControlListener listener;
		CSwitchBase* control;
		if (c.vertical)
			control = rig.add (new CVerticalSwitch (CRect (20, 40, 40, 100), &listener, 5, threeFrames (20, 60)));
		else
			control = rig.add (new CHorizontalSwitch (CRect (40, 20, 100, 40), &listener, 5, threeFrames (60, 20)));
		control->setValue (0.5f);
		const CPoint where = c.vertical ? CPoint (30, c.along) : CPoint (c.along, 30);
		EXPECT_EQ (rig.down (where, kLButton), kMouseEventHandled) << c.what;
		EXPECT_EQ (control->getValue (), c.value) << c.what;
		EXPECT_EQ (listener.count ("valueChanged"), c.value == 0.5f ? 0u : 1u) << c.what;

		const CPoint last = c.vertical ? CPoint (30, 99) : CPoint (99, 30);
		rig.move (last, kLButton);
		EXPECT_EQ (control->getValue (), 1.f) << c.what;
		EXPECT_EQ (rig.edits (), (Names {"beginEdit 5"})) << c.what;
		rig.up (last, kLButton);
		EXPECT_EQ (rig.edits (), (Names {"beginEdit 5", "endEdit 5"})) << c.what;
	}
}

// Any press with the left button takes a step, whatever else comes with it.
TEST (Switch, TakesEveryPressWithTheLeftButton)
{
	const std::pair<int32_t, CMouseEventResult> cases[] = {{kLButton | kMButton | kAlt, kMouseEventHandled},
	                                                       {kRButton, kMouseEventNotHandled},
	                                                       {kMButton, kMouseEventNotHandled}};
	for (const auto& [buttons, result] : cases)
	{
		ControlFrame rig;
		auto control = rig.add (new CVerticalSwitch (CRect (20, 40, 40, 100), nullptr, 5, threeFrames (20, 60)));
		EXPECT_EQ (rig.down (CPoint (30, 90), buttons), result) << buttons;
		EXPECT_EQ (control->getValue (), result == kMouseEventHandled ? 1.f : 0.f) << buttons;
	}
}

TEST (Switch, ACancelPutsTheStepBack)
{
	ControlFrame rig;
	auto control = rig.add (new CVerticalSwitch (CRect (20, 40, 40, 100), nullptr, 5, threeFrames (20, 60)));
	rig.down (CPoint (30, 90), kLButton);
	EXPECT_EQ (control->getValue (), 1.f);
	rig.frame->onMouseCancel ();
	EXPECT_EQ (control->getValue (), 0.f);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 5", "endEdit 5"}));
}

// The frames sit one below the other whatever way the switch runs.
TEST (Switch, DrawsTheFrameOfItsStep)
{
	CHorizontalSwitch control (CRect (10, 10, 40, 20), nullptr, 0, threeFrames (30, 10));
	for (const auto& [value, frame] : {std::pair (0.f, 0), std::pair (0.5f, 1), std::pair (1.f, 2)})
	{
		Canvas canvas (50, 30);
		control.setValue (value);
		control.draw (&canvas.context ());
		EXPECT_EQ (frameOfColour (canvas.wordAt (25, 15)), frame) << value;
		EXPECT_FALSE (canvas.drawnOutside (control.getViewSize ())) << value;
	}
}

} // namespace
