// Several threads add and remove views of containers on one open frame while
// the main thread draws it, sends it mouse events, or closes it, and while
// listeners come and go. Every draw must see whole child lists, no view may be
// used after it ended, every view must end exactly once, and nothing may be
// reported. Run under ThreadSanitizer too; each is bounded in rounds, not in
// time.
#include "AssertionRecorder.h"
#include "CountedObjects.h"
#include "PadWorker.h"
#include "RecordingDrawContext.h"
#include "RecordingPlatformFrame.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr int kWorkers = 4;
constexpr int kRounds = 150;
// Events, or listener changes, that the main thread makes while the workers
// edit: the workers go on until the main thread has made them all.
constexpr int kMainThreadSteps = 400;

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
	viewLives ().reset ();
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

	EXPECT_EQ (viewLives ().faults, 0);
	EXPECT_FALSE (frame->IsGUIDrawingLocked ());
	EXPECT_EQ (shared->getNbViews (), 0u) << "each worker took its views out of the shared container";
	frame->close ();
	EXPECT_GT (viewLives ().made, kWorkers * kRounds);
	EXPECT_EQ (viewLives ().ended, viewLives ().made) << "every view ended, and none twice";
}

// The main thread moves, clicks and leaves over the pads, and draws now and
// then, while eight threads add and remove views under the mouse. Some views
// edit their pad from their own click handler.
TEST (DrawingLockStress, MouseEventsWhileThreadsEdit)
{
	viewLives ().reset ();
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
	EXPECT_EQ (viewLives ().faults, 0) << "a view was used after it ended";
	EXPECT_EQ (reports.count (), 0u);
	EXPECT_EQ (viewLives ().ended, viewLives ().made) << "every view ended, and none twice";
}

// The main thread closes the frame while threads edit views of it. The
// workers keep their pads, and go on editing them once they are off the
// frame; they keep the frame too, whose lock they may be waiting for.
TEST (DrawingLockStress, CloseWhileThreadsEdit)
{
	for (int run = 0; run < 20; ++run)
	{
		viewLives ().reset ();
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
		EXPECT_EQ (viewLives ().faults, 0) << "run " << run;
		EXPECT_EQ (reports.count (), 0u) << "run " << run;
		EXPECT_EQ (viewLives ().ended, viewLives ().made) << "run " << run;
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
	viewLives ().reset ();
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
	EXPECT_EQ (viewLives ().faults, 0);
	EXPECT_EQ (viewLives ().ended, viewLives ().made);
}

} // namespace
