// Adding and removing views of containers on a frame: the library's order of
// steps, and where the frame's drawing lock is held within it. Entries that
// end in "(locked)" were made while the frame's word was set.
#include "AssertionRecorder.h"
#include "LoggingFrameObserver.h"
#include "OpenFrame.h"
#include "RecordingPlatformFrame.h"
#include "SleepGate.h"
#include "TestContainer.h"
#include "TestView.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// The frame observer logs the views that the frame sees added and removed.
struct EditTest : ::testing::Test, OpenFrame
{
	EditTest () { frame->registerViewAddedRemovedObserver (&frameObserver); }
};

TEST_F (EditTest, AddViewHoldsTheWordOnlyWhileTheEntryGoesIn)
{
	ASSERT_TRUE (platform);
	auto view = new TestView (&log, "a");
	listener.whenAdded = [&] (CView* added) { EXPECT_TRUE (added->isSubview ()) << "the flag is set first"; };
	log.clear ();

	EXPECT_TRUE (box->addView (view));
	EXPECT_EQ (log.entries (), (Names {"added a", "a attached", "frame saw a added", "a invalid"}));
	EXPECT_EQ (view->getFrame (), frame.get ());
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

TEST_F (EditTest, AddViewPlacesTheViewBeforeAChildOrAtTheEnd)
{
	struct Case
	{
		const char* what;
		std::function<CView* (EditTest&)> before;
		Names children;
		Names reports;
	};
	auto stranger = makeOwned<CView> (CRect ());
	const Case cases[] = {
	    {"no before", [] (EditTest&) { return nullptr; }, {"x", "y", "new"}, {}},
	    {"before a child", [] (EditTest& t) { return t.box->getChildren ()[1].get (); }, {"x", "new", "y"}, {}},
	    {"before a stranger", [&] (EditTest&) { return stranger.get (); }, {"x", "y", "new"}, {""}},
	};
	for (const auto& c : cases)
	{
		box->removeAll ();
		addToBox ("x");
		addToBox ("y");
		AssertionRecorder reports;
		EXPECT_TRUE (box->addView (new TestView (&log, "new"), c.before (*this))) << c.what;
		EXPECT_EQ (childNames (), c.children) << c.what;
		EXPECT_EQ (reports.reports (), c.reports) << c.what;
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;
	}
}

TEST_F (EditTest, AViewOfAnotherContainerIsReportedBeforeAnythingChanges)
{
	auto view = addToBox ("a");
	auto other = makeOwned<CViewContainer> (CRect (0, 0, 10, 10));
	AssertionRecorder reports (true);
	EXPECT_THROW (other->addView (view), AssertionRecorder::Failure);
	EXPECT_EQ (reports.reports (), Names {"view is already added to a container view"});
	EXPECT_EQ (other->getNbViews (), 0u);
}

TEST_F (EditTest, ANullViewIsRefusedWithoutTouchingTheWord)
{
	AssertionRecorder reports;
	frame->LockGUIDrawing (); // a wait for it on this thread would be reported
	EXPECT_FALSE (box->addView (nullptr));
	EXPECT_EQ (reports.count (), 0u);
	frame->UnLockGUIDrawing ();
}

// removeView invalidates the view and notifies before unlinking; removeAll
// unlinks first and notifies after, without invalidating.
TEST_F (EditTest, TheTwoRemovalsRunUnderTheWordInTheirOwnOrders)
{
	struct Case
	{
		const char* what;
		std::function<void (CViewContainer&, CView*)> remove;
		Names log;
	};
	const Case cases[] = {
	    {"removeView", [] (CViewContainer& c, CView* v) { EXPECT_TRUE (c.removeView (v, true)); },
	     {"a invalid (locked)", "a removed (locked)", "frame saw a removed (locked)", "removed a (locked)",
	      "still listed (locked)", "a destroyed (locked)"}},
	    {"removeAll", [] (CViewContainer& c, CView*) { EXPECT_TRUE (c.removeAll (true)); },
	     {"a removed (locked)", "frame saw a removed (locked)", "removed a (locked)", "unlisted (locked)",
	      "a destroyed (locked)"}},
	};
	listener.whenRemoved = [&] (CView* removed) {
		EXPECT_FALSE (removed->isSubview ());
		log.add (box->isChild (removed) ? "still listed" : "unlisted");
	};
	for (const auto& c : cases)
	{
		auto view = addToBox ("a");
		log.clear ();
		c.remove (*box, view);
		EXPECT_EQ (log.entries (), c.log) << c.what;
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;
	}
}

TEST_F (EditTest, WithoutTheReleaseFlagTheCallerKeepsTheView)
{
	auto view = addToBox ("a");
	SharedPointer<CView> callers (view, false); // the reference the view was made with
	EXPECT_TRUE (box->removeView (view, false));
	EXPECT_EQ (view->getNbReference (), 1);
	EXPECT_FALSE (view->isAttached ());
	EXPECT_EQ (view->getFrame (), nullptr);
}

TEST_F (EditTest, RemovingAViewThatIsNotAChildStillTakesTheWord)
{
	auto stranger = makeOwned<TestView> (&log, "stranger");
	EXPECT_FALSE (box->removeView (stranger));
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());

	AssertionRecorder reports;
	frame->LockGUIDrawing ();
	EXPECT_FALSE (box->removeView (stranger));
	EXPECT_EQ (reports.count (), 1u) << "it waited for the word before the search";
	frame->UnLockGUIDrawing ();
}

