// The cost of the frame's drawing lock: the word against a std::mutex,
// view-tree edits that take it against the same edits without a frame, how
// long a draw waits while another thread edits, and how soon a waiting
// thread takes the word after an unlock.
//
// This machine is a shared VM whose speed drifts over seconds; compare with
//   --benchmark_repetitions=12 --benchmark_enable_random_interleaving=true
// so that the runs being compared interleave.
#include "lib/cdrawcontext.h"
#include "lib/cframe.h"
#include "lib/platform/iplatformframe.h"
#include "lib/coffscreencontext.h"
#include "lib/platform/common/genericoptionmenutheme.h"
#include "lib/platform/iplatformoptionmenu.h"
#include "lib/platform/mac/cgplatformfactory.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <vector>
#include <thread>

namespace {

using namespace VSTGUI;

// A host process runs many threads. Once a second thread has existed, glibc
// stops taking its single-thread shortcuts (std::mutex then uses atomic
// instructions), so start one before measuring anything.
const bool multiThreaded = [] {
	std::thread ([] {}).join ();
	return true;
}();

void FrameWord_LockUnlock (benchmark::State& state)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	for (auto _ : state)
	{
		frame->LockGUIDrawing ();
		frame->UnLockGUIDrawing ();
	}
}
BENCHMARK (FrameWord_LockUnlock);

void FrameWord_WaitForThenLockUnlock (benchmark::State& state)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	for (auto _ : state)
	{
		frame->WaitForThenLockGUIDrawing ();
		frame->UnLockGUIDrawing ();
	}
}
BENCHMARK (FrameWord_WaitForThenLockUnlock);

void StdMutex_LockUnlock (benchmark::State& state)
{
	std::mutex mutex;
	for (auto _ : state)
	{
		mutex.lock ();
		mutex.unlock ();
	}
}
BENCHMARK (StdMutex_LockUnlock);

void addThenRemove (benchmark::State& state, CViewContainer& container)
{
	auto view = makeOwned<CView> (CRect (0, 0, 1, 1));
	for (auto _ : state)
	{
		container.addView (view);
		container.removeView (view, false);
	}
}

// The frame's own child list: the frame is on itself, so both edits take its
// word; it is not open, so the edits do nothing else that the frame-less
// container below does not.
void AddRemove_OnAFrame (benchmark::State& state)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	addThenRemove (state, *frame);
}
BENCHMARK (AddRemove_OnAFrame);

void AddRemove_FramelessContainer (benchmark::State& state)
{
	auto container = makeOwned<CViewContainer> (CRect (0, 0, 10, 10));
	addThenRemove (state, *container);
}
BENCHMARK (AddRemove_FramelessContainer);

// For comparison: a container on an open frame, where the edits also attach,
// invalidate and detach the view.
class NullPlatformFrame : public IPlatformFrame
{
public:
	void invalidRect (const CRect&) override {}
	void setSize (const CRect&) override {}
	SharedPointer<COffscreenContext> createOffscreenContext (CCoord, CCoord, double) override { return nullptr; }
	bool setMouseCursor (CCursorType) override { return false; }
	SharedPointer<IPlatformOptionMenu> createPlatformOptionMenu () override { return nullptr; }
	void setGenericOptionMenuTheme (std::unique_ptr<GenericOptionMenuTheme>) override {}
};

class NullPlatformFactory : public CGPlatformFactory
{
public:
	SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback*, const CRect&, void*) const override
	{
		return makeOwned<NullPlatformFrame> ();
	}
};

// A frame shown on a platform frame that does nothing.
CFrame* openFrame ()
{
	auto frame = new CFrame (CRect (0, 0, 10, 10), nullptr);
	int parent = 0;
	frame->open (&parent, NullPlatformFactory ());
	return frame;
}

void AddRemove_ContainerOnAnOpenFrame (benchmark::State& state)
{
	auto frame = openFrame ();
	auto container = new CViewContainer (CRect (0, 0, 10, 10));
	frame->addView (container);
	addThenRemove (state, *container);
	frame->close ();
}
BENCHMARK (AddRemove_ContainerOnAnOpenFrame);

