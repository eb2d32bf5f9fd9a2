// A long stress run of the frame's drawing lock and the option menus' list
// locks, bounded by a time budget and by a number of rounds:
//   drawing_stress [--seconds=S] [--rounds=N]      (defaults: 20 s, 1000000)
//
// Eight threads add and remove views of the pads of an open frame, and four
// more add and remove the items of the option menus on that frame, while the
// main thread draws the frame, sends it mouse events through its platform
// entries (a click on an option menu pops the menu up after the event,
// through a scripted platform menu) and pops menus up itself; one more menu,
// whose list no thread edits, reports a choice now and then. The run ends when the budget is spent or the main
// thread has made its rounds, whichever comes first. Then nothing may be
// lost (each pad holds exactly its worker's views, each menu exactly the
// entries its worker counts), every view and item made must have ended once
// and never been used after its end, nothing may have gone to the assertion
// handler, and the locks must be free.
//
// Exits with 0 when all of that holds and 1 when not. A run that has not
// ended a minute after twice its budget is stuck: it says so and exits with
// 2. CI runs it under ThreadSanitizer (tools/stress), which halts at its
// first report.
#include "AssertionRecorder.h"
#include "CountedObjects.h"
#include "PadWorker.h"
#include "RecordingDrawContext.h"
#include "ScriptedOptionMenu.h"

#include "lib/controls/coptionmenu.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;
using Clock = std::chrono::steady_clock;

struct Limits
{
	double seconds {20.};
	long rounds {1000000};
};

bool readOption (const char* argument, const char* name, double& value)
{
	const size_t length = std::strlen (name);
	if (std::strncmp (argument, name, length) != 0)
		return false;
	char* end = nullptr;
	value = std::strtod (argument + length, &end);
	return end != argument + length && *end == 0 && value >= 0.;
}

bool readLimits (int argc, char** argv, Limits& limits)
{
	for (int i = 1; i < argc; ++i)
	{
		double rounds = 0.;
		if (readOption (argv[i], "--seconds=", limits.seconds))
			continue;
		if (!readOption (argv[i], "--rounds=", rounds))
			return false;
		limits.rounds = static_cast<long> (rounds);
	}
	return true;
}

// Ends the process with 2 should the run not end by its deadline.
class Watchdog
{
public:
	explicit Watchdog (double seconds)
	: deadline (Clock::now () + std::chrono::duration_cast<Clock::duration> (std::chrono::duration<double> (seconds)))
	, thread ([this] { watch (); })
	{
	}
	~Watchdog ()
	{
		{
			std::lock_guard<std::mutex> lock (mutex);
			done = true;
		}
		ended.notify_all ();
		thread.join ();
	}

private:
	void watch ()
	{
		std::unique_lock<std::mutex> lock (mutex);
		if (ended.wait_until (lock, deadline, [this] { return done; }))
			return;
		std::fprintf (stderr, "drawing_stress: stuck, the run did not end by its deadline\n");
		std::_Exit (2);
	}

	Clock::time_point deadline;
	std::mutex mutex;
	std::condition_variable ended;
	bool done {false};
	std::thread thread;
};

// Adds counted items and separators to its own menu and removes entries,
// counting what the menu holds.
class MenuWorker
{
public:
	MenuWorker (int seed, COptionMenu& menu) : random (static_cast<unsigned> (seed)), menu (menu) {}

	void round ()
	{
		menu.addEntry (new CountedItem, static_cast<int32_t> (random () % 8) - 1);
		++held;
		if (random () % 3 == 0)
		{
			menu.addSeparator ();
			++held;
		}
		if (menu.removeEntry (static_cast<int32_t> (random () % 8)))
			--held;
		if (random () % 50 == 0)
		{
			menu.removeAllEntry ();
			held = 0;
		}
	}
	int32_t entriesHeld () const { return held; }

private:
	std::minstd_rand random;
	COptionMenu& menu;
	int32_t held {0};
};

// The frame: eight pads on its left; on its right four option menus whose
// lists the workers edit and one whose list stays as it is; and the scripted
// platform menu that the menus pop up through.
struct StressFrame
{
	static constexpr int kEditedMenus = 4;
	static constexpr int kMenus = kEditedMenus + 1;

