// The control base: its range, listeners, edit counting, dirty mark and the
// reset to the default value.
#include "ControlTestSupport.h"

#include "lib/cframe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN ();

TEST (CControlValue, NormalizedValueAndBounce)
{
	CControl control (CRect (0, 0, 10, 10));
	control.setMin (-2.f);
	control.setMax (6.f);
	control.setValue (0.f);
	EXPECT_FLOAT_EQ (control.getValueNormalized (), 0.25f);
	control.setValueNormalized (0.75f);
	EXPECT_FLOAT_EQ (control.getValue (), 4.f);
	control.setValueNormalized (1.5f);
	EXPECT_FLOAT_EQ (control.getValue (), 6.f) << "clamped to the range";
	control.setValueNormalized (kNaN);
	EXPECT_FLOAT_EQ (control.getValue (), 6.f) << "NaN leaves the value alone";

	control.setValue (9.f);
	control.bounceValue ();
	EXPECT_FLOAT_EQ (control.getValue (), 6.f);
	control.setValue (-3.f);
	control.bounceValue ();
	EXPECT_FLOAT_EQ (control.getValue (), -2.f);

	control.setMax (-2.f);
	EXPECT_EQ (control.getValueNormalized (), 0.f) << "an empty range";
}

// The editor hears of the outermost edit only, with the tag, before the
// listeners at the begin and after them at the end; every listener hears of
// every value change, the constructor's first.
TEST (CControlListeners, EditsReachTheEditorOnceAndEveryListener)
{
	ControlFrame rig;
	RecordingControlListener first, second, gone;
	auto control = rig.add (new CControl (CRect (0, 0, 10, 10), &first, 42));
	control->registerControlListener (&second);
	control->registerControlListener (&gone);
	control->unregisterControlListener (&gone);

	std::vector<std::string> order;
	struct OrderListener : IControlListener
	{
		std::vector<std::string>& order;
		EditorLog& log;
		OrderListener (std::vector<std::string>& order, EditorLog& log) : order (order), log (log) {}
		void valueChanged (CControl*) override {}
		void controlBeginEdit (CControl*) override { order.push_back ("listener begin, editor calls " + calls ()); }
		void controlEndEdit (CControl*) override { order.push_back ("listener end, editor calls " + calls ()); }
		std::string calls () const { return std::to_string (log.count ("beginEdit") + log.count ("endEdit")); }
	} ordered (order, *rig.log);
	control->registerControlListener (&ordered);

	control->beginEdit ();
	control->beginEdit ();
	control->setValue (0.3f);
	control->valueChanged ();
	control->endEdit ();
	EXPECT_TRUE (control->isEditing ());
	control->endEdit ();
	EXPECT_FALSE (control->isEditing ());
	control->endEdit (); // one too many: nothing

	EXPECT_EQ (rig.edits (), (Names {"beginEdit 42", "endEdit 42"}));
	EXPECT_EQ (first.names (), (Names {"beginEdit", "valueChanged", "endEdit"}));
	EXPECT_EQ (second.names (), first.names ());
	EXPECT_TRUE (gone.calls.empty ());
	EXPECT_EQ (order, (std::vector<std::string> {"listener begin, editor calls 1", "listener end, editor calls 1"}));
}

TEST (CControlListeners, ACopyHasTheOriginalsStateButNoEditAndNoRegisteredListeners)
{
	RecordingControlListener listener, registered;
	auto background = makeOwned<CBitmap> (4., 4.);
	CControl original (CRect (1, 2, 3, 4), &listener, 9);
	original.setMin (1.f);
	original.setMax (3.f);
	original.setDefaultValue (2.5f);
	original.setValue (1.5f);
	original.setBackground (background);
	original.registerControlListener (&registered);
	original.beginEdit ();

	CControl copy (original);
	EXPECT_EQ (copy.getViewSize (), original.getViewSize ());
	EXPECT_EQ (copy.getValue (), 1.5f);
	EXPECT_EQ (copy.getMin (), 1.f);
	EXPECT_EQ (copy.getMax (), 3.f);
	EXPECT_EQ (copy.getDefaultValue (), 2.5f);
	EXPECT_EQ (copy.getTag (), 9);
	EXPECT_EQ (copy.getListener (), &listener);
	EXPECT_EQ (copy.getBackground (), background.get ());
	EXPECT_FALSE (copy.isEditing ());
	registered.calls.clear ();
	copy.valueChanged ();
	EXPECT_TRUE (registered.calls.empty ());
	original.endEdit ();
}

