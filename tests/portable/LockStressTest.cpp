// Several threads add and remove views of containers on one open frame while
// the main thread draws it, sends it mouse events, or closes it, and while
// listeners come and go. Every draw must see whole child lists, no view may be
// used after it ended, every view must end exactly once, and nothing may be
// reported. Run under ThreadSanitizer too; each is bounded in rounds, not in
// time.
#include "AssertionRecorder.h"
#include "RecordingDrawContext.h"
#include "RecordingPlatformFrame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <set>
#include <thread>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr int kWorkers = 4;
constexpr int kRounds = 150;
// Events, or listener changes, that the main thread makes while the workers
// edit: the workers go on until the main thread has made them all.
constexpr int kMainThreadSteps = 400;

std::atomic<int> viewsMade {0};
std::atomic<int> viewsEnded {0};
std::atomic<int> faults {0};

// A view that knows whether it is still alive.
class CountedView : public CView
{
public:
	CountedView () : CView (CRect (0, 0, 5, 5)) { ++viewsMade; }
	~CountedView () noexcept override
	{
		if (std::exchange (state, kEnded) != kAlive)
			++faults;
		++viewsEnded;
	}
	void draw (CDrawContext* context) override
	{
		checkAlive ();
		CView::draw (context);
	}
	// Takes the clicks that land on it, so that it becomes its container's
	// mouse-down view and gets the moves and the release.
	CMouseEventResult onMouseDown (CPoint&, const CButtonState&) override { return checkAlive (); }
	CMouseEventResult onMouseMoved (CPoint&, const CButtonState&) override { return checkAlive (); }
	CMouseEventResult onMouseUp (CPoint&, const CButtonState&) override { return checkAlive (); }
	CMouseEventResult onMouseEntered (CPoint&, const CButtonState&) override { return checkAlive (); }
	CMouseEventResult onMouseExited (CPoint&, const CButtonState&) override { return checkAlive (); }
	bool isAlive () const { return state == kAlive; }

protected:
	CMouseEventResult checkAlive () const
	{
		if (state != kAlive)
			++faults;
		return kMouseEventHandled;
	}

private:
	static constexpr uint32_t kAlive = 0xa11fe;
	static constexpr uint32_t kEnded = 0xdead;
	uint32_t state {kAlive};
};

// A view whose click adds a view to its own container and takes it out again,
// as views do from their mouse handlers.
class EditingView : public CountedView
{
public:
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override
	{
		if (auto parent = getParentView ())
		{
			auto marker = new CountedView;
			parent->addView (marker);
			parent->removeView (marker, true);
		}
		return CountedView::onMouseDown (where, buttons);
	}
};

// Checks its child list each time it is drawn: no entry twice, no entry for
// a view that has ended.
class CheckedContainer : public CViewContainer
{
public:
	CheckedContainer () : CViewContainer (CRect (0, 0, 100, 100)) {}

protected:
	void drawBackgroundRect (CDrawContext*, const CRect&) override
	{
		std::set<CView*> seen;
		for (const auto& child : getChildren ())
		{
			auto counted = dynamic_cast<CountedView*> (child.get ());
			if (!seen.insert (child).second || (counted && !counted->isAlive ()))
				++faults;
		}
		if (seen.size () != getNbViews ())
			++faults;
	}
};

// Lets workers wait until the main thread has drawn again.
class DrawCount
{
public:
	void drawn ()
	{
		std::lock_guard<std::mutex> lock (mutex);
		++count;
		changed.notify_all ();
	}
	uint64_t current ()
	{
		std::lock_guard<std::mutex> lock (mutex);
		return count;
	}
	void waitBeyond (uint64_t seen)
	{
		std::unique_lock<std::mutex> lock (mutex);
		changed.wait (lock, [&] { return count > seen; });
	}

private:
	std::mutex mutex;
	std::condition_variable changed;
	uint64_t count {0};
};

void work (int seed, CViewContainer& own, CViewContainer& shared, DrawCount& draws)
{
	std::minstd_rand random (static_cast<unsigned> (seed));
	std::vector<CView*> mineInShared;
	for (int round = 0; round < kRounds; ++round)
	{
		if (round % 10 == 0)
			draws.waitBeyond (draws.current ()); // keep the edits interleaved with draws
		own.addView (new CountedView, own.getNbViews () > 1 ? own.getChildren ().front ().get () : nullptr);
		auto inShared = new CountedView;
		shared.addView (inShared);
		mineInShared.push_back (inShared);

		auto sub = new CViewContainer (CRect (0, 0, 20, 20));
		sub->addView (new CountedView);
		sub->addView (new CountedView);
		own.addView (sub);
		own.removeView (sub, true); // ends it, and its children, inside the removal

		if (own.getNbViews () > 3)
			own.removeView (own.getChildren ()[random () % own.getNbViews ()], true);
		if (mineInShared.size () > 2)
		{
			auto index = random () % mineInShared.size ();
			shared.removeView (mineInShared[index], true);
			mineInShared.erase (mineInShared.begin () + static_cast<long> (index));
		}
		if (round % 25 == 24)
			own.removeAll ();
	}
	for (auto view : mineInShared)
		shared.removeView (view, true);
}

