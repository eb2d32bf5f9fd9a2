// The frame's platform mouse entries: the mouse-enabled check, the wait for
// the drawing lock, and the editor fallback for unhandled clicks.
#include "AssertionRecorder.h"
#include "OpenFrame.h"
#include "RecordingEditor.h"
#include "RecordingPlatformFrame.h"
#include "TestView.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// A view at (50, 0, 100, 50), beside the open frame's painter, that answers
// the mouse as told and writes what it sees into the editor's log, so that one
// log orders view and editor calls.
class AnsweringView : public CView
{
public:
	AnsweringView (EditorLog& log, CMouseEventResult answer)
	: CView (CRect (50, 0, 100, 50)), log (log), answer (answer)
	{
	}
	CMouseEventResult onMouseDown (CPoint&, const CButtonState&) override { return note ("view mouseDown"); }
	CMouseEventResult onMouseUp (CPoint&, const CButtonState&) override { return note ("view mouseUp"); }
	CMouseEventResult onMouseMoved (CPoint&, const CButtonState&) override { return note ("view mouseMoved"); }
	CMouseEventResult onMouseEntered (CPoint&, const CButtonState&) override { return note ("view entered"); }

private:
	CMouseEventResult note (const char* what)
	{
		log.add ({what});
		return answer;
	}
	EditorLog& log;
	CMouseEventResult answer;
};

// Ends every mouse-down with its own answer, before any view.
class AnsweringObserver : public IMouseObserver
{
public:
	explicit AnsweringObserver (CMouseEventResult answer) : answer (answer) {}
	void onMouseEntered (CView*, CFrame*) override {}
	void onMouseExited (CView*, CFrame*) override {}
	CMouseEventResult onMouseDown (CFrame*, const CPoint&, const CButtonState&) override { return answer; }

private:
	CMouseEventResult answer;
};

// An open frame with a recording editor, and a point on the answering view.
struct MouseRig : OpenFrame
{
	AnsweringObserver notImplemented {kMouseEventNotImplemented};
	CPoint where {60, 10};
	const CButtonState left {kLButton};
	MouseRig () : OpenFrame (Editor::recording) {}
	~MouseRig () { frame->unregisterMouseObserver (&notImplemented); }
};

struct MouseTest : ::testing::Test, MouseRig
{
};

TEST_F (MouseTest, AMouseDisabledFrameAnswersAtOnceWithoutWaitingOrTheEditor)
{
	frame->setMouseEnabled (false);
	frame->addView (new AnsweringView (*editorLog, kMouseEventHandled));
	AssertionRecorder reports;
	frame->LockGUIDrawing (); // a wait for it on this thread would be reported
	EXPECT_EQ (frame->platformOnMouseDown (where, left), kMouseEventNotHandled);
	EXPECT_EQ (frame->platformOnMouseUp (where, left), kMouseEventNotHandled);
	EXPECT_EQ (frame->platformOnMouseMoved (where, left), kMouseEventNotHandled);
	EXPECT_FALSE (frame->platformOnMouseWheel (where, kMouseWheelAxisY, 1.f, left));
	EXPECT_EQ (reports.count (), 0u);
	EXPECT_TRUE (editorLog->all ().empty ());
	frame->UnLockGUIDrawing ();
}

// Results 0 and 2 go to the editor, whose answer becomes the entry's; any
// other result stands.
TEST (FrameMouseEntry, UnhandledClicksGoToTheEditorAndItsAnswerStands)
{
	struct Case
	{
		const char* what;
		bool up;
		std::function<void (MouseRig&)> arrange; // makes the frame answer as `what` says
		CMouseEventResult editorAnswer;
		CMouseEventResult expected;
		bool editorCalled;
	};
	auto viewAnswering = [] (CMouseEventResult answer) {
		return [answer] (MouseRig& t) {
			auto view = new AnsweringView (*t.editorLog, answer);
			t.frame->addView (view);
			t.frame->setMouseDownView (view); // for the mouse-up rows
		};
	};
	auto observerAnsweringNotImplemented = [] (MouseRig& t) { t.frame->registerMouseObserver (&t.notImplemented); };
	const Case cases[] = {
	    {"down, no view takes it (2)", false, [] (MouseRig&) {}, kMouseEventHandled, kMouseEventHandled, true},
	    {"down, the editor answers 2", false, [] (MouseRig&) {}, kMouseEventNotHandled, kMouseEventNotHandled, true},
	    {"down, not implemented (0)", false, observerAnsweringNotImplemented, kMouseEventHandled,
	     kMouseEventHandled, true},
	    {"down, handled (1)", false, viewAnswering (kMouseEventHandled), kMouseEventNotHandled, kMouseEventHandled,
	     false},
	    {"down, handled without moved or up (3)", false,
	     viewAnswering (kMouseDownEventHandledButDontNeedMovedOrUpEvents), kMouseEventNotHandled,
	     kMouseDownEventHandledButDontNeedMovedOrUpEvents, false},
	    {"up, no mouse-down view (2)", true, [] (MouseRig&) {}, kMouseEventHandled, kMouseEventHandled, true},
	    {"up, not implemented (0)", true, viewAnswering (kMouseEventNotImplemented),
	     kMouseDownEventHandledButDontNeedMovedOrUpEvents, kMouseDownEventHandledButDontNeedMovedOrUpEvents, true},
	    {"up, handled (1)", true, viewAnswering (kMouseEventHandled), kMouseEventNotHandled, kMouseEventHandled, false},
	};
	for (const auto& c : cases)
	{
		MouseRig t;
		c.arrange (t);
		t.editor.setMouseDownAnswer (c.editorAnswer);
		t.editor.setMouseUpAnswer (c.editorAnswer);
		const auto result = c.up ? t.frame->platformOnMouseUp (t.where, t.left) : t.frame->platformOnMouseDown (t.where, t.left);
		EXPECT_EQ (result, c.expected) << c.what;
		const char* fallback = c.up ? "onUnhandledMouseUp" : "onUnhandledMouseDown";
		ASSERT_EQ (t.editorLog->count (fallback), c.editorCalled ? 1u : 0u) << c.what;
		if (c.editorCalled)
		{
			auto call = *std::find_if (t.editorLog->all ().begin (), t.editorLog->all ().end (),
			                           [&] (const EditorCall& e) { return e.name == fallback; });
			EXPECT_EQ (call.argument, &t.where) << c.what << ": the entry's own point object";
			EXPECT_EQ (call.buttons, t.left) << c.what;
		}
	}
}