// Dirty until drawn: while marked, or while the value differs from the one
// that the last draw saw.
TEST (CControlDirty, FollowsTheValueSinceTheLastDraw)
{
	CControl control (CRect (0, 0, 10, 10));
	control.setValue (0.5f);
	EXPECT_TRUE (control.isDirty ()) << "not drawn yet";
	control.setDirty (false);
	EXPECT_FALSE (control.isDirty ());
	control.setValue (0.6f);
	EXPECT_TRUE (control.isDirty ());
	control.setValue (0.5f);
	EXPECT_FALSE (control.isDirty ()) << "back to what was drawn";
	control.setDirty (true);
	EXPECT_TRUE (control.isDirty ()) << "marked, with the value unchanged";
	control.invalid ();
	EXPECT_TRUE (control.isDirty ()) << "asked for a redraw, not drawn yet";
}

// A reset request is any double-click, or the left button alone with exactly
// the default-value modifier that the static holds at the click.
TEST (CControlReset, WhichClicksAreResetRequests)
{
	struct Case
	{
		const char* what;
		int32_t buttons;
		bool reset;
	};
	const Case cases[] = {
	    {"double-click", kLButton | kDoubleClick, true},
	    {"right double-click", kRButton | kDoubleClick, true},
	    {"double-click, Command, Option and Shift", kLButton | kDoubleClick | kControl | kAlt | kShift, true},
	    {"the double-click bit alone", kDoubleClick, true},
	    {"Command", kLButton | kControl, true},
	    {"Command and Shift", kLButton | kControl | kShift, false},
	    {"Command with the right button", kRButton | kControl, false},
	    {"Command with the left and the middle button", kLButton | kMButton | kControl, false},
	    {"Command and the fourth modifier bit", kLButton | kControl | kApple, false},
	    {"plain click", kLButton, false},
	    {"Shift", kLButton | kShift, false},
	};
	for (const auto& c : cases)
	{
		CControl control (CRect (0, 0, 10, 10));
		control.setDefaultValue (0.5f);
		control.setValue (0.2f);
		EXPECT_EQ (control.checkDefaultValue (CButtonState (c.buttons)), c.reset) << c.what;
		EXPECT_EQ (control.getValue (), c.reset ? 0.5f : 0.2f) << c.what;
	}
}

TEST (CControlReset, TheDefaultValueModifierIsReadAtEachClick)
{
	const int32_t saved = CControl::kDefaultValueModifier;
	CControl control (CRect (0, 0, 10, 10));
	control.setValue (0.2f);
	CControl::kDefaultValueModifier = kAlt;
	EXPECT_FALSE (control.checkDefaultValue (CButtonState (kLButton | kControl)));
	EXPECT_TRUE (control.checkDefaultValue (CButtonState (kLButton | kAlt)));
	CControl::kDefaultValueModifier = saved;
	EXPECT_EQ (control.getValue (), 0.5f);
}

// A reset that changes the value is one edit, notified, marked dirty and
// redrawn; at the default it changes nothing; a NaN default is never reached.
TEST (CControlReset, ChangesTheValueAsOneNotifiedEdit)
{
	struct Case
	{
		const char* what;
		float drawn, value, defaultValue;
		bool changes;
	};
	const Case cases[] = {
	    {"away from the default", 0.2f, 0.2f, 0.5f, true},
	    {"at the default", 0.5f, 0.5f, 0.5f, false},
	    {"away from the default, last drawn at it", 0.5f, 0.2f, 0.5f, true},
	    {"NaN default", 0.2f, 0.2f, kNaN, true},
	    {"NaN default, already NaN", kNaN, kNaN, kNaN, true},
	};
	for (const auto& c : cases)
	{
		ControlFrame rig;
		RecordingControlListener listener;
		auto control = rig.add (new CControl (CRect (10, 10, 30, 30), &listener, 3));
		control->setDefaultValue (c.defaultValue);
		control->setValue (c.drawn);
		control->setDirty (false);
		control->setValue (c.value);
		rig.clearRecords ();

		EXPECT_TRUE (control->checkDefaultValue (CButtonState (kLButton | kDoubleClick))) << c.what;
		EXPECT_TRUE (std::isnan (c.defaultValue) ? std::isnan (control->getValue ())
		                                         : control->getValue () == c.defaultValue)
		    << c.what;
		EXPECT_EQ (listener.names (),
		           c.changes ? (Names {"beginEdit", "valueChanged", "endEdit"}) : Names {})
		    << c.what;
		EXPECT_EQ (rig.edits (), c.changes ? (Names {"beginEdit 3", "endEdit 3"}) : Names {}) << c.what;
		EXPECT_EQ (control->isDirty (), c.changes) << c.what << ": until drawn again";
		EXPECT_EQ (rig.redrawn (control->getViewSize ()), c.changes) << c.what;
		EXPECT_FALSE (control->isEditing ()) << c.what;
	}
}

} // namespace
