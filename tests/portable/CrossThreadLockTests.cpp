// The frame's drawing lock between threads. Waiting threads are held in their
// poll by the closed sleep gate, so each test sees a waiter that has found the
// word set, checks that its work has not happened, and only then lets the
// holder go. Nothing here depends on time.
#include "AssertionRecorder.h"
#include "Job.h"
#include "OpenFrame.h"
#include "OutsideHolder.h"
#include "Signal.h"
#include "SleepGate.h"
#include "TestContainer.h"
#include "TestView.h"
#include "WaitsInItsPoll.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// The mouse at (10, 10) is on the painter; the box is at (100, 100, 200, 200).
struct CrossThreadTest : ::testing::Test, OpenFrame
{
};

// An action on the frame, from another thread, and the log it leaves.
struct ActionCase
{
	const char* what;
	std::function<void (CrossThreadTest&)> run;
	Names logAfter;
};

// A mouse call of the frame at (10, 10), as a case's action.
using MouseCall = CMouseEventResult (CFrame::*) (CPoint&, const CButtonState&);
std::function<void (CrossThreadTest&)> onPainter (MouseCall call, CButtonState buttons)
{
	return [=] (CrossThreadTest& t) {
		CPoint where (10, 10);
		(t.frame.get ()->*call) (where, buttons);
	};
}

// While a draw holds the word, an edit on another thread waits: it has not
// happened while the draw runs, and it has once the draw has ended.
TEST_F (CrossThreadTest, EditsWaitForADrawOfTheirFrame)
{
	struct Case
	{
		const char* what;
		std::function<void (CrossThreadTest&, CView* child)> edit;
		// removeAll drops the mouse-down view before it waits.
		bool dropsTheMouseDownViewAtOnce;
		Names childrenAfter;
	};
	const Case cases[] = {
	    {"addView", [] (CrossThreadTest& t, CView*) { t.box->addView (new TestView (nullptr, "new")); }, false,
	     {"child", "new"}},
	    {"removeView of a child", [] (CrossThreadTest& t, CView* child) { t.box->removeView (child); }, false, {}},
	    {"removeView of a stranger",
	     [] (CrossThreadTest& t, CView*) { EXPECT_FALSE (t.box->removeView (makeOwned<CView> (CRect ()))); }, false,
	     {"child"}},
	    {"removeAll", [] (CrossThreadTest& t, CView*) { t.box->removeAll (); }, true, {}},
	};
	listener.whenAdded = [&] (CView*) {
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << "the word is free before the listeners hear of it";
	};
	for (const auto& c : cases)
	{
		box->removeAll ();
		auto child = new TestView (nullptr, "child");
		box->addView (child);
		box->setMouseDownView (child);
		Signal drawing, finishDraw;
		painter->whenDrawn = [&] {
			drawing.notify ();
			finishDraw.wait ();
		};
		SleepGate::Closed gate;
		Job drawer ([&] { draw (); });
		drawing.wait ();
		Job editor ([&] { c.edit (*this, child); });

		EXPECT_TRUE (waitsInItsPoll (editor)) << c.what;
		EXPECT_EQ (childNames (), Names {"child"}) << c.what << ": nothing changed during the draw";
		EXPECT_EQ (box->getMouseDownView () == nullptr, c.dropsTheMouseDownViewAtOnce) << c.what;

		finishDraw.notify ();
		drawer.join ();
		SleepGate::open ();
		editor.join ();
		EXPECT_EQ (childNames (), c.childrenAfter) << c.what;
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;
		painter->whenDrawn = nullptr;
	}
}

