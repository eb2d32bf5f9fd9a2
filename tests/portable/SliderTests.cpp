// Sliders driven through the frame's platform entries: a vertical slider's
// grab zone and the mode it picks, the double-click beside the handle,
// relative touch, touch, the ramp, zoomed drags and copies; and what they
// draw.
#include "Canvas.h"
#include "FrameSheet.h"
#include "ControlTestSupport.h"

#include "lib/cframe.h"
#include "lib/controls/cslider.h"
#include "lib/platform/mac/headlessplatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();

template <typename Slider>
class TestSlider : public Slider
{
public:
	using Slider::Slider;
	HeadlessTimer* rampTimer () const
	{
		auto timer = this->getRampTimer ();
		return timer ? static_cast<HeadlessTimer*> (timer->getPlatformTimer ()) : nullptr;
	}
	int32_t bottomInset () const { return this->handleBottomInset; }
	void setBottomInset (int32_t inset) { this->handleBottomInset = inset; }
};

// Keeps the global mode of the test and puts back the one before.
struct GlobalModeScope
{
	CSliderMode saved = CSliderBase::getGlobalMode ();
	~GlobalModeScope () { CSliderBase::setGlobalMode (saved); }
};

// A vertical slider of 30 x 200 points at (50, 20), its minimum at the
// bottom, with a 20 x `handleHeight` handle 5 points in from its left edge,
// travelling over the rest of the height. At 0.5 the 20-point handle spans
// (55, 110) to (75, 130), and the grab zone x 50 to 80, y 110 to 128.
struct VerticalRig : ControlFrame
{
	explicit VerticalRig (uint32_t handleHeight = 20, CSliderMode mode = CSliderMode::UseGlobal)
	: slider (add (new TestSlider<CVerticalSlider> (
	      CRect (50, 20, 80, 220), &listener, 4, CPoint (5, 0), 200 - handleHeight,
	      handleHeight ? makeSolidStrip (20, handleHeight, {kStripColours[1]}) : nullptr, nullptr)))
	{
		slider->setSliderMode (mode);
		slider->setDefaultValue (0.25f);
		slider->setValue (0.5f);
		clearRecords ();
	}
	RecordingControlListener listener;
	TestSlider<CVerticalSlider>* slider;
};

// A horizontal slider of 200 x 20 points at (20, 50), its minimum at the
// left, with a 20 x 20 handle over 180 points: at 0.5 it spans x 110 to 130.
struct HorizontalRig : ControlFrame
{
	explicit HorizontalRig (CSliderMode mode)
	: slider (add (new TestSlider<CHorizontalSlider> (CRect (20, 50, 220, 70), &listener, 4, CPoint (0, 0), 180,
	                                                  makeSolidStrip (20, 20, {kStripColours[1]}), nullptr)))
	{
		slider->setSliderMode (mode);
		slider->setDefaultValue (0.25f);
		slider->setValue (0.5f);
		clearRecords ();
	}
	RecordingControlListener listener;
	TestSlider<CHorizontalSlider>* slider;
};

// In the zone the value stays at mouse-down (relative touch); elsewhere the
// handle's top edge comes to 9 points (half its height less one) above the
// mouse (free click).
TEST (SliderGrabZone, ItsEdgesPickTheMode)
{
	struct Case
	{
		const char* what;
		CPoint where;
		CSliderMode mode;
		float value;
	};
	const auto relative = CSliderMode::RelativeTouch, freeClick = CSliderMode::FreeClick;
	const Case cases[] = {
	    {"the handle's top edge", {65, 110}, relative, 0.5f},
	    {"3 pixels above the handle's bottom edge", {65, 127}, relative, 0.5f},
	    {"2 pixels above the handle's bottom edge", {65, 128}, freeClick, 1.f - 99.f / 180.f},
	    {"1 pixel above the handle's bottom edge", {65, 129}, freeClick, 1.f - 100.f / 180.f},
	    {"1 pixel above the handle", {65, 109}, freeClick, 1.f - 80.f / 180.f},
	    {"far above the handle", {65, 40}, freeClick, 1.f - 11.f / 180.f},
	    {"the view's left edge, beside the handle", {50, 115}, relative, 0.5f},
	    {"just inside the view's right edge", {79.9, 115}, relative, 0.5f},
	};
	for (const auto& c : cases)
	{
		VerticalRig rig;
		CPoint where = c.where;
		EXPECT_EQ (rig.frame->platformOnMouseDown (where, CButtonState (kLButton)), kMouseEventHandled) << c.what;
		EXPECT_EQ (rig.slider->getSliderMode (), c.mode) << c.what;
		EXPECT_NEAR (rig.slider->getValue (), c.value, 1e-6) << c.what;
		EXPECT_EQ (rig.edits (), (Names {"beginEdit 4"})) << c.what;
		rig.up (where, kLButton);
	}
}