TEST_F (EditTest, TheMouseDownViewIsDroppedWithoutACancel)
{
	const std::function<void (CViewContainer&, CView*)> removals[] = {
	    [] (CViewContainer& c, CView* v) { c.removeView (v); },
	    [] (CViewContainer& c, CView*) { c.removeAll (); },
	};
	for (const auto& remove : removals)
	{
		auto view = addToBox ("a");
		box->setMouseDownView (view);
		log.clear ();
		remove (*box, view);
		EXPECT_EQ (box->getMouseDownView (), nullptr);
		for (const auto& entry : log.entries ())
			EXPECT_EQ (entry.find ("mouse"), std::string::npos) << entry;
	}
}

TEST_F (EditTest, RemoveAllTakesTheWordAlsoForAnEmptyContainer)
{
	AssertionRecorder reports;
	frame->LockGUIDrawing ();
	EXPECT_TRUE (box->removeAll ());
	EXPECT_EQ (reports.count (), 1u);
	frame->UnLockGUIDrawing ();
}

TEST_F (EditTest, ContainersWithoutAFrameTouchNoWord)
{
	auto unopened = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	auto onUnopened = new CViewContainer (CRect (0, 0, 10, 10));
	unopened->addView (onUnopened);
	auto loose = makeOwned<CViewContainer> (CRect (0, 0, 10, 10));
	AssertionRecorder reports;
	frame->LockGUIDrawing ();
	unopened->LockGUIDrawing ();
	const auto sleeps = SleepGate::sleepsOnThisThread ();
	for (CViewContainer* container : {onUnopened, loose.get ()})
	{
		ASSERT_EQ (container->getFrame (), nullptr);
		auto view = new CView (CRect (0, 0, 1, 1));
		EXPECT_TRUE (container->addView (view));
		EXPECT_TRUE (container->removeView (view));
		EXPECT_TRUE (container->removeAll ());
	}
	EXPECT_EQ (reports.count (), 0u);
	EXPECT_EQ (SleepGate::sleepsOnThisThread (), sleeps);
	unopened->UnLockGUIDrawing ();
	frame->UnLockGUIDrawing ();
}

TEST_F (EditTest, AChildContainerReleasedInItsRemovalEmptiesItselfWithoutWaiting)
{
	auto inner = new TestContainer (&log, "inner", CRect (0, 0, 50, 50));
	inner->addView (new TestView (&log, "g"));
	box->addView (inner);
	log.clear ();
	AssertionRecorder reports;
	EXPECT_TRUE (box->removeView (inner, true));
	EXPECT_EQ (log.entries (),
	           (Names {"inner removed (locked)", "g removed (locked)", "frame saw g removed (locked)",
	                   "frame saw inner removed (locked)", "removed inner (locked)", "g destroyed (locked)",
	                   "inner destroyed (locked)"}));
	EXPECT_EQ (reports.count (), 0u) << "the destroyed container took no lock";
}

TEST_F (EditTest, AnAddedListenerMayEditTheTreeAgain)
{
	bool addedOnce = false;
	listener.whenAdded = [&] (CView*) {
		if (!std::exchange (addedOnce, true))
			box->addView (new TestView (&log, "follower"));
	};
	AssertionRecorder reports;
	addToBox ("a");
	EXPECT_EQ (childNames (), (Names {"a", "follower"}));
	EXPECT_EQ (reports.count (), 0u);
}

