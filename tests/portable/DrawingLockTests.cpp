// The spin-lock steps and the frame's drawing lock, on one thread: the five
// exported operations, the draw, and nested use on the holding thread.
#include "AssertionRecorder.h"
#include "OpenFrame.h"
#include "SleepGate.h"
#include "TestContainer.h"
#include "TestView.h"

#include "lib/spinlock.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

TEST (SpinLockSteps, EachStepActsOnTheWordWithoutSleeping)
{
	struct Case
	{
		const char* step;
		int32_t before;
		std::function<bool (SpinLock::Word&)> run;
		bool answer;
		int32_t after;
	};
	const Case cases[] = {
	    {"free test, free", 0, SpinLock::isFree, true, 0},
	    {"free test, taken", 1, SpinLock::isFree, false, 1},
	    {"lock, free", 0, [] (SpinLock::Word& w) { return SpinLock::lock (w); }, true, 1},
	    {"lock, taken: no wait, no count", 1, [] (SpinLock::Word& w) { return SpinLock::lock (w); }, false, 1},
	    {"unlock, taken", 1, [] (SpinLock::Word& w) { return SpinLock::unlock (w), true; }, true, 0},
	    {"unlock, free", 0, [] (SpinLock::Word& w) { return SpinLock::unlock (w), true; }, true, 0},
	    {"wait, free", 0, [] (SpinLock::Word& w) { return SpinLock::wait (w), true; }, true, 0},
	    {"wait-then-lock, free", 0, [] (SpinLock::Word& w) { return SpinLock::waitForThenLock (w), true; }, true, 1},
	};
	for (const auto& c : cases)
	{
		SpinLock::Word word = c.before;
		const auto sleeps = SleepGate::sleepsOnThisThread ();
		EXPECT_EQ (c.run (word), c.answer) << c.step;
		EXPECT_EQ (word, c.after) << c.step;
		EXPECT_EQ (SleepGate::sleepsOnThisThread (), sleeps) << c.step;
	}
}

using Operation = void (*) (CFrame&);
const Operation lockOp = [] (CFrame& f) { f.LockGUIDrawing (); };
const Operation unlockOp = [] (CFrame& f) { f.UnLockGUIDrawing (); };
const Operation waitOp = [] (CFrame& f) { f.WaitForGUIDrawingLock (); };
const Operation waitThenLockOp = [] (CFrame& f) { f.WaitForThenLockGUIDrawing (); };

TEST (FrameDrawingLock, TheFiveOperationsOnOneThread)
{
	struct Case
	{
		const char* what;
		std::vector<Operation> operations;
		bool lockedAfter;
	};
	const Case cases[] = {
	    {"a new frame", {}, false},
	    {"lock", {lockOp}, true},
	    {"lock twice, unlock once: no count", {lockOp, lockOp, unlockOp}, false},
	    {"unlock a free word", {unlockOp}, false},
	    {"wait on a free word", {waitOp}, false},
	    {"wait-then-lock on a free word", {waitThenLockOp}, true},
	    {"wait-then-lock, unlock", {waitThenLockOp, unlockOp}, false},
	};
	AssertionRecorder reports;
	for (const auto& c : cases)
	{
		auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
		const auto sleeps = SleepGate::sleepsOnThisThread ();
		for (auto operation : c.operations)
			operation (*frame);
		const bool locked = frame->IsGUIDrawingLocked ();
		EXPECT_EQ (locked, c.lockedAfter) << c.what;
		EXPECT_EQ (SleepGate::sleepsOnThisThread (), sleeps) << c.what << ": no sleep";
		frame->UnLockGUIDrawing ();
	}
	EXPECT_EQ (reports.count (), 0u);
}

TEST (FrameDrawingLock, AnyThreadUnlocksAndTheHoldersLaterUnlockChangesNothing)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	std::thread ([&] { frame->LockGUIDrawing (); }).join ();
	ASSERT_TRUE (frame->IsGUIDrawingLocked ());
	frame->UnLockGUIDrawing ();
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
	std::thread ([&] { frame->UnLockGUIDrawing (); }).join ();
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