// Points that the frame never hands the slider, as they lie outside its view:
// told to the slider itself, they give free click.
TEST (SliderGrabZone, PointsOutsideTheViewAreOutsideTheZone)
{
	const std::pair<const char*, CPoint> cases[] = {
	    {"the view's right edge", {80, 115}}, {"left of the view", {45, 115}}, {"a NaN height", {65, kNaN}}};
	for (const auto& [what, point] : cases)
	{
		VerticalRig rig;
		CPoint where = point;
		EXPECT_EQ (rig.down (where, kLButton), kMouseEventNotHandled) << what << ": not the slider's";
		EXPECT_EQ (rig.slider->onMouseDown (where, CButtonState (kLButton)), kMouseEventHandled) << what;
		EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::FreeClick) << what;
		// The handle's top edge 9 points above the mouse; a NaN height moves nothing.
		EXPECT_NEAR (rig.slider->getValue (), std::isnan (where.y) ? 0.5f : 1.f - 86.f / 180.f, 1e-6) << what;
		rig.slider->onMouseUp (where, CButtonState (kLButton));
	}
}

// A press without the left button is not the slider's and leaves its mode;
// one with it takes the slider whatever else comes along. Only moves with
// the left button drag.
TEST (SliderGrabZone, OnlyPressesAndMovesWithTheLeftButtonCount)
{
	const std::pair<int32_t, CMouseEventResult> cases[] = {{kRButton | kDoubleClick, kMouseEventNotHandled},
	                                                       {kMButton, kMouseEventNotHandled},
	                                                       {kLButton | kMButton, kMouseEventHandled}};
	for (const auto& [buttons, result] : cases)
	{
		VerticalRig rig (20, CSliderMode::Ramp);
		EXPECT_EQ (rig.down (CPoint (65, 115), buttons), result) << buttons;
		EXPECT_EQ (rig.slider->getSliderMode (),
		           result == kMouseEventHandled ? CSliderMode::RelativeTouch : CSliderMode::Ramp)
		    << buttons;
		EXPECT_EQ (rig.slider->getValue (), 0.5f) << buttons;
	}
	VerticalRig rig;
	rig.down (CPoint (65, 115), kLButton);
	EXPECT_EQ (rig.move (CPoint (65, 133), kRButton), kMouseEventNotHandled);
	EXPECT_EQ (rig.slider->getValue (), 0.5f);
	EXPECT_EQ (rig.move (CPoint (65, 133), kLButton | kRButton), kMouseEventHandled);
	EXPECT_NEAR (rig.slider->getValue (), 0.4f, 1e-6);
}

// A drag from the zone moves the handle by what the mouse moves.
TEST (SliderGrabZone, ADragFromTheZoneMovesWithoutAJump)
{
	VerticalRig rig;
	rig.down (CPoint (52, 112), kLButton);
	rig.move (CPoint (52, 130), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.5f - 18.f / 180.f, 1e-6);
	rig.move (CPoint (70, 20), kLButton);
	EXPECT_EQ (rig.slider->getValue (), 1.f) << "held at the top of the travel";
	rig.up (CPoint (70, 20), kLButton);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 4", "endEdit 4"}));
}

TEST (SliderGrabZone, AHandleOfTwoPixelsOrLessHasNone)
{
	for (const auto& [height, mode] : {std::pair (0u, CSliderMode::FreeClick), std::pair (2u, CSliderMode::FreeClick),
	                                   std::pair (3u, CSliderMode::RelativeTouch)})
	{
		VerticalRig rig (height);
		const CRect handle = rig.slider->calculateHandleRect (rig.slider->getValueNormalized ());
		CPoint where (handle.left, handle.top);
		rig.frame->platformOnMouseDown (where, CButtonState (kLButton));
		EXPECT_EQ (rig.slider->getSliderMode (), mode) << "handle height " << handle.getHeight ();
		rig.up (where, kLButton);
	}
}

