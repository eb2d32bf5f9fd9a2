// Knobs driven through the frame's platform entries: the double-click reset,
// linear and circular drags, the cancel and the wheel; and what they draw.
#include "Canvas.h"
#include "FrameSheet.h"
#include "ControlTestSupport.h"

#include "lib/cframe.h"
#include "lib/controls/cknob.h"
#include "lib/platform/mac/headlessplatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN ();

class TestKnob : public CKnob
{
public:
	using CKnob::CKnob;
	HeadlessTimer* wheelTimer () const
	{
		auto timer = getMouseWheelEditTimer ();
		return timer ? static_cast<HeadlessTimer*> (timer->getPlatformTimer ()) : nullptr;
	}
};

// A knob of 60 x 60 points at (100, 50) in an open frame, over -1 to 3 with
// the default 1, at 0, drawn; the editor asks for `knobMode`.
struct KnobRig : ControlFrame
{
	explicit KnobRig (int32_t knobMode = kLinearMode)
	{
		editor.setKnobMode (knobMode);
		knob->setMin (-1.f);
		knob->setMax (3.f);
		knob->setDefaultValue (1.f);
		knob->setValue (0.f);
		knob->setDirty (false);
		clearRecords ();
	}
	RecordingControlListener listener;
	TestKnob* knob = add (new TestKnob (CRect (100, 50, 160, 110), &listener, 7, nullptr, nullptr));
	const CPoint centre {130, 80};
	CPoint at (double dx, double dy) const { return CPoint (centre.x + dx, centre.y + dy); }
};

// The click ends with the reset: the editor sees the knob's own bracket,
// the reset nested in it, and no drag follows.
TEST (KnobReset, ADoubleClickResetsAsOneEditAndNoDragFollows)
{
	struct Case
	{
		const char* what;
		float value, defaultValue;
		bool changes;
	};
	const Case cases[] = {
	    {"away from the default", 0.f, 1.f, true},
	    {"at the default", 1.f, 1.f, false},
	    {"NaN default", 0.f, kNaN, true},
	};
	for (const auto& c : cases)
	{
		KnobRig rig;
		rig.knob->setDefaultValue (c.defaultValue);
		rig.knob->setValue (c.value);
		rig.knob->setDirty (false);
		rig.clearRecords ();

		EXPECT_EQ (rig.down (rig.centre, kLButton | kDoubleClick), kMouseDownEventHandledButDontNeedMovedOrUpEvents)
		    << c.what;
		const float reset = rig.knob->getValue ();
		EXPECT_TRUE (std::isnan (c.defaultValue) ? std::isnan (reset) : reset == c.defaultValue) << c.what;
		EXPECT_EQ (rig.edits (), (Names {"beginEdit 7", "endEdit 7"})) << c.what;
		EXPECT_EQ (rig.listener.names (), c.changes ? (Names {"beginEdit", "valueChanged", "endEdit"})
		                                            : (Names {"beginEdit", "endEdit"}))
		    << c.what;
		EXPECT_EQ (rig.knob->isDirty (), c.changes) << c.what;
		EXPECT_EQ (rig.redrawn (rig.knob->getViewSize ()), c.changes) << c.what;

		rig.clearRecords ();
		rig.listener.calls.clear ();
		EXPECT_EQ (rig.move (rig.at (0, -50), kLButton), kMouseEventNotHandled) << c.what;
		rig.up (rig.at (0, -50), kLButton);
		EXPECT_TRUE (rig.edits ().empty ()) << c.what;
		EXPECT_TRUE (rig.listener.calls.empty ()) << c.what;
		EXPECT_FALSE (rig.knob->isEditing ()) << c.what;
	}
}