// In a child that the kernel kills on any system call but write and exit.
#if !defined(__SANITIZE_THREAD__)
TEST (FrameDrawingLock, MakesNoSystemCallOnAFreeWord)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	const pid_t child = fork ();
	ASSERT_GE (child, 0);
	if (child == 0)
	{
		if (prctl (PR_SET_SECCOMP, SECCOMP_MODE_STRICT) != 0)
			syscall (SYS_exit, 2);
		bool sound = !frame->IsGUIDrawingLocked ();
		frame->WaitForGUIDrawingLock ();
		frame->LockGUIDrawing ();
		sound = sound && frame->IsGUIDrawingLocked ();
		frame->UnLockGUIDrawing ();
		frame->WaitForThenLockGUIDrawing ();
		frame->UnLockGUIDrawing ();
		syscall (SYS_exit, sound ? 0 : 1);
	}
	int status = 0;
	ASSERT_EQ (waitpid (child, &status, 0), child);
	if (WIFEXITED (status) && WEXITSTATUS (status) == 2)
		GTEST_SKIP () << "no strict seccomp here";
	ASSERT_TRUE (WIFEXITED (status)) << "killed by signal " << WTERMSIG (status) << ": a system call was made";
	EXPECT_EQ (WEXITSTATUS (status), 0);
}
#endif

//------------------------------------------------------------------------------
struct DrawTest : ::testing::Test, OpenFrame
{
};

TEST_F (DrawTest, SetsTheWordWhileTheRectangleIsDrawnAndClearsItAfter)
{
	EXPECT_TRUE (draw (CRect (0, 0, 50, 50)));
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
	EXPECT_EQ (log.entries (), (Names {"painter draw (locked)"}));
}

TEST_F (DrawTest, OnTheThreadThatHoldsTheWordDrawsAtOnceAndClearsIt)
{
	AssertionRecorder reports;
	frame->LockGUIDrawing ();
	EXPECT_TRUE (draw (CRect (0, 0, 50, 50)));
	EXPECT_EQ (log.entries (), (Names {"painter draw (locked)"}));
	EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << "the draw's unlock step clears a plain lock of its own thread";
	EXPECT_EQ (reports.count (), 0u);
}