// Whatever it was set to, a vertical slider's mode is what its last click
// picked, and the global mode no longer reaches it.
TEST (SliderGrabZone, ThePickedModeStaysAndIgnoresTheGlobalMode)
{
	GlobalModeScope scope;
	for (const auto configured : {CSliderMode::Touch, CSliderMode::Ramp, CSliderMode::UseGlobal})
	{
		CSliderBase::setGlobalMode (CSliderMode::Touch);
		VerticalRig rig (20, configured);
		rig.click (CPoint (65, 115), kLButton);
		EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::RelativeTouch);
		CSliderBase::setGlobalMode (CSliderMode::Ramp);
		EXPECT_EQ (rig.slider->getEffectiveSliderMode (), CSliderMode::RelativeTouch);

		rig.down (CPoint (65, 30), kLButton);
		EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::FreeClick);
		EXPECT_EQ (rig.slider->rampTimer (), nullptr);
		rig.up (CPoint (65, 30), kLButton);
		EXPECT_EQ (rig.slider->getEffectiveSliderMode (), CSliderMode::FreeClick) << "after the release";
	}
}

// The second press of a double-click resets, except beside the handle in
// the zone, where it starts a relative drag.
TEST (SliderGrabZone, ADoubleClickBesideTheHandleInTheZoneDoesNotReset)
{
	struct Case
	{
		const char* what;
		CPoint where;
		CMouseEventResult result;
		float value;
	};
	const Case cases[] = {
	    {"on the handle", {65, 115}, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.25f},
	    {"beside the handle, in the zone", {52, 115}, kMouseEventHandled, 0.5f},
	    {"outside the zone", {65, 40}, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.25f},
	};
	for (const auto& c : cases)
	{
		VerticalRig rig;
		EXPECT_EQ (rig.down (c.where, kLButton | kDoubleClick), c.result) << c.what;
		EXPECT_EQ (rig.slider->getValue (), c.value) << c.what;
		const bool dragging = c.result == kMouseEventHandled;
		EXPECT_EQ (rig.edits (), dragging ? (Names {"beginEdit 4"}) : (Names {"beginEdit 4", "endEdit 4"})) << c.what;
		rig.move (CPoint (c.where.x, c.where.y + 18), kLButton);
		EXPECT_NEAR (rig.slider->getValue (), dragging ? 0.4f : c.value, 1e-6)
		    << c.what << ": a drag only after no reset";
		rig.up (CPoint (c.where.x, c.where.y + 18), kLButton);
	}
}

// A copy takes the source's own mode, but its inset is always 2.
TEST (SliderCopy, HasTheSourcesModeAndTheInsetTwo)
{
	VerticalRig rig;
	rig.click (CPoint (52, 115), kLButton);
	rig.slider->setBottomInset (6);
	TestSlider<CVerticalSlider> copy (*rig.slider);
	EXPECT_EQ (copy.getSliderMode (), CSliderMode::RelativeTouch);
	EXPECT_EQ (copy.bottomInset (), 2);
	EXPECT_FALSE (copy.isEditing ());

	rig.click (CPoint (65, 30), kLButton);
	TestSlider<CVerticalSlider> second (*rig.slider);
	EXPECT_EQ (second.getSliderMode (), CSliderMode::FreeClick);
}

//------------------------------------------------------------------------------
// Not even by the part of a pixel that the handle's whole-pixel position
// leaves out (90.54 pixels along here); the first move takes that up.
TEST (SliderModes, AHorizontalSliderInRelativeTouchDoesNotMoveAtMouseDown)
{
	HorizontalRig rig (CSliderMode::RelativeTouch);
	rig.slider->setValue (0.503f);
	EXPECT_EQ (rig.down (CPoint (40, 60), kLButton), kMouseEventHandled);
	EXPECT_EQ (rig.slider->getValue (), 0.503f);
	EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::RelativeTouch) << "a press never sets its mode";
	rig.move (CPoint (58, 60), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.6f, 1e-6);
	rig.up (CPoint (58, 60), kLButton);
}

TEST (SliderModes, AHorizontalSliderInFreeClickCentresTheHandleOnTheMouse)
{
	HorizontalRig rig (CSliderMode::FreeClick);
	rig.down (CPoint (40, 60), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 11.f / 180.f, 1e-6);
	EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::FreeClick);
	rig.up (CPoint (40, 60), kLButton);
}