TEST (DrawingLockStress, EditsOnManyThreadsWhileTheMainThreadDraws)
{
	viewsMade = viewsEnded = faults = 0;
	auto frame = new CFrame (CRect (0, 0, 100, 100), nullptr);
	ASSERT_TRUE (openOnRecordingPlatform (*frame));
	auto shared = new CheckedContainer;
	frame->addView (shared);
	std::vector<CheckedContainer*> own;
	for (int i = 0; i < kWorkers; ++i)
	{
		own.push_back (new CheckedContainer);
		frame->addView (own.back ());
	}

	DrawCount draws;
	std::atomic<int> working {kWorkers};
	std::vector<std::thread> workers;
	for (int i = 0; i < kWorkers; ++i)
		workers.emplace_back ([&, i] {
			work (i + 1, *own[i], *shared, draws);
			--working;
		});
	RecordingDrawContext context;
	while (working > 0)
	{
		frame->platformDrawRect (&context, CRect (0, 0, 100, 100));
		draws.drawn ();
		// A main thread also does other things between two draws. Drawing
		// back to back would keep the word nearly all the time, and the edits,
		// which give way to a waiting draw, would find it free only by chance.
		std::this_thread::sleep_for (std::chrono::microseconds (200));
	}
	for (auto& worker : workers)
		worker.join ();

	EXPECT_EQ (faults, 0);
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
	EXPECT_EQ (shared->getNbViews (), 0u) << "each worker took its views out of the shared container";
	frame->close ();
	EXPECT_GT (viewsMade, kWorkers * kRounds);
	EXPECT_EQ (viewsEnded, viewsMade) << "every view ended, and none twice";
}

//------------------------------------------------------------------------------
// Views that workers add at random places of their own pads and take out
// again, keeping their own list: a worker never reads its pad's child list,
// which the main thread's clicks may change.
class PadWorker
{
public:
	PadWorker (int seed, CViewContainer& pad) : random (static_cast<unsigned> (seed)), pad (pad) {}

	void round ()
	{
		const auto x = static_cast<CCoord> (random () % 40), y = static_cast<CCoord> (random () % 80);
		CountedView* view = random () % 3 == 0 ? new EditingView : new CountedView;
		view->setViewSize (CRect (x, y, x + 10, y + 10), false);
		pad.addView (view);
		mine.push_back (view);

		auto sub = new CViewContainer (CRect (0, 0, 20, 20));
		sub->addView (new CountedView);
		pad.addView (sub);
		pad.removeView (sub, true); // ends it, and its child, inside the removal

		if (mine.size () > 4)
		{
			auto index = random () % mine.size ();
			pad.removeView (mine[index], true);
			mine.erase (mine.begin () + static_cast<long> (index));
		}
		if (random () % 40 == 0)
		{
			pad.removeAll ();
			mine.clear ();
		}
	}

private:
	std::minstd_rand random;
	CViewContainer& pad;
	std::vector<CView*> mine;
};

// A frame of eight pads, one for each worker.
struct PadFrame
{
	static constexpr int kPads = 8;
	CFrame* frame = new CFrame (CRect (0, 0, 200, 200), nullptr);
	SharedPointer<RecordingPlatformFrame> platform = openOnRecordingPlatform (*frame);
	std::vector<SharedPointer<CheckedContainer>> pads;

	PadFrame ()
	{
		for (int i = 0; i < kPads; ++i)
		{
			auto pad = makeOwned<CheckedContainer> ();
			const CCoord left = (i % 4) * 50, top = (i / 4) * 100;
			pad->setViewSize (CRect (left, top, left + 50, top + 100), false);
			pad->remember (); // the frame's reference
			frame->addView (pad);
			pads.push_back (pad);
		}
	}
};