TEST_F (DrawTest, ReleasesTheWordWhenTheDrawingThrows)
{
	painter->whenDrawn = [] { throw std::runtime_error ("draw failed"); };
	EXPECT_THROW (draw (CRect (0, 0, 50, 50)), std::runtime_error);
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

TEST_F (DrawTest, DrawsTheBackgroundThenTheVisibleChildrenThatMeetTheRectangle)
{
	auto container = new TestContainer (&log, "container", CRect (60, 70, 120, 130));
	auto inside = new TestView (&log, "inside", CRect (0, 0, 10, 10));
	auto hidden = new TestView (&log, "hidden", CRect (0, 0, 10, 10));
	auto outside = new TestView (&log, "outside", CRect (40, 40, 50, 50));
	hidden->setVisible (false);
	for (auto child : {inside, hidden, outside})
		container->addView (child);
	frame->addView (container);
	CGraphicsTransform seen;
	inside->whenDrawn = [&] { seen = context.getCurrentTransform (); };
	log.clear ();

	draw (CRect (60, 70, 80, 90));
	EXPECT_EQ (log.entries (), (Names {"container background (locked)", "inside draw (locked)"}));
	EXPECT_EQ (seen, CGraphicsTransform ().translate (60, 70)) << "children draw in the container's coordinates";
}

//------------------------------------------------------------------------------
// On the thread that holds the word, each wait is reported once and goes on.
TEST (FrameDrawingLock, NestedUseOnTheHoldingThreadIsReportedAndGoesOn)
{
	struct Case
	{
		const char* what;
		std::function<void (CFrame&)> run;
		size_t reports;
	};
	CPoint where (5, 5);
	const Case cases[] = {
	    {"WaitForGUIDrawingLock", waitOp, 1},
	    {"WaitForThenLockGUIDrawing", waitThenLockOp, 1},
	    {"addView", [] (CFrame& f) { f.addView (new CView (CRect (0, 0, 1, 1))); }, 1},
	    {"removeView", [] (CFrame& f) { f.removeView (f.getChildren ().front ()); }, 1},
	    {"removeAll", [] (CFrame& f) { f.removeAll (); }, 1},
	    {"onMouseDown", [&] (CFrame& f) { f.onMouseDown (where, CButtonState (kLButton)); }, 1},
	    {"the platform mouse-down: its wait and the handler's", [&] (CFrame& f) {
		     f.platformOnMouseDown (where, CButtonState (kLButton));
	     }, 2},
	};
	for (const auto& c : cases)
	{
		auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
		frame->addView (new CView (CRect (0, 0, 1, 1)));
		AssertionRecorder reports;
		frame->LockGUIDrawing ();
		c.run (*frame);
		EXPECT_EQ (reports.reports (), Names (c.reports, "waits for a lock that this thread holds")) << c.what;
		EXPECT_TRUE (frame->IsGUIDrawingLocked ()) << c.what << ": the outer hold stays";
		frame->UnLockGUIDrawing ();
	}
}

// The library's own holds nest on their thread: the inner one deepens the
// outer, and only the outermost gives the word back. Edits that the views of
// a mouse event make are the common case and go quietly; an edit or an event
// inside a draw or a removal would have waited for itself, and is reported.
TEST (FrameDrawingLock, HoldsOfTheLibraryNestOnTheirThread)
{
	struct Rig : OpenFrame
	{
		void click (CPoint where) { frame->platformOnMouseDown (where, CButtonState (kLButton)); }
		void edit ()
		{
			auto extra = new CView (CRect (60, 60, 70, 70));
			frame->addView (extra);
			frame->removeView (extra);
		}
	};
	using Action = void (*) (Rig&);
	struct Outer
	{
		const char* name;
		void (*arm) (Rig&, std::function<void ()> inner);
		Action run;
	};
	const Outer clickOnPainter {"a click",
	                            [] (Rig& r, std::function<void ()> inner) { r.painter->whenMouseDown = inner; },
	                            [] (Rig& r) { r.click (CPoint (10, 10)); }};
	const Outer drawOfPainter {"a draw", [] (Rig& r, std::function<void ()> inner) { r.painter->whenDrawn = inner; },
	                           [] (Rig& r) { r.draw (); }};
	const Outer removalOfPainter {"a removal",
	                              [] (Rig& r, std::function<void ()> inner) { r.painter->whenRemoved = inner; },
	                              [] (Rig& r) { r.frame->removeView (r.painter); }};
	struct Case
	{
		const Outer& outer;
		const char* inner;
		Action run;
		size_t reports;
	};
	const Action edit = [] (Rig& r) { r.edit (); };
	const Action draw = [] (Rig& r) { r.draw (); };
	const Action click = [] (Rig& r) { r.click (CPoint (80, 80)); }; // beside the painter
	const Case cases[] = {
	    {clickOnPainter, "edits", edit, 0},
	    {clickOnPainter, "a draw", draw, 0},
	    {clickOnPainter, "a click passed on", click, 0},
	    {removalOfPainter, "a draw", draw, 0},
	    {removalOfPainter, "edits", edit, 2},
	    {removalOfPainter, "a click", click, 1},
	    {drawOfPainter, "edits", edit, 2},
	    {drawOfPainter, "a click", click, 1},
	};
	for (const auto& c : cases)
	{
		Rig rig;
		bool heldAfterInner = false;
		c.outer.arm (rig, [&] {
			c.run (rig);
			heldAfterInner = rig.frame->IsGUIDrawingLocked ();
		});
		AssertionRecorder reports;
		c.outer.run (rig);
		const auto what = std::string (c.inner) + " inside " + c.outer.name;
		ASSERT_TRUE (rig.platform);
		EXPECT_TRUE (heldAfterInner) << what << ": the inner hold ended the outer one";
		EXPECT_FALSE (rig.frame->IsGUIDrawingLocked ()) << what;
		EXPECT_EQ (reports.reports (), Names (c.reports, "waits for a lock that this thread holds")) << what;
	}
}

TEST (FrameDrawingLock, AThrowingReportOfNestedUseLeavesTheOuterHold)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	auto view = makeOwned<CView> (CRect (0, 0, 1, 1));
	AssertionRecorder reports (true);
	frame->LockGUIDrawing ();
	EXPECT_THROW (frame->addView (view), AssertionRecorder::Failure);
	EXPECT_TRUE (frame->IsGUIDrawingLocked ());
	EXPECT_EQ (frame->getNbViews (), 0u);
}

// The word has no owner: an unlock step clears it whoever set it, also a
// plain lock that the edit's own thread made while the edit held the word.
TEST (FrameDrawingLock, AnEditsUnlockStepClearsAPlainLockMadeInsideIt)
{
	OpenFrame rig;
	auto view = rig.addToBox ("a");
	view->whenRemoved = [&] {
		rig.frame->UnLockGUIDrawing ();
		rig.frame->LockGUIDrawing ();
	};
	rig.box->removeView (view);
	EXPECT_FALSE (rig.frame->IsGUIDrawingLocked ());
}

} // namespace