	StressFrame () : rig (300)
	{
		platformMenu->whileShown = [this] { chooseNowAndThen (); };
		rig.platform->optionMenus = [menu = platformMenu] { return menu; };
		for (int i = 0; i < kMenus; ++i)
		{
			const CCoord left = 200 + (i % 2) * 50, top = (i / 2) * 50;
			auto menu = makeOwned<COptionMenu> (CRect (left, top, left + 50, top + 50), nullptr, i);
			menu->setStyle (kCheckStyle);
			menu->remember (); // the frame's reference
			rig.frame->addView (menu);
			(i < kEditedMenus ? editedMenus : fixedMenus).push_back (menu);
		}
		for (const char* title : {"one", "two", "three"})
			fixedMenus.front ()->addEntry (title);
	}

	COptionMenu& anyMenu (uint32_t choice) const
	{
		const auto index = choice % kMenus;
		return index < kEditedMenus ? *editedMenus[index] : *fixedMenus[index - kEditedMenus];
	}

	// Every other popup of the menu whose list stays chooses one of its
	// entries. A choice is applied without the list lock, as the library's
	// single-entry reads are: on a menu whose list another thread edits, it
	// would race with the edit, by the library's own rules.
	void chooseNowAndThen ()
	{
		const int popups = platformMenu->popups;
		const bool fixed = platformMenu->shownMenu == fixedMenus.front ().get ();
		platformMenu->result = {};
		if (fixed && popups % 2 == 0)
			platformMenu->result = {platformMenu->shownMenu, popups % 3};
	}

	PadFrame rig;
	SharedPointer<ScriptedOptionMenu> platformMenu = makeOwned<ScriptedOptionMenu> ();
	std::vector<SharedPointer<COptionMenu>> editedMenus;
	std::vector<SharedPointer<COptionMenu>> fixedMenus;
};

struct MainThreadCounts
{
	long rounds {0}, draws {0}, clicks {0}, menuClicks {0}, popupCalls {0};
};

// The main thread's work: moves and clicks anywhere, clicks on menus, menus
// popped up directly, the mouse leaving, and draws.
class MainThread
{
public:
	explicit MainThread (StressFrame& stress) : stress (stress), frame (*stress.rig.frame) {}

	void round ()
	{
		const long n = counts.rounds++;
		CPoint where (random () % 300, random () % 200);
		frame.platformOnMouseMoved (where, CButtonState ());
		if (n % 2 == 0)
			click (where);
		if (n % 4 == 1)
			clickMenu ();
		if (n % 6 == 3)
			popUpMenu ();
		if (n % 5 == 0)
			frame.platformOnMouseExited (where, CButtonState ());
		if (n % 3 == 0)
			draw ();
		std::this_thread::sleep_for (std::chrono::microseconds (50));
	}

	const MainThreadCounts& made () const { return counts; }

private:
	void click (CPoint where)
	{
		const CButtonState left (kLButton);
		frame.platformOnMouseDown (where, left);
		where.offset (1, 1);
		frame.platformOnMouseMoved (where, left);
		frame.platformOnMouseUp (where, left);
		++counts.clicks;
	}

	// The menu pops up after the mouse-down event, through the platform menu.
	void clickMenu ()
	{
		const CRect& size = stress.anyMenu (random ()).getViewSize ();
		click (CPoint (size.left + size.getWidth () / 2, size.top + size.getHeight () / 2));
		++counts.menuClicks;
	}

	void popUpMenu ()
	{
		stress.anyMenu (random ()).popup ();
		++counts.popupCalls;
	}

	void draw ()
	{
		context.bitmapDraws.clear ();
		frame.platformDrawRect (&context, frame.getViewSize ());
		++counts.draws;
	}

	StressFrame& stress;
	CFrame& frame;
	std::minstd_rand random {7};
	RecordingDrawContext context;
	MainThreadCounts counts;
};

// Starts one thread per worker, each making rounds until told to stop.
template <typename Worker>
class WorkerThreads
{
public:
	template <typename Target>
	WorkerThreads (const std::vector<Target>& targets, int firstSeed)
	{
		workers.reserve (targets.size ());
		for (size_t i = 0; i < targets.size (); ++i)
			workers.emplace_back (firstSeed + static_cast<int> (i), *targets[i]);
		for (auto& worker : workers)
			threads.emplace_back ([this, &worker] {
				while (!stopping)
					worker.round ();
			});
	}
	void stop ()
	{
		stopping = true;
		for (auto& thread : threads)
			thread.join ();
		threads.clear ();
	}
	~WorkerThreads ()
	{
		if (!threads.empty ())
			stop ();
	}
	const std::vector<Worker>& all () const { return workers; }

private:
	std::atomic<bool> stopping {false};
	std::vector<Worker> workers;
	std::vector<std::thread> threads;
};