// Only the left button alone presses or drags a knob; a press of any other,
// alone or with it, is left to the frame.
TEST (KnobButtons, OnlyTheLeftButtonAlonePressesOrDrags)
{
	const int32_t others[] = {kRButton, kMButton, kButton5, kLButton | kMButton, kLButton | kRButton};
	for (const int32_t buttons : others)
	{
		KnobRig rig;
		EXPECT_EQ (rig.down (rig.centre, buttons), kMouseEventNotHandled) << buttons;
		EXPECT_TRUE (rig.edits ().empty ()) << buttons;
	}
	KnobRig rig;
	rig.down (rig.centre, kLButton);
	EXPECT_EQ (rig.move (rig.at (0, -50), kLButton | kRButton), kMouseEventNotHandled);
	EXPECT_EQ (rig.move (rig.at (0, -50), 0), kMouseEventNotHandled);
	EXPECT_EQ (rig.knob->getValue (), 0.f);
	EXPECT_EQ (rig.move (rig.at (0, -50), kLButton | kAlt), kMouseEventHandled);
	EXPECT_EQ (rig.knob->getValue (), 1.f);
}

// 200 pixels of vertical travel cover the range (-1 to 3), 300 with Shift
// held from the mouse-down; sideways travel counts for nothing.
TEST (KnobLinearDrag, FollowsVerticalTravelOnly)
{
	struct Case
	{
		const char* what;
		double dx, dy;
		int32_t buttons;
		float value;
	};
	const Case cases[] = {
	    {"100 pixels up", 0, -100, kLButton, 2.f},
	    {"50 pixels down", 0, 50, kLButton, -1.f},
	    {"200 pixels up, held at the maximum", 0, -200, kLButton, 3.f},
	    {"sideways", 80, 0, kLButton, 0.f},
	    {"40 up and 60 to the left", -60, -40, kLButton, 0.8f},
	    {"150 pixels up with Shift", 0, -150, kLButton | kShift, 2.f},
	};
	for (const auto& c : cases)
	{
		KnobRig rig;
		ASSERT_EQ (rig.down (rig.centre, c.buttons), kMouseEventHandled) << c.what;
		EXPECT_EQ (rig.knob->getValue (), 0.f) << c.what << ": no move at the mouse-down";
		EXPECT_EQ (rig.move (rig.at (c.dx, c.dy), c.buttons), kMouseEventHandled) << c.what;
		EXPECT_NEAR (rig.knob->getValue (), c.value, 1e-5) << c.what;
		EXPECT_EQ (rig.listener.count ("valueChanged"), c.value == 0.f ? 0u : 1u) << c.what;
		EXPECT_EQ (rig.knob->isDirty (), c.value != 0.f) << c.what;
		rig.up (rig.at (c.dx, c.dy), c.buttons);
		EXPECT_EQ (rig.edits (), (Names {"beginEdit 7", "endEdit 7"})) << c.what;
	}
}

TEST (KnobLinearDrag, TheSamePointTwiceChangesNothing)
{
	KnobRig rig;
	rig.down (rig.centre, kLButton);
	rig.move (rig.at (0, -20), kLButton);
	rig.listener.calls.clear ();
	rig.knob->setDirty (false);
	rig.clearRecords ();
	EXPECT_EQ (rig.move (rig.at (0, -20), kLButton), kMouseEventHandled);
	EXPECT_TRUE (rig.listener.calls.empty ());
	EXPECT_FALSE (rig.knob->isDirty ());
	EXPECT_FALSE (rig.redrawn (rig.knob->getViewSize ()));
}

// Shift pressed during the drag changes the rate from where the mouse is,
// without a jump there; releasing it does the same. A press of Shift without
// a move is only seen at the next point.
TEST (KnobLinearDrag, ShiftDuringTheDragRebasesWithoutAJump)
{
	KnobRig rig;
	rig.knob->setMin (0.f);
	rig.knob->setMax (1.f);
	rig.down (rig.centre, kLButton);
	rig.move (rig.at (0, -40), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 0.2f, 1e-6);
	rig.move (rig.at (0, -40), kLButton | kShift);
	rig.move (rig.at (0, -50), kLButton | kShift);
	EXPECT_NEAR (rig.knob->getValue (), 0.25f, 1e-6) << "where the unzoomed drag would be";
	rig.move (rig.at (0, -200), kLButton | kShift);
	EXPECT_NEAR (rig.knob->getValue (), 0.75f, 1e-6) << "150 pixels for half the range";
	rig.move (rig.at (0, -210), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 0.75f + 10.f / 300.f, 1e-6) << "released: where the zoomed drag would be";
	rig.move (rig.at (0, -230), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 0.75f + 10.f / 300.f + 0.1f, 1e-6) << "200 pixels for the range again";
}