// Touch mode: a press beside the handle is refused, with no drag and no
// reset; on the handle it drags and a double-click resets.
TEST (SliderModes, InTouchModeOnlyTheHandleAnswers)
{
	struct Case
	{
		const char* what;
		CPoint where;
		int32_t buttons;
		CMouseEventResult result;
		float value;
		Names edits;
	};
	const Case cases[] = {
	    {"press beside the handle", {40, 60}, kLButton, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.5f, {}},
	    {"double-click beside the handle", {40, 60}, kLButton | kDoubleClick,
	     kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.5f, {}},
	    {"press on the handle", {115, 60}, kLButton, kMouseEventHandled, 0.5f, {"beginEdit 4"}},
	    {"double-click on the handle", {115, 60}, kLButton | kDoubleClick,
	     kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.25f, {"beginEdit 4", "endEdit 4"}},
	};
	for (const auto& c : cases)
	{
		HorizontalRig rig (CSliderMode::Touch);
		EXPECT_EQ (rig.down (c.where, c.buttons), c.result) << c.what;
		EXPECT_EQ (rig.slider->getValue (), c.value) << c.what;
		EXPECT_EQ (rig.edits (), c.edits) << c.what;
		rig.move (CPoint (c.where.x + 18, 60), kLButton);
		EXPECT_EQ (rig.slider->getValue (), c.result == kMouseEventHandled ? 0.6f : c.value) << c.what;
		rig.up (CPoint (c.where.x + 18, 60), kLButton);
	}
}

// A press beside the handle starts a 16 ms timer whose steps bring the
// handle under the press; the mouse drags it only once it is there.
TEST (SliderModes, ARampMovesTheHandleToThePressInTimerSteps)
{
	HorizontalRig rig (CSliderMode::Ramp);
	EXPECT_EQ (rig.down (CPoint (200, 60), kLButton), kMouseEventHandled);
	EXPECT_EQ (rig.slider->getValue (), 0.5f);
	auto timer = SharedPointer<HeadlessTimer> (rig.slider->rampTimer ());
	ASSERT_NE (timer, nullptr);
	EXPECT_TRUE (timer->isRunning ());
	EXPECT_EQ (timer->getInterval (), 16u);
	rig.move (CPoint (150, 60), kLButton);
	EXPECT_EQ (rig.slider->getValue (), 0.5f) << "the ramp, not the mouse, moves it";

	int ticks = 0;
	for (; rig.slider->rampTimer () && ticks < 100; ++ticks)
	{
		const float before = rig.slider->getValue ();
		timer->fire ();
		EXPECT_LE (rig.slider->getValue () - before, CSliderBase::kRampStep + 1e-6f);
	}
	EXPECT_EQ (ticks, 9);
	EXPECT_NEAR (rig.slider->getValue (), 170.f / 180.f, 1e-6) << "the handle centred on the press";
	EXPECT_EQ (rig.listener.count ("valueChanged"), 9u);
	EXPECT_FALSE (timer->isRunning ());

	rig.move (CPoint (190, 60), kLButton);
	// Re-based on the handle's whole-pixel position: within a pixel.
	EXPECT_NEAR (rig.slider->getValue (), 160.f / 180.f, 1.01f / 180.f) << "then it follows the mouse";
	rig.up (CPoint (190, 60), kLButton);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 4", "endEdit 4"}));
}

TEST (SliderModes, ARampStartsOnlyBesideTheHandleAndEndsWithTheRelease)
{
	HorizontalRig rig (CSliderMode::Ramp);
	rig.down (CPoint (115, 60), kLButton);
	EXPECT_EQ (rig.slider->rampTimer (), nullptr) << "on the handle";
	rig.up (CPoint (115, 60), kLButton);

	rig.down (CPoint (30, 60), kLButton);
	auto timer = SharedPointer<HeadlessTimer> (rig.slider->rampTimer ());
	ASSERT_NE (timer, nullptr);
	rig.up (CPoint (30, 60), kLButton);
	EXPECT_EQ (rig.slider->rampTimer (), nullptr);
	EXPECT_FALSE (timer->isRunning ());
	EXPECT_FALSE (rig.slider->isEditing ());
}

