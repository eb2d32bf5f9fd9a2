// An option menu's item list and its lock word: the word in new and copied
// menus, the index rules of the edits, the passes that count and mark
// entries without waiting on their own thread, and the edits and passes of
// other threads, which wait for a hold instead of running beside it.
#include "AssertionRecorder.h"
#include "Job.h"
#include "OutsideHolder.h"
#include "SleepGate.h"
#include "WaitsInItsPoll.h"

#include "ListLockProbeMenu.h"

#include "lib/controls/coptionmenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

std::vector<std::string> titlesOf (COptionMenu& menu)
{
	std::vector<std::string> titles;
	for (int32_t i = 0; i < menu.getNbEntries (); ++i)
		titles.push_back (menu.getEntry (i)->isSeparator () ? "-" : menu.getEntry (i)->getTitle ());
	return titles;
}

SharedPointer<ListLockProbeMenu> menuWith (std::initializer_list<const char*> titles)
{
	auto menu = makeOwned<ListLockProbeMenu> (CRect (0, 0, 50, 20), nullptr, 7);
	for (auto title : titles)
		menu->addEntry (title);
	return menu;
}

TEST (OptionMenuListLock, IsFreeInEveryNewMenuAndInACopyOfALockedOne)
{
	auto made = makeOwned<ListLockProbeMenu> (CRect (0, 0, 10, 10), nullptr, 1);
	auto byDefault = makeOwned<ListLockProbeMenu> ();
	EXPECT_FALSE (made->isListLocked ());
	EXPECT_FALSE (byDefault->isListLocked ());

	made->addEntry ("a");
	made->LockListAccess ();
	auto copy = makeOwned<ListLockProbeMenu> (*made);
	EXPECT_FALSE (copy->isListLocked ());
	EXPECT_TRUE (made->isListLocked ()) << "the source keeps its word";
	EXPECT_EQ (titlesOf (*copy), (std::vector<std::string> {"a"})) << "the copy read the list without waiting";
	made->UnLockListAccess ();
}

TEST (OptionMenuListLock, TheExportedOperationsHaveNoCount)
{
	auto menu = menuWith ({});
	menu->LockListAccess ();
	menu->LockListAccess ();
	EXPECT_TRUE (menu->isListLocked ());
	menu->UnLockListAccess ();
	EXPECT_FALSE (menu->isListLocked ());
	menu->WaitForThenLockListAccess ();
	EXPECT_TRUE (menu->isListLocked ());
	menu->UnLockListAccess ();
}

TEST (OptionMenuEdits, AddEntryPlacesTheItemByItsIndex)
{
	struct Case
	{
		int32_t index;
		std::vector<std::string> titles;
	};
	const Case cases[] = {
	    {-1, {"a", "b", "new"}}, {-5, {"a", "b", "new"}}, {3, {"a", "b", "new"}},
	    {2, {"a", "b", "new"}},  {0, {"new", "a", "b"}},  {1, {"a", "new", "b"}},
	};
	for (const auto& c : cases)
	{
		auto menu = menuWith ({"a", "b"});
		auto item = new CMenuItem ("new");
		EXPECT_EQ (menu->addEntry (item, c.index), item) << c.index;
		EXPECT_EQ (titlesOf (*menu), c.titles) << c.index;
		EXPECT_FALSE (menu->isListLocked ()) << c.index;
	}
}

TEST (OptionMenuEdits, RemoveEntryRefusesIndexesOutsideTheListAndReleasesWhatItTakesOut)
{
	struct Case
	{
		std::initializer_list<const char*> titles;
		int32_t index;
		bool removed;
		std::vector<std::string> left;
	};
	const Case cases[] = {
	    {{}, 0, false, {}},
	    {{"a", "b"}, -1, false, {"a", "b"}},
	    {{"a", "b"}, 2, false, {"a", "b"}},
	    {{"a", "b"}, 1, true, {"a"}},
	    {{"a", "b"}, 0, true, {"b"}},
	};
	for (const auto& c : cases)
	{
		auto menu = menuWith (c.titles);
		SharedPointer<CMenuItem> kept (menu->getEntry (c.index));
		EXPECT_EQ (menu->removeEntry (c.index), c.removed) << c.index;
		EXPECT_EQ (titlesOf (*menu), c.left) << c.index;
		EXPECT_FALSE (menu->isListLocked ()) << c.index;
		if (kept)
		{
			EXPECT_EQ (kept->getNbReference (), c.removed ? 1 : 2) << "the list's reference goes with the entry";
		}
	}
}