// The frame's knob mode picks the drag, and Option picks the other kind: a
// circular knob points at the mouse at once, a relative one moves with the
// angle from where it was.
TEST (KnobModes, TheFramesModeAndOptionPickTheDrag)
{
	struct Case
	{
		const char* what;
		int32_t knobMode;
		int32_t modifiers;
		float afterDown, afterMove;
	};
	// Down right of the centre (5/6 of the range), then 20 down and to the
	// left, at the maximum's end.
	const Case cases[] = {
	    {"linear", kLinearMode, 0, 0.f, -0.4f},
	    {"linear with Option: circular", kLinearMode, kAlt, 7.f / 3.f, 3.f},
	    {"no preference: the default, circular", -1, 0, 7.f / 3.f, 3.f},
	    {"circular with Option: linear", kCircularMode, kAlt, 0.f, -0.4f},
	    {"relative circular", kRelativCircularMode, 0, 0.f, 2.f / 3.f},
	    {"relative circular with Option: linear", kRelativCircularMode, kAlt, 0.f, -0.4f},
	};
	for (const auto& c : cases)
	{
		KnobRig rig (c.knobMode);
		rig.down (rig.at (25, 0), kLButton | c.modifiers);
		EXPECT_NEAR (rig.knob->getValue (), c.afterDown, 1e-5) << c.what;
		rig.move (rig.at (20, 20), kLButton | c.modifiers);
		EXPECT_NEAR (rig.knob->getValue (), c.afterMove, 1e-5) << c.what;
		rig.up (rig.at (20, 20), kLButton | c.modifiers);
	}
}

// Dragged across the gap at the bottom, from the maximum's end to the
// minimum's, a circular knob stays at the maximum; back in the range it
// follows the mouse again.
TEST (KnobModes, ACircularDragAcrossTheGapStaysAtTheEndItLeft)
{
	KnobRig rig (kCircularMode);
	rig.down (rig.at (20, 20), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 3.f, 1e-5);
	rig.move (rig.at (-20, 20), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 3.f, 1e-5);
	rig.move (rig.at (25, 0), kLButton);
	EXPECT_NEAR (rig.knob->getValue (), 7.f / 3.f, 1e-5);
}

TEST (KnobDrag, ACancelPutsTheValueBackAndEndsTheEdit)
{
	KnobRig rig;
	rig.down (rig.centre, kLButton);
	rig.move (rig.at (0, -50), kLButton);
	rig.listener.calls.clear ();
	rig.frame->onMouseCancel ();
	EXPECT_EQ (rig.knob->getValue (), 0.f);
	EXPECT_EQ (rig.listener.names (), (Names {"valueChanged", "endEdit"}));
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 7", "endEdit 7"}));
	EXPECT_EQ (rig.move (rig.at (0, -80), kLButton), kMouseEventNotHandled);
	EXPECT_EQ (rig.knob->getValue (), 0.f);
}