class Verdict
{
public:
	void expect (bool holds, const std::string& what)
	{
		if (holds)
			return;
		std::fprintf (stderr, "drawing_stress: %s\n", what.c_str ());
		failed = true;
	}
	bool passed () const { return !failed; }

private:
	bool failed {false};
};

void checkNothingLost (StressFrame& stress, const WorkerThreads<PadWorker>& padWorkers,
                       const WorkerThreads<MenuWorker>& menuWorkers, Verdict& verdict)
{
	for (size_t i = 0; i < stress.rig.pads.size (); ++i)
		verdict.expect (stress.rig.pads[i]->getNbViews () == padWorkers.all ()[i].viewsHeld (),
		                "pad " + std::to_string (i) + " does not hold exactly its worker's views");
	for (size_t i = 0; i < stress.editedMenus.size (); ++i)
		verdict.expect (stress.editedMenus[i]->getNbEntries () == menuWorkers.all ()[i].entriesHeld (),
		                "menu " + std::to_string (i) + " does not hold exactly its worker's entries");
}

// Waiting for a lock that was left taken would never end: the watchdog ends
// the run then.
void checkLocksFree (StressFrame& stress, Verdict& verdict)
{
	verdict.expect (!stress.rig.frame->IsGUIDrawingLocked (), "the drawing lock is left taken");
	for (auto menus : {&stress.editedMenus, &stress.fixedMenus})
	{
		for (auto& menu : *menus)
		{
			menu->WaitForThenLockListAccess ();
			menu->UnLockListAccess ();
		}
	}
}

void closeFrame (StressFrame& stress)
{
	for (auto menus : {&stress.editedMenus, &stress.fixedMenus})
	{
		for (auto& menu : *menus)
			stress.rig.frame->removeView (menu);
		menus->clear ();
	}
	stress.rig.frame->close ();
	stress.rig.pads.clear ();
}

void checkLives (Verdict& verdict)
{
	verdict.expect (viewLives ().faults == 0, "a view was used after it ended, or a child list was broken");
	verdict.expect (viewLives ().made == viewLives ().ended, "views made and views ended differ");
	verdict.expect (itemLives ().faults == 0, "a menu item was used after it ended");
	verdict.expect (itemLives ().made == itemLives ().ended, "menu items made and menu items ended differ");
}

void printSummary (double seconds, const MainThreadCounts& main, int popups)
{
	std::printf ("drawing_stress: %.1f s, %ld main-thread rounds: %ld draws, %ld clicks (%ld on menus), "
	             "%ld direct popups, %d platform popups; %d views and %d menu items made\n",
	             seconds, main.rounds, main.draws, main.clicks, main.menuClicks, main.popupCalls, popups,
	             viewLives ().made.load (), itemLives ().made.load ());
}

bool run (const Limits& limits)
{
	Watchdog watchdog (2 * limits.seconds + 60);
	AssertionRecorder reports;
	Verdict verdict;
	StressFrame stress;
	verdict.expect (stress.rig.platform != nullptr, "the frame did not open");
	if (!verdict.passed ())
		return false;

	const auto start = Clock::now ();
	const auto end = start + std::chrono::duration_cast<Clock::duration> (std::chrono::duration<double> (limits.seconds));
	MainThread mainThread (stress);
	WorkerThreads<PadWorker> padWorkers (stress.rig.pads, 1);
	WorkerThreads<MenuWorker> menuWorkers (stress.editedMenus, 101);
	while (mainThread.made ().rounds < limits.rounds && Clock::now () < end)
		mainThread.round ();
	padWorkers.stop ();
	menuWorkers.stop ();

	checkNothingLost (stress, padWorkers, menuWorkers, verdict);
	checkLocksFree (stress, verdict);
	const int popups = stress.platformMenu->popups;
	closeFrame (stress);
	checkLives (verdict);
	verdict.expect (reports.count () == 0, "something went to the assertion handler");
	printSummary (std::chrono::duration<double> (Clock::now () - start).count (), mainThread.made (), popups);
	return verdict.passed ();
}

} // namespace

int main (int argc, char** argv)
{
	Limits limits;
	if (!readLimits (argc, argv, limits))
	{
		std::fprintf (stderr, "usage: drawing_stress [--seconds=S] [--rounds=N]\n");
		return 1;
	}
	return run (limits) ? 0 : 1;
}