// removeAll drops the mouse-down view at once, and empties the container
// once it holds the word. A click in between makes a child the mouse-down
// view again; the emptying drops it too, so that the rest of the click
// reaches no view that has gone.
TEST_F (CrossThreadTest, AClickWhileRemoveAllWaitsLeavesNoMouseDownViewBehind)
{
	auto child = new TestView (&log, "child", CRect (0, 0, 50, 50));
	child->mouseAnswer = kMouseEventHandled;
	box->addView (child);
	std::optional<OutsideHolder> holder (std::in_place, *frame);
	SleepGate::Closed gate;
	Job emptier ([&] { box->removeAll (); });
	ASSERT_TRUE (waitsInItsPoll (emptier));
	EXPECT_EQ (box->getMouseDownView (), nullptr);

	holder->release ();
	CPoint where (110, 110);
	frame->platformOnMouseDown (where, kLButton); // the emptier sleeps in its poll meanwhile
	EXPECT_EQ (box->getMouseDownView (), child);
	SleepGate::open ();
	emptier.join ();
	EXPECT_EQ (box->getNbViews (), 0u);
	ASSERT_EQ (box->getMouseDownView (), nullptr) << "the mouse-down view was removed and released";

	log.clear ();
	frame->platformOnMouseUp (where, kLButton);
	EXPECT_EQ (log.entries (), Names {});
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

// Whatever the waiter, a hold that another thread made keeps it back until
// that thread unlocks. Draws and mouse events then hold the word themselves
// while views draw and handle the event.
TEST_F (CrossThreadTest, WaitersOfAnotherThreadsHoldGoOnOnlyAfterItsUnlock)
{
	const ActionCase cases[] = {
	    {"a draw", [] (CrossThreadTest& t) { t.draw (); }, {"painter draw (locked)", "box background (locked)"}},
	    {"a mouse-down entry", onPainter (&CFrame::platformOnMouseDown, kLButton),
	     {"observer mouseDown (locked)", "painter mouseDown (locked)"}},
	    {"a mouse-up entry", onPainter (&CFrame::platformOnMouseUp, kLButton), {"painter entered (locked)"}},
	    {"a mouse-moved entry", onPainter (&CFrame::platformOnMouseMoved, {}), {"painter entered (locked)"}},
	    {"a wheel entry",
	     [] (CrossThreadTest& t) {
		     t.frame->platformOnMouseWheel (CPoint (10, 10), kMouseWheelAxisY, 1.f, CButtonState ());
	     },
	     {"painter wheel (locked)"}},
	    {"the mouse-down handler", onPainter (&CFrame::onMouseDown, kLButton),
	     {"observer mouseDown (locked)", "painter mouseDown (locked)"}},
	    {"the mouse-moved handler", onPainter (&CFrame::onMouseMoved, {}), {"painter entered (locked)"}},
	    {"the wheel handler",
	     [] (CrossThreadTest& t) { t.frame->onWheel (CPoint (10, 10), kMouseWheelAxisY, 1.f, CButtonState ()); },
	     {"painter wheel (locked)"}},
	    {"WaitForGUIDrawingLock", [] (CrossThreadTest& t) { t.frame->WaitForGUIDrawingLock (); }, {}},
	    {"addView", [] (CrossThreadTest& t) { t.box->addView (new TestView (nullptr, "new")); }, {"added new"}},
	};
	for (const auto& c : cases)
	{
		CPoint away (500, 500);
		frame->clearMouseViews (away, CButtonState (), false); // each case starts outside every view
		OutsideHolder holder (*frame);
		SleepGate::Closed gate;
		log.clear ();
		Job waiter ([&] { c.run (*this); });

		EXPECT_TRUE (waitsInItsPoll (waiter)) << c.what;
		EXPECT_EQ (log.entries (), Names {}) << c.what << ": nothing ran while the word was held";

		holder.release ();
		SleepGate::open ();
		waiter.join ();
		EXPECT_EQ (log.entries (), c.logAfter) << c.what;
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;
	}
}

TEST_F (CrossThreadTest, ADrawWaitsForAnEditThatAnotherThreadHolds)
{
	auto child = new TestView (nullptr, "child");
	box->addView (child);
	Signal removing, finishRemoval;
	listener.whenRemoved = [&] (CView*) {
		removing.notify ();
		finishRemoval.wait ();
	};
	log.clear ();
	Job editor ([&] { box->removeView (child); });
	removing.wait ();
	SleepGate::Closed gate;
	Job drawer ([&] { draw (); });

	EXPECT_TRUE (waitsInItsPoll (drawer));
	EXPECT_EQ (log.entries (), (Names {"removed child (locked)"})) << "no drawing beside the edit";

	finishRemoval.notify ();
	editor.join ();
	SleepGate::open ();
	drawer.join ();
	EXPECT_EQ (log.entries (),
	           (Names {"removed child (locked)", "painter draw (locked)", "box background (locked)"}));
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

// Two edits wait for one hold. When it ends and both poll again, one takes
// the word and the other keeps waiting until the first has finished. (Two
// polls that both find the word free at once are left to the stress test.)
TEST_F (CrossThreadTest, OfTwoWaitingEditsOnlyOneHoldsTheWordAtATime)
{
	auto a = new TestView (nullptr, "a");
	auto b = new TestView (nullptr, "b");
	box->addView (a);
	box->addView (b);
	std::atomic<int> inside {0};
	std::atomic<bool> overlapped {false};
	std::atomic<bool> firstIn {true};
	Signal firstOut;
	listener.whenRemoved = [&] (CView*) {
		if (++inside > 1)
		{
			overlapped = true;
			SleepGate::wake ();
		}
		// The first edit in stays until the other has polled again and found
		// the word taken (or has come in beside it).
		if (firstIn.exchange (false))
		{
			SleepGate::waitForParkedOr (1, [&] { return overlapped.load (); });
			firstOut.notify ();
		}
		--inside;
	};
	SleepGate::Closed gate;
	frame->LockGUIDrawing ();
	Job first ([&] { box->removeView (a); });
	Job second ([&] { box->removeView (b); });
	ASSERT_TRUE (waitsInItsPoll (first, 2));
	ASSERT_TRUE (waitsInItsPoll (second, 2));

	frame->UnLockGUIDrawing ();
	SleepGate::releaseParked ();
	firstOut.wait ();
	SleepGate::open ();
	first.join ();
	second.join ();
	EXPECT_FALSE (overlapped);
	EXPECT_EQ (childNames (), Names {});
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

// An edit that another thread starts during a mouse event waits until the
// event has been dispatched. Its invalidations and queued work then belong to
// its own thread, so they act at once instead of going into the event's
// collection and queue, which only the event's thread touches.
TEST_F (CrossThreadTest, AnEditDuringAnEventWaitsForItAndKeepsOutOfItsState)
{
	auto child = new TestView (nullptr, "child");
	box->addView (child);
	struct EditingObserver : IMouseObserver
	{
		std::function<void ()> whenMouseDown;
		void onMouseEntered (CView*, CFrame*) override {}
		void onMouseExited (CView*, CFrame*) override {}
		CMouseEventResult onMouseDown (CFrame*, const CPoint&, const CButtonState&) override
		{
			whenMouseDown ();
			return kMouseEventNotHandled;
		}
	} observer;
	bool editorSawAnEvent = true, editorsWorkRanAtOnce = false;
	std::optional<Job> editor;
	SleepGate::Closed gate;
	observer.whenMouseDown = [&] {
		editor.emplace ([&] {
			box->removeView (child);
			editorSawAnEvent = frame->inEventProcessing ();
			frame->doAfterEventProcessing ([&] { editorsWorkRanAtOnce = true; });
		});
		EXPECT_TRUE (waitsInItsPoll (*editor)) << "the edit beside the event";
		EXPECT_EQ (childNames (), Names {"child"});
	};
	frame->registerMouseObserver (&observer);
	CPoint where (150, 150);
	frame->platformOnMouseDown (where, CButtonState (kLButton));
	frame->unregisterMouseObserver (&observer);
	const auto invalidatedAfterEvent = platform->invalidRects ().size ();

	SleepGate::open ();
	editor->join ();
	EXPECT_FALSE (editorSawAnEvent);
	EXPECT_TRUE (editorsWorkRanAtOnce);
	EXPECT_GT (platform->invalidRects ().size (), invalidatedAfterEvent) << "the removed child was invalidated at once";
	EXPECT_EQ (childNames (), Names {});
}

// A view's removal that draws at once (a synchronous redraw) only deepens the
// removal's hold: the word stays set until the removal ends, and an edit that
// another thread makes meanwhile keeps waiting.
TEST_F (CrossThreadTest, ADrawInsideARemovalKeepsOtherThreadsOut)
{
	auto child = new TestView (nullptr, "child");
	box->addView (child);
	std::optional<Job> other;
	SleepGate::Closed gate;
	child->whenRemoved = [&] {
		other.emplace ([&] { box->addView (new TestView (nullptr, "other")); });
		EXPECT_TRUE (waitsInItsPoll (*other)) << "before the draw";
		draw ();
		SleepGate::releaseParked (); // the other edit polls once more
		EXPECT_TRUE (waitsInItsPoll (*other)) << "after the draw, still inside the removal";
	};
	box->removeView (child);
	SleepGate::open ();
	other->join ();
	EXPECT_EQ (childNames (), Names {"other"});
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

// A draw or a mouse event that has to wait goes first once the word is free:
// an edit that another thread starts meanwhile leaves the free word to it. So
// however busy other threads keep the word, the main thread gets it at its
// next poll after the current hold.
TEST_F (CrossThreadTest, AWaitingDrawOrEventGoesBeforeNewEdits)
{
	const ActionCase cases[] = {
	    {"a draw", [] (CrossThreadTest& t) { t.draw (); },
	     {"painter draw (locked)", "box background (locked)", "added late"}},
	    {"a mouse-moved entry", onPainter (&CFrame::platformOnMouseMoved, {}),
	     {"painter entered (locked)", "added late"}},
	};
	for (const auto& c : cases)
	{
		frame->clearMouseViews (CPoint (500, 500), CButtonState (), false);
		box->removeAll ();
		std::optional<Job> edit;
		std::optional<OutsideHolder> holder;
		holder.emplace (*frame);
		SleepGate::Closed gate;
		log.clear ();
		Job waiter ([&] { c.run (*this); });
		ASSERT_TRUE (waitsInItsPoll (waiter)) << c.what;

		holder.reset (); // the word is free; the waiter still sleeps in its poll
		edit.emplace ([&] { box->addView (new TestView (nullptr, "late")); });
		EXPECT_TRUE (waitsInItsPoll (*edit, 2)) << c.what << ": the edit took the word from under the waiter";
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;

		SleepGate::open ();
		waiter.join ();
		edit->join ();
		EXPECT_EQ (log.entries (), c.logAfter) << c.what;
	}
}

// What a holder writes before it unlocks is visible to a thread whose wait
// then finds the word free: the wait tests the word with a full-barrier swap.
// Nothing else orders the two threads here, so under ThreadSanitizer a wait
// that only read the word would show as a data race on `written`.
TEST_F (CrossThreadTest, AWaiterSeesWhatTheHolderWroteBeforeItsUnlock)
{
	int written = 0;
	int seen = -1;
	Signal holding, write;
	Job holder ([&] {
		frame->LockGUIDrawing ();
		holding.notify ();
		write.wait ();
		written = 42;
		frame->UnLockGUIDrawing ();
	});
	holding.wait ();
	std::optional<Job> waiter;
	{
		SleepGate::Closed gate;
		waiter.emplace ([&] {
			frame->WaitForGUIDrawingLock ();
			seen = written;
		});
		ASSERT_TRUE (waitsInItsPoll (*waiter));
	} // the waiter polls for real from here on, still before the write
	write.notify ();
	waiter->join ();
	holder.join ();
	EXPECT_EQ (seen, 42);
}

// The mouse's exit never waits: while another thread holds the word, the
// views under the mouse still hear at once that it has left.
TEST_F (CrossThreadTest, TheMouseExitDoesNotWaitForTheWord)
{
	CPoint where (10, 10);
	frame->platformOnMouseMoved (where, CButtonState ());
	ASSERT_TRUE (frame->isMouseView (painter));
	OutsideHolder holder (*frame);
	SleepGate::Closed gate;
	log.clear ();
	Job exit ([&] { frame->platformOnMouseExited (where, CButtonState ()); });
	SleepGate::waitForParkedOr (1, [&] { return exit.isDone (); });
	EXPECT_TRUE (exit.isDone ()) << "the exit waited for the word";
	EXPECT_EQ (log.entries (), Names {"painter exited (locked)"});
	EXPECT_FALSE (frame->isMouseView (painter));
}

// An edit that waited for one frame's word edits a container that has moved
// to another frame meanwhile: it holds the word of the frame the container
// is on once it holds one, and waits for that frame's holder first.
TEST_F (CrossThreadTest, AnEditHoldsTheWordOfTheFrameItsContainerIsOnNow)
{
	OpenFrame other;
	auto moving = new TestContainer (nullptr, "moving", CRect (0, 0, 20, 20));
	frame->addView (moving);
	std::optional<Job> edit;
	SleepGate::Closed gate;
	frame->LockGUIDrawing ();
	edit.emplace ([&] { moving->addView (new TestView (nullptr, "late")); });
	ASSERT_TRUE (waitsInItsPoll (*edit));
	{
		AssertionRecorder reports; // this thread holds the first frame's word
		moving->remember ();
		frame->removeView (moving);
	}
	other.frame->addView (moving);
	ASSERT_EQ (moving->getFrame (), other.frame.get ());
	other.frame->LockGUIDrawing ();
	frame->UnLockGUIDrawing ();
	SleepGate::releaseParked ();
	EXPECT_TRUE (waitsInItsPoll (*edit)) << "it edited under the word of a frame its container had left";
	EXPECT_EQ (moving->getNbViews (), 0u);
	other.frame->UnLockGUIDrawing ();
	SleepGate::open ();
	edit->join ();
	EXPECT_EQ (moving->getNbViews (), 1u);
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
	EXPECT_FALSE (other.frame->IsGUIDrawingLocked ());
}

} // namespace