// Wheel steps are one edit that ends a while after the last step, or when a
// click comes first.
TEST (KnobWheel, StepsAreOneEditThatTheTimerOrAClickEnds)
{
	KnobRig rig;
	EXPECT_TRUE (rig.frame->platformOnMouseWheel (rig.centre, kMouseWheelAxisY, 2.f, CButtonState ()));
	EXPECT_NEAR (rig.knob->getValue (), 0.8f, 1e-6) << "a tenth of the range a step";
	EXPECT_TRUE (rig.frame->platformOnMouseWheel (rig.centre, kMouseWheelAxisY, -1.f, CButtonState (kShift)));
	EXPECT_NEAR (rig.knob->getValue (), 0.76f, 1e-6) << "a tenth of that with Shift";
	EXPECT_EQ (rig.listener.count ("valueChanged"), 2u);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 7"}));
	ASSERT_NE (rig.knob->wheelTimer (), nullptr);
	EXPECT_EQ (rig.knob->wheelTimer ()->getInterval (), 500u);
	rig.knob->wheelTimer ()->fire ();
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 7", "endEdit 7"}));
	EXPECT_EQ (rig.knob->wheelTimer (), nullptr);

	rig.clearRecords ();
	rig.frame->platformOnMouseWheel (rig.centre, kMouseWheelAxisY, 1.f, CButtonState ());
	rig.down (rig.centre, kLButton);
	EXPECT_EQ (rig.knob->wheelTimer (), nullptr);
	rig.up (rig.centre, kLButton);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 7", "endEdit 7", "beginEdit 7", "endEdit 7"}));
}

//------------------------------------------------------------------------------
// An animated knob shows the frame nearest to its value, counting its frames
// in the strip's height as the bitmap reports it.
TEST (KnobDrawing, AnAnimatedKnobShowsTheFrameOfItsValue)
{
	const FrameSheet sheet (40, 40, 1, 5); // shown at half size: five 20 x 20 frames
	struct Strip
	{
		const char* what;
		SharedPointer<CBitmap> bitmap;
		std::function<int (uint32_t)> frameOf;
	};
	const Strip strips[] = {
	    {"solid strip", makeSolidStrip (20, 20, {kStripColours[0], kStripColours[1], kStripColours[2],
	                                             kStripColours[3], kStripColours[4]}),
	     frameOfColour},
	    {"sheet under a frame grid at half scale", makeGriddedBitmap (sheet, 1., 0.5),
	     [&] (uint32_t word) {
		     auto pixel = sheet.decode (word);
		     return pixel ? static_cast<int> (pixel->frame) : -1;
	     }},
	};
	const std::pair<float, int> values[] = {{0.f, 0}, {0.3f, 1}, {0.4f, 2}, {0.875f, 4}, {1.f, 4}};
	for (const auto& strip : strips)
	{
		CAnimKnob knob (CRect (10, 10, 30, 30), nullptr, 0, strip.bitmap);
		EXPECT_EQ (knob.getNumSubPixmaps (), 5) << strip.what;
		for (const auto& [value, frame] : values)
		{
			Canvas canvas (40, 40);
			knob.setValue (value);
			knob.draw (&canvas.context ());
			EXPECT_EQ (strip.frameOf (canvas.wordAt (20, 20)), frame) << strip.what << ", value " << value;
			EXPECT_FALSE (canvas.drawnOutside (knob.getViewSize ())) << strip.what;
			EXPECT_FALSE (knob.isDirty ());
		}
	}
}

// The handle, centred on the value's circle (3 points inside the edge),
// from the lower left over the top to the lower right.
TEST (KnobDrawing, AKnobDrawsItsHandleOnTheValuesCircle)
{
	const auto handle = makeSolidStrip (4, 4, {kStripColours[2]});
	const std::pair<float, CRect> cases[] = {
	    {0.f, CRect (16, 40, 20, 44)}, {0.5f, CRect (28, 11, 32, 15)}, {1.f, CRect (40, 40, 44, 44)}};
	for (const auto& [value, expected] : cases)
	{
		CKnob knob (CRect (10, 10, 50, 50), nullptr, 0, nullptr, handle);
		knob.setValue (value);
		Canvas canvas (60, 60);
		knob.draw (&canvas.context ());
		EXPECT_EQ (frameOfColour (canvas.wordAt (expected.left + 2, expected.top + 2)), 2) << value;
		EXPECT_FALSE (canvas.drawnOutside (expected)) << value;
	}
}

} // namespace