// An edit of the same frame from inside a removal would wait for its own
// thread: it is reported, and it goes on under the removal's hold.
TEST_F (EditTest, AnEditInsideARemovalIsReportedAndGoesOn)
{
	auto a = addToBox ("a");
	auto c = addToBox ("c");
	a->whenRemoved = [&] {
		box->removeView (c);
		box->addView (new TestView (&log, "b"));
	};
	AssertionRecorder reports;
	EXPECT_TRUE (box->removeView (a));
	EXPECT_EQ (reports.count (), 2u);
	EXPECT_EQ (childNames (), Names {"b"});
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

TEST_F (EditTest, AnExceptionLeavingALockedStretchReleasesTheWord)
{
	struct Case
	{
		const char* what;
		std::function<void (EditTest&, TestView*)> arm;
		std::function<void (EditTest&, TestView*)> edit;
	};
	auto stranger = makeOwned<CView> (CRect ());
	const Case cases[] = {
	    {"addView, an assertion handler that throws", [] (EditTest&, TestView*) {},
	     [&] (EditTest& t, TestView*) { t.box->addView (makeOwned<CView> (CRect ()), stranger); }},
	    {"removeView, a listener that throws",
	     [] (EditTest& t, TestView*) { t.listener.whenRemoved = [] (CView*) { throw std::runtime_error ("l"); }; },
	     [] (EditTest& t, TestView* v) { t.box->removeView (v); }},
	    {"removeAll, a removed that throws",
	     [] (EditTest&, TestView* v) { v->whenRemoved = [] { throw std::runtime_error ("r"); }; },
	     [] (EditTest& t, TestView*) { t.box->removeAll (); }},
	};
	for (const auto& c : cases)
	{
		auto view = addToBox ("a");
		AssertionRecorder reports (true);
		c.arm (*this, view);
		EXPECT_ANY_THROW (c.edit (*this, view)) << c.what;
		EXPECT_FALSE (frame->IsGUIDrawingLocked ()) << c.what;
		listener.whenRemoved = nullptr;
		view->whenRemoved = nullptr;
		EXPECT_NO_THROW (box->removeAll ()) << c.what << ": a later edit takes the word as usual";
	}
}

TEST_F (EditTest, ChangingTheZOrderTakesNoLock)
{
	addToBox ("x");
	auto y = addToBox ("y");
	addToBox ("z");
	AssertionRecorder reports;
	frame->LockGUIDrawing (); // a wait for it on this thread would be reported
	EXPECT_TRUE (box->changeViewZOrder (y, 2));
	EXPECT_EQ (childNames (), (Names {"x", "z", "y"}));
	EXPECT_TRUE (box->changeViewZOrder (y, 0));
	EXPECT_EQ (childNames (), (Names {"y", "x", "z"}));
	EXPECT_FALSE (box->changeViewZOrder (y, 3));
	EXPECT_EQ (reports.count (), 0u);
	frame->UnLockGUIDrawing ();
}

//------------------------------------------------------------------------------
TEST (FrameRemoveAll, EndsModalSessionsAndDropsFocusAndMouseViewsBeforeTheLock)
{
	EventLog log;
	LoggingFrameObserver observer (log);
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
	ASSERT_TRUE (openOnRecordingPlatform (*frame));
	auto focus = new TestView (&log, "f", CRect (0, 0, 50, 50));
	frame->addView (focus);
	frame->setFocusView (focus);
	frame->setActiveFocusView (focus);
	frame->checkMouseViews (CPoint (5, 5), CButtonState ());
	ASSERT_TRUE (frame->isMouseView (focus));
	ASSERT_TRUE (frame->beginModalViewSession (new TestView (&log, "m1")));
	ASSERT_TRUE (frame->setModalView (new TestView (&log, "m2")));
	frame->registerViewAddedRemovedObserver (&observer);
	log.watch (frame);
	log.clear ();

	EXPECT_TRUE (frame->removeAll ());
	EXPECT_EQ (log.entries (),
	           (Names {"m2 invalid (locked)", "m2 removed (locked)", "frame saw m2 removed (locked)",
	                   "m2 destroyed (locked)", "m1 invalid (locked)", "m1 removed (locked)",
	                   "frame saw m1 removed (locked)", "m1 destroyed (locked)", "f looseFocus",
	                   "f removed (locked)", "frame saw f removed (locked)", "f destroyed (locked)"}));
	EXPECT_EQ (frame->getModalView (), nullptr);
	EXPECT_EQ (frame->getFocusView (), nullptr);
	EXPECT_EQ (frame->getActiveFocusView (), nullptr);
	EXPECT_FALSE (frame->isMouseView (focus));
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
}

TEST (FrameClose, RemovesTheChildrenWithoutTheWordAndGivesUpTheCreatorsReference)
{
	EventLog log;
	auto frame = new CFrame (CRect (0, 0, 100, 100), nullptr);
	auto platform = openOnRecordingPlatform (*frame);
	frame->addView (new TestView (&log, "a"));
	SharedPointer<CFrame> observer (frame);
	log.watch (frame);
	AssertionRecorder reports;
	frame->LockGUIDrawing (); // a wait for it on this thread would be reported
	log.clear ();

	frame->close ();
	EXPECT_EQ (log.entries (), (Names {"a removed (locked)", "a destroyed (locked)"}));
	EXPECT_EQ (reports.count (), 0u) << "close neither waited for nor took the word";
	EXPECT_EQ (frame->getFrame (), nullptr);
	EXPECT_FALSE (frame->isOpen ());
	EXPECT_EQ (frame->getNbReference (), 1) << "only the observer's reference is left";
	const auto invalidations = platform->invalidRects ().size ();
	frame->invalid ();
	EXPECT_EQ (platform->invalidRects ().size (), invalidations) << "the platform view is gone";
	frame->UnLockGUIDrawing ();
}

} // namespace