// The main thread moves, clicks and leaves over the pads, and draws now and
// then, while eight threads add and remove views under the mouse. Some views
// edit their pad from their own click handler.
TEST (DrawingLockStress, MouseEventsWhileThreadsEdit)
{
	viewsMade = viewsEnded = faults = 0;
	AssertionRecorder reports;
	PadFrame rig;
	ASSERT_TRUE (rig.platform);
	std::atomic<bool> mainThreadDone {false};
	std::vector<std::thread> workers;
	for (int i = 0; i < PadFrame::kPads; ++i)
		workers.emplace_back ([&, i] {
			PadWorker worker (i + 1, *rig.pads[i]);
			for (int round = 0; round < kRounds || !mainThreadDone; ++round)
				worker.round ();
		});

	std::minstd_rand random (7);
	RecordingDrawContext context;
	const CButtonState left (kLButton);
	for (int step = 0; step < kMainThreadSteps; ++step)
	{
		CPoint where (random () % 200, random () % 200);
		rig.frame->platformOnMouseMoved (where, CButtonState ());
		rig.frame->platformOnMouseDown (where, left);
		where.offset (1, 1);
		rig.frame->platformOnMouseMoved (where, left);
		rig.frame->platformOnMouseUp (where, left);
		if (step % 5 == 0)
			rig.frame->platformOnMouseExited (where, CButtonState ());
		if (step % 3 == 0)
			rig.frame->platformDrawRect (&context, CRect (0, 0, 200, 200));
		std::this_thread::sleep_for (std::chrono::microseconds (100));
	}
	mainThreadDone = true;
	for (auto& worker : workers)
		worker.join ();

	EXPECT_FALSE (rig.frame->IsGUIDrawingLocked ());
	rig.frame->close ();
	rig.pads.clear ();
	EXPECT_EQ (faults, 0) << "a view was used after it ended";
	EXPECT_EQ (reports.count (), 0u);
	EXPECT_EQ (viewsEnded, viewsMade) << "every view ended, and none twice";
}

// The main thread closes the frame while threads edit views of it. The
// workers keep their pads, and go on editing them once they are off the
// frame; they keep the frame too, whose lock they may be waiting for.
TEST (DrawingLockStress, CloseWhileThreadsEdit)
{
	for (int run = 0; run < 20; ++run)
	{
		viewsMade = viewsEnded = faults = 0;
		AssertionRecorder reports;
		PadFrame rig;
		ASSERT_TRUE (rig.platform);
		SharedPointer<CFrame> keep (rig.frame);
		std::atomic<int> rounds {0};
		std::vector<std::thread> workers;
		for (int i = 0; i < PadFrame::kPads; ++i)
			workers.emplace_back ([&, i, pad = rig.pads[i]] {
				PadWorker worker (run * 100 + i, *pad);
				for (int round = 0; round < kRounds / 3; ++round, ++rounds)
					worker.round ();
			});
		rig.pads.clear ();

		// Close at a different point of the workers' rounds in each run.
		RecordingDrawContext context;
		while (rounds < run * PadFrame::kPads)
		{
			rig.frame->platformDrawRect (&context, CRect (0, 0, 200, 200));
			std::this_thread::sleep_for (std::chrono::microseconds (100));
		}
		rig.frame->close ();
		for (auto& worker : workers)
			worker.join ();

		EXPECT_FALSE (keep->IsGUIDrawingLocked ()) << "run " << run;
		EXPECT_EQ (keep->getNbViews (), 0u) << "run " << run;
		keep = nullptr;
		EXPECT_EQ (faults, 0) << "run " << run;
		EXPECT_EQ (reports.count (), 0u) << "run " << run;
		EXPECT_EQ (viewsEnded, viewsMade) << "run " << run;
	}
}

// Listeners of a container and observers of the frame come and go on the main
// thread while threads edit views of that container, each edit running a pass
// over those lists.
TEST (DrawingLockStress, ListenersComeAndGoWhileThreadsEdit)
{
	struct CountingListener : ViewContainerListenerAdapter, IViewAddedRemovedObserver
	{
		std::atomic<int> heard {0};
		void viewContainerViewAdded (CViewContainer*, CView*) override { ++heard; }
		void viewContainerViewRemoved (CViewContainer*, CView*) override { ++heard; }
		void onViewAdded (CFrame*, CView*) override { ++heard; }
		void onViewRemoved (CFrame*, CView*) override { ++heard; }
	};
	viewsMade = viewsEnded = faults = 0;
	PadFrame rig;
	ASSERT_TRUE (rig.platform);
	// They outlive every pass: a pass that began before a removal may still
	// be calling a listener as it is removed.
	std::vector<CountingListener> listeners (16);
	std::atomic<bool> mainThreadDone {false};
	std::vector<std::thread> workers;
	for (int i = 0; i < 4; ++i)
		workers.emplace_back ([&, i] {
			PadWorker worker (i + 1, *rig.pads[i]);
			for (int round = 0; round < kRounds || !mainThreadDone; ++round)
				worker.round ();
		});
	for (size_t step = 0; step < kMainThreadSteps; ++step)
	{
		auto& listener = listeners[step % listeners.size ()];
		auto& pad = *rig.pads[step % 4];
		pad.registerViewContainerListener (&listener);
		rig.frame->registerViewAddedRemovedObserver (&listener);
		std::this_thread::sleep_for (std::chrono::microseconds (50));
		pad.unregisterViewContainerListener (&listener);
		rig.frame->unregisterViewAddedRemovedObserver (&listener);
	}
	mainThreadDone = true;
	for (auto& worker : workers)
		worker.join ();

	int heard = 0;
	for (const auto& listener : listeners)
		heard += listener.heard;
	EXPECT_GT (heard, 0);
	rig.frame->close ();
	rig.pads.clear ();
	EXPECT_EQ (faults, 0);
	EXPECT_EQ (viewsEnded, viewsMade);
}

} // namespace