TEST (FrameMouseEntry, WithoutAnEditorTheFramesOwnAnswerStands)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
	CPoint where (10, 10);
	EXPECT_EQ (frame->platformOnMouseDown (where, CButtonState (kLButton)), kMouseEventNotHandled);
	EXPECT_EQ (frame->platformOnMouseUp (where, CButtonState (kLButton)), kMouseEventNotHandled);
	AnsweringObserver notImplemented (kMouseEventNotImplemented);
	frame->registerMouseObserver (&notImplemented);
	EXPECT_EQ (frame->platformOnMouseDown (where, CButtonState (kLButton)), kMouseEventNotImplemented);
	frame->unregisterMouseObserver (&notImplemented);
}

TEST_F (MouseTest, TheMouseUpFallbackComesAfterTheMouseViewsAreChecked)
{
	frame->addView (new AnsweringView (*editorLog, kMouseEventNotHandled));
	EXPECT_EQ (frame->platformOnMouseUp (where, left), kMouseEventNotHandled);
	EXPECT_EQ (editorLog->names (), (std::vector<std::string> {"view entered", "onUnhandledMouseUp"}));
}

TEST_F (MouseTest, MovedAndWheelEventsNeverReachTheEditor)
{
	frame->addView (new AnsweringView (*editorLog, kMouseEventNotHandled));
	EXPECT_EQ (frame->platformOnMouseMoved (where, left), kMouseEventNotHandled);
	EXPECT_FALSE (frame->platformOnMouseWheel (where, kMouseWheelAxisY, 1.f, left));
	EXPECT_EQ (editorLog->count ("onUnhandledMouseDown") + editorLog->count ("onUnhandledMouseUp"), 0u);
}

// The editor answers inside event processing: what it invalidates is
// collected with the rest, and what it queues runs once the event is done.
TEST (FrameMouseEntry, TheEditorAnswersInsideEventProcessing)
{
	struct ProbingEditor : RecordingEditor
	{
		using RecordingEditor::RecordingEditor;
		std::function<void ()> during;
		CMouseEventResult onUnhandledMouseDown (CPoint& where, const CButtonState& buttons) override
		{
			during ();
			return RecordingEditor::onUnhandledMouseDown (where, buttons);
		}
	};
	ProbingEditor editor (std::make_shared<EditorLog> ());
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), &editor);
	auto platform = openOnRecordingPlatform (*frame);
	const auto before = platform->invalidRects ().size ();
	bool queuedRan = false;
	editor.during = [&] {
		EXPECT_TRUE (frame->inEventProcessing ());
		frame->invalidRect (CRect (1, 2, 3, 4));
		EXPECT_EQ (platform->invalidRects ().size (), before) << "collected, not yet passed on";
		frame->doAfterEventProcessing ([&] {
			EXPECT_FALSE (frame->inEventProcessing ());
			queuedRan = true;
		});
		EXPECT_FALSE (queuedRan);
	};
	CPoint where (10, 10);
	frame->platformOnMouseDown (where, CButtonState (kLButton));
	EXPECT_TRUE (queuedRan);
	ASSERT_EQ (platform->invalidRects ().size (), before + 1);
	EXPECT_EQ (platform->invalidRects ().back (), CRect (1, 2, 3, 4));
	EXPECT_FALSE (frame->inEventProcessing ());
}

// A click delivered from inside a draw would wait for its own thread: it is
// reported once, where the event enters the frame, and the click goes on.
TEST_F (MouseTest, AClickDeliveredFromInsideADrawIsReportedAndHandled)
{
	auto drawn = new TestView (nullptr, "drawn", CRect (60, 60, 90, 90));
	frame->addView (new AnsweringView (*editorLog, kMouseEventHandled));
	frame->addView (drawn);
	CMouseEventResult result = kMouseEventNotImplemented;
	drawn->whenDrawn = [&] { result = frame->platformOnMouseDown (where, left); };
	AssertionRecorder reports;
	draw (CRect (60, 60, 90, 90));
	EXPECT_EQ (result, kMouseEventHandled);
	EXPECT_EQ (editorLog->names (), std::vector<std::string> {"view mouseDown"});
	EXPECT_EQ (reports.count (), 1u);
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

} // namespace
