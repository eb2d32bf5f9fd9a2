// Several threads add and remove views of containers on one open frame while
// the main thread draws it again and again. Every draw must see whole child
// lists, and every view must end exactly once. Run under ThreadSanitizer too;
// it is bounded in rounds, not in time.
#include "TestViews.h"

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
		if (state != kAlive)
			++faults;
		CView::draw (context);
	}
	bool isAlive () const { return state == kAlive; }

private:
	static constexpr uint32_t kAlive = 0xa11fe;
	static constexpr uint32_t kEnded = 0xdead;
	uint32_t state {kAlive};
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
	TestDrawContext context;
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

} // namespace