TEST (OptionMenuEdits, SeparatorsAndSubmenus)
{
	auto menu = menuWith ({"-", "a", "-", "-", "b", "-"});
	auto submenu = menuWith ({"-", "x", "-"});
	menu->addEntry (submenu, "sub");
	EXPECT_EQ (menu->getSubMenu (6), submenu.get ());
	menu->cleanupSeparators (true);
	EXPECT_EQ (titlesOf (*menu), (std::vector<std::string> {"a", "-", "b", "-", "sub"}));
	EXPECT_EQ (titlesOf (*submenu), (std::vector<std::string> {"x"}));
	EXPECT_TRUE (menu->removeAllEntry ());
	EXPECT_EQ (menu->getNbEntries (), 0);
	EXPECT_EQ (submenu->getNbReference (), 1) << "the item let go of its submenu";
}

TEST (OptionMenuMarks, CurrentIndexCountsOrSkipsSeparators)
{
	auto menu = menuWith ({"a", "-", "b", "-", "c"});
	struct Case
	{
		int32_t index;
		bool countSeparator;
		bool accepted;
		int32_t stored, withoutSeparators;
	};
	const Case cases[] = {
	    {2, true, true, 2, 1},  {1, true, false, 2, 1}, // a separator is no entry to choose
	    {9, true, false, 2, 1}, {2, false, true, 4, 2}, {0, false, true, 0, 0},
	    {1, false, true, 2, 1},
	};
	for (const auto& c : cases)
	{
		EXPECT_EQ (menu->setCurrent (c.index, c.countSeparator), c.accepted) << c.index;
		EXPECT_EQ (menu->getCurrentIndex (true), c.stored) << c.index;
		EXPECT_EQ (menu->getCurrentIndex (false), c.withoutSeparators) << c.index;
		EXPECT_FALSE (menu->isListLocked ()) << c.index;
	}
}

TEST (OptionMenuMarks, CheckMarksOfOneOrOfMany)
{
	auto menu = menuWith ({"a", "b", "c"});
	menu->checkEntry (0, true);
	menu->checkEntryAlone (2);
	EXPECT_EQ ((std::vector<bool> {menu->isCheckEntry (0), menu->isCheckEntry (1), menu->isCheckEntry (2)}),
	           (std::vector<bool> {false, false, true}));
	menu->setStyle (kMultipleCheckStyle);
	menu->setCurrent (1);
	menu->setCurrent (2);
	EXPECT_TRUE (menu->isCheckEntry (1)) << "each choice toggles its own mark";
	EXPECT_FALSE (menu->isCheckEntry (2));
}

// On the thread that holds the word, the passes that count and mark return
// at once; their unlock step leaves the word free.
TEST (OptionMenuMarks, OnTheHoldingThreadTheyGoOnAndLeaveTheWordFree)
{
	const std::pair<const char*, std::function<void (COptionMenu&)>> passes[] = {
	    {"getCurrentIndex (false)", [] (COptionMenu& m) { m.getCurrentIndex (false); }},
	    {"setCurrent", [] (COptionMenu& m) { m.setCurrent (1); }},
	    {"checkEntryAlone", [] (COptionMenu& m) { m.checkEntryAlone (1); }},
	    {"beforePopup (true)", [] (COptionMenu& m) { m.beforePopup (true); }},
	    {"afterPopup (true)", [] (COptionMenu& m) { m.afterPopup (true); }},
	};
	for (const auto& [what, pass] : passes)
	{
		auto menu = menuWith ({"a", "b"});
		AssertionRecorder reports;
		menu->LockListAccess ();
		const auto sleeps = SleepGate::sleepsOnThisThread ();
		pass (*menu);
		EXPECT_EQ (SleepGate::sleepsOnThisThread (), sleeps) << what;
		EXPECT_FALSE (menu->isListLocked ()) << what;
		EXPECT_EQ (reports.count (), 0u) << what;
	}
}