//------------------------------------------------------------------------------
TEST (SliderZoom, ShiftAtTheMouseDownMakesNoFirstMove)
{
	VerticalRig rig;
	EXPECT_EQ (rig.down (CPoint (65, 40), kLButton | kShift), kMouseEventHandled);
	EXPECT_EQ (rig.slider->getSliderMode (), CSliderMode::FreeClick);
	EXPECT_EQ (rig.slider->getValue (), 0.5f);
	rig.up (CPoint (65, 40), kLButton);
}

TEST (SliderZoom, ShiftDuringADragMovesItTenTimesSlower)
{
	VerticalRig rig;
	rig.down (CPoint (65, 115), kLButton);
	rig.move (CPoint (65, 133), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.4f, 1e-6);
	rig.move (CPoint (65, 151), kLButton | kShift);
	EXPECT_NEAR (rig.slider->getValue (), 0.39f, 1e-6);
	rig.move (CPoint (65, 169), kLButton | kShift);
	EXPECT_NEAR (rig.slider->getValue (), 0.38f, 1e-6);
	rig.up (CPoint (65, 169), kLButton);
}

// With kAlwaysUseZoomFactor the drag slows down by the mouse's distance
// across the slider, in slider widths, re-based where the factor changes.
TEST (SliderZoom, AlwaysUseZoomFactorSlowsTheDragByTheDistanceAcross)
{
	VerticalRig rig;
	CSliderBase::kAlwaysUseZoomFactor = true;
	rig.down (CPoint (65, 115), kLButton);
	rig.move (CPoint (65, 133), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.4f, 1e-6) << "near the slider: factor 1";
	rig.move (CPoint (155, 133), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.4f, 1e-6) << "three widths across: re-based";
	rig.move (CPoint (155, 187), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.3f, 1e-6);
	rig.move (CPoint (65, 187), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.3f, 1.f / 180.f) << "back at the slider: re-based, within a pixel";
	rig.move (CPoint (65, 169), kLButton);
	EXPECT_NEAR (rig.slider->getValue (), 0.4f, 1.f / 180.f);
	CSliderBase::kAlwaysUseZoomFactor = false;
	rig.up (CPoint (65, 169), kLButton);
}

// Wheel steps are one edit, which a click ends before it begins its own.
TEST (SliderWheel, StepsAreOneEditThatAClickEnds)
{
	VerticalRig rig;
	rig.frame->platformOnMouseWheel (CPoint (65, 100), kMouseWheelAxisY, 1.f, CButtonState ());
	rig.frame->platformOnMouseWheel (CPoint (65, 100), kMouseWheelAxisY, 1.f, CButtonState (kShift));
	EXPECT_NEAR (rig.slider->getValue (), 0.61f, 1e-6);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 4"}));
	rig.click (CPoint (65, 115), kLButton);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 4", "endEdit 4", "beginEdit 4", "endEdit 4"}));
}

TEST (SliderDrag, ACancelPutsTheValueBack)
{
	VerticalRig rig;
	rig.down (CPoint (65, 40), kLButton);
	rig.frame->onMouseCancel ();
	EXPECT_EQ (rig.slider->getValue (), 0.5f);
	EXPECT_EQ (rig.edits (), (Names {"beginEdit 4", "endEdit 4"}));
}

//------------------------------------------------------------------------------
TEST (SliderDrawing, DrawsItsHandleWhereItsValueIsOverItsBackground)
{
	const auto handle = makeSolidStrip (10, 4, {kStripColours[1]});
	const auto background = makeSolidStrip (20, 50, {kStripColours[3]});
	const std::pair<float, double> cases[] = {{0.f, 51.}, {0.5f, 31.}, {1.f, 11.}};
	for (const auto& [value, top] : cases)
	{
		CVerticalSlider slider (CRect (10, 10, 30, 60), nullptr, 0, CPoint (5, 1), 40, handle, background);
		slider.setValue (value);
		Canvas canvas (40, 70);
		slider.draw (&canvas.context ());
		EXPECT_EQ (frameOfColour (canvas.wordAt (20, top + 2)), 1) << value;
		EXPECT_EQ (frameOfColour (canvas.wordAt (20, top - 1)), 3) << value;
		EXPECT_EQ (frameOfColour (canvas.wordAt (20, top + 4)), 3) << value;
		EXPECT_EQ (frameOfColour (canvas.wordAt (12, top + 2)), 3) << value;
		EXPECT_FALSE (canvas.drawnOutside (slider.getViewSize ())) << value;
	}
}

} // namespace
