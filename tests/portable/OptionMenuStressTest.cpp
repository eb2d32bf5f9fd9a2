// Threads add and remove entries of option menus while the main thread
// counts, marks and pops the same menus up. No item may be used after it
// ended, every item must end exactly once, and nothing may be reported. Run
// under ThreadSanitizer too; bounded in steps, not in time.
#include "AssertionRecorder.h"
#include "CountedObjects.h"
#include "OpenFrame.h"
#include "ScriptedOptionMenu.h"

#include "lib/controls/coptionmenu.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr int kMenus = 4;
constexpr int kWorkers = 4;
constexpr int kRounds = 300;
constexpr int kMainThreadSteps = 300;

TEST (OptionMenuStress, EditsOnManyThreadsWhileTheMainThreadCountsMarksAndPopsUp)
{
	itemLives ().reset ();
	AssertionRecorder reports;
	{
		OpenFrame rig;
		auto platformMenu = makeOwned<ScriptedOptionMenu> ();
		platformMenu->result = {}; // closed without a choice
		rig.platform->optionMenus = [platformMenu] { return platformMenu; };
		std::vector<SharedPointer<COptionMenu>> menus;
		for (int i = 0; i < kMenus; ++i)
		{
			auto menu = makeOwned<COptionMenu> (CRect (i * 20, 60, i * 20 + 20, 80), nullptr, i);
			menu->setStyle (kCheckStyle);
			menu->remember (); // the frame's reference
			rig.frame->addView (menu);
			menus.push_back (menu);
		}

		std::atomic<bool> mainThreadDone {false};
		std::vector<std::thread> workers;
		for (int w = 0; w < kWorkers; ++w)
			workers.emplace_back ([&, w] {
				std::minstd_rand random (static_cast<unsigned> (w + 1));
				for (int round = 0; round < kRounds || !mainThreadDone; ++round)
				{
					auto& menu = *menus[random () % kMenus];
					menu.addEntry (new CountedItem, static_cast<int32_t> (random () % 8) - 1);
					if (random () % 3 == 0)
						menu.addSeparator ();
					menu.removeEntry (static_cast<int32_t> (random () % 8));
					if (round % 50 == 49)
						menu.removeAllEntry ();
				}
			});

		std::minstd_rand random (99);
		for (int step = 0; step < kMainThreadSteps; ++step)
		{
			auto& menu = *menus[static_cast<size_t> (step % kMenus)];
			menu.getCurrentIndex (false);
			menu.setCurrent (static_cast<int32_t> (random () % 6));
			menu.checkEntryAlone (static_cast<int32_t> (random () % 6));
			menu.popup ();
			std::this_thread::sleep_for (std::chrono::microseconds (100));
		}
		mainThreadDone = true;
		for (auto& worker : workers)
			worker.join ();
		EXPECT_GT (platformMenu->popups, 0);
		for (auto& menu : menus)
			rig.frame->removeView (menu);
	}
	EXPECT_EQ (itemLives ().faults, 0) << "an item was used after it ended";
	EXPECT_EQ (reports.count (), 0u);
	EXPECT_GT (itemLives ().made, kWorkers * kRounds);
	EXPECT_EQ (itemLives ().ended, itemLives ().made) << "every item ended, and none twice";
}

} // namespace