TEST (OptionMenuMarks, TheStoredIndexIsReadWithoutTheWord)
{
	auto menu = menuWith ({"a", "b"});
	menu->setCurrent (1);
	OutsideHolder holder (*menu);
	EXPECT_EQ (menu->getCurrentIndex (true), 1);
	EXPECT_TRUE (menu->isListLocked ());
}

// Edits, and the passes too, wait while another thread holds the word, and go
// on once it lets go.
TEST (OptionMenuListLock, EditsAndPassesOfOtherThreadsWaitForAHold)
{
	struct Case
	{
		const char* what;
		std::function<void (ListLockProbeMenu*&)> run;
		std::vector<std::string> after;
	};
	const Case cases[] = {
	    {"addEntry", [] (ListLockProbeMenu*& m) { m->addEntry ("c"); }, {"a", "b", "c"}},
	    {"addSeparator", [] (ListLockProbeMenu*& m) { m->addSeparator (0); }, {"-", "a", "b"}},
	    {"removeEntry", [] (ListLockProbeMenu*& m) { m->removeEntry (0); }, {"b"}},
	    {"removeEntry outside the list", [] (ListLockProbeMenu*& m) { m->removeEntry (5); }, {"a", "b"}},
	    {"removeAllEntry", [] (ListLockProbeMenu*& m) { m->removeAllEntry (); }, {}},
	    {"checkEntryAlone", [] (ListLockProbeMenu*& m) { m->checkEntryAlone (0); }, {"a", "b"}},
	    {"setCurrent", [] (ListLockProbeMenu*& m) { m->setCurrent (1); }, {"a", "b"}},
	    {"beforePopup (true)", [] (ListLockProbeMenu*& m) { m->beforePopup (true); }, {"a", "b"}},
	};
	for (const auto& c : cases)
	{
		auto menu = menuWith ({"a", "b"});
		ListLockProbeMenu* target = menu.get ();
		std::optional<Job> edit;
		{
			OutsideHolder holder (*menu);
			SleepGate::Closed gate;
			edit.emplace ([&] { c.run (target); });
			EXPECT_TRUE (waitsInItsPoll (*edit)) << c.what;
			EXPECT_EQ (titlesOf (*menu), (std::vector<std::string> {"a", "b"})) << c.what << ": nothing changed";
			holder.release ();
		}
		edit->join ();
		EXPECT_EQ (titlesOf (*menu), c.after) << c.what;
		EXPECT_FALSE (menu->isListLocked ()) << c.what;
	}
}

TEST (OptionMenuListLock, TheDestructionOfAMenuWaitsForAHold)
{
	auto menu = new ListLockProbeMenu (CRect (0, 0, 10, 10), nullptr, 1);
	menu->addEntry ("a");
	std::optional<Job> destruction;
	{
		OutsideHolder holder (*menu);
		SleepGate::Closed gate;
		destruction.emplace ([menu] { menu->forget (); });
		EXPECT_TRUE (waitsInItsPoll (*destruction));
		holder.release ();
	}
	destruction->join ();
}

// An edit on the thread that holds the word would wait for itself: it is
// reported and made under the hold. A throwing report, or a throwing
// listener, leaves the word free.
TEST (OptionMenuListLock, AnEditOnTheHoldingThreadIsReportedAndAnExceptionFreesTheWord)
{
	auto menu = menuWith ({"a"});
	{
		AssertionRecorder reports;
		menu->LockListAccess ();
		menu->addEntry ("b");
		EXPECT_EQ (reports.reports (), Names {"waits for a lock that this thread holds"});
		EXPECT_TRUE (menu->isListLocked ());
		menu->UnLockListAccess ();
	}
	struct EditingListener : IOptionMenuListener
	{
		void onOptionMenuPrePopup (COptionMenu* m) override { m->removeEntry (0); }
		void onOptionMenuPostPopup (COptionMenu*) override {}
	} editing;
	menu->registerOptionMenuListener (&editing);
	{
		AssertionRecorder reports (true);
		EXPECT_THROW (menu->beforePopup (true), AssertionRecorder::Failure);
	}
	menu->unregisterOptionMenuListener (&editing);
	EXPECT_FALSE (menu->isListLocked ());
	EXPECT_EQ (titlesOf (*menu), (std::vector<std::string> {"a", "b"}));
}

} // namespace