// The main thread's draw while another thread keeps the word busy: it edits
// the frame's views again and again, each removal holding the word for about
// 200 microseconds and the next edit coming right after it. Reports how long a
// draw waited before its views were drawn, the median and the worst of the
// run, against the 1 ms poll of a waiting thread.
class BusyRemovalListener : public ViewContainerListenerAdapter
{
public:
	void viewContainerViewRemoved (CViewContainer*, CView*) override
	{
		const auto until = std::chrono::steady_clock::now () + std::chrono::microseconds (200);
		while (std::chrono::steady_clock::now () < until)
		{
		}
	}
};

class TimedView : public CView
{
public:
	TimedView () : CView (CRect (0, 0, 10, 10)) {}
	void draw (CDrawContext* context) override
	{
		drawnAt = std::chrono::steady_clock::now ();
		CView::draw (context);
	}
	std::chrono::steady_clock::time_point drawnAt;
};

class NullDrawContext : public CDrawContext
{
public:
	NullDrawContext () : CDrawContext (CRect (0, 0, 10, 10)) {}
	void drawBitmap (CBitmap*, const CRect&, const CPoint&, float) override {}
};

void Draw_WaitWhileAnotherThreadEditsWithoutPause (benchmark::State& state)
{
	// Open, so that the container below is on the frame and its edits take
	// the frame's word.
	auto frame = openFrame ();
	auto timed = new TimedView;
	frame->addView (timed);
	auto box = new CViewContainer (CRect (0, 0, 10, 10));
	frame->addView (box);
	BusyRemovalListener busy;
	box->registerViewContainerListener (&busy);
	std::atomic<bool> stop {false};
	std::thread editor ([&] {
		auto view = makeOwned<CView> (CRect (0, 0, 1, 1));
		while (!stop)
		{
			box->addView (view);
			box->removeView (view, false);
		}
	});

	NullDrawContext context;
	std::vector<double> waits;
	for (auto _ : state)
	{
		const auto start = std::chrono::steady_clock::now ();
		frame->platformDrawRect (&context, CRect (0, 0, 10, 10));
		waits.push_back (std::chrono::duration<double, std::micro> (timed->drawnAt - start).count ());
		// A host draws a few times a frame interval at most.
		std::this_thread::sleep_for (std::chrono::milliseconds (2));
	}
	stop = true;
	editor.join ();
	box->unregisterViewContainerListener (&busy);
	frame->close ();

	std::sort (waits.begin (), waits.end ());
	state.counters["median_wait_us"] = waits[waits.size () / 2];
	state.counters["worst_wait_us"] = waits.back ();
}
BENCHMARK (Draw_WaitWhileAnotherThreadEditsWithoutPause)->Iterations (300)->UseRealTime ();

// How long after an unlock a thread that waits for the word takes it: a
// waiter in WaitForThenLockGUIDrawing polls every 1 ms, and the unlock comes
// at a random point of its poll. Reports the median and the 99th percentile
// of the run, against that poll.
void Wake_DelayAfterUnlock (benchmark::State& state)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	std::minstd_rand random (1);
	std::vector<double> delays;
	for (auto _ : state)
	{
		frame->LockGUIDrawing ();
		std::atomic<bool> waiting {false};
		std::chrono::steady_clock::time_point taken;
		std::thread waiter ([&] {
			waiting = true;
			frame->WaitForThenLockGUIDrawing ();
			taken = std::chrono::steady_clock::now ();
			frame->UnLockGUIDrawing ();
		});
		while (!waiting)
			std::this_thread::yield ();
		// Past the waiter's first test of the word, at a random point of a poll.
		std::this_thread::sleep_for (std::chrono::microseconds (1000 + random () % 1000));
		const auto unlocked = std::chrono::steady_clock::now ();
		frame->UnLockGUIDrawing ();
		waiter.join ();
		delays.push_back (std::chrono::duration<double, std::micro> (taken - unlocked).count ());
	}
	std::sort (delays.begin (), delays.end ());
	state.counters["median_delay_us"] = delays[delays.size () / 2];
	state.counters["p99_delay_us"] = delays[delays.size () * 99 / 100];
}
BENCHMARK (Wake_DelayAfterUnlock)->Iterations (300)->UseRealTime ();

} // namespace
