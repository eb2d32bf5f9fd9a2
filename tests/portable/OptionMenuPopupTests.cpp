// An option menu's popup through the platform's menu: the passes before and
// after it with the list lock, the completion that applies a choice, the
// click that hands the popup to the frame after the event, the context-menu
// form, and the clicked look while the menu is up.
#include "OpenFrame.h"
#include "ScriptedOptionMenu.h"

#include "lib/cbitmap.h"
#include "ListLockProbeMenu.h"

#include "lib/controls/coptionmenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// Logs the notices of a menu, the value changes and edits of its control
// listener, and the words of the menu and its submenu at each notice.
struct MenuLog : IOptionMenuListener, IControlListener
{
	ListLockProbeMenu* menu {nullptr};
	ListLockProbeMenu* submenu {nullptr};
	std::vector<std::string> entries;

	std::string words () const
	{
		return std::string (menu->isListLocked () ? "1" : "0") + (submenu->isListLocked () ? "1" : "0");
	}
	void onOptionMenuPrePopup (COptionMenu*) override { entries.push_back ("pre " + words ()); }
	void onOptionMenuPostPopup (COptionMenu*) override { entries.push_back ("post " + words ()); }
	void valueChanged (CControl*) override { entries.push_back ("valueChanged"); }
	void controlBeginEdit (CControl*) override { entries.push_back ("beginEdit"); }
	void controlEndEdit (CControl*) override { entries.push_back ("endEdit"); }
};

// A menu of three entries, the last a command, and a submenu of two, on an
// open frame with a recording editor, shown by a scripted platform menu.
struct PopupRig : OpenFrame
{
	MenuLog menuLog;
	SharedPointer<ScriptedOptionMenu> platformMenu = makeOwned<ScriptedOptionMenu> ();
	SharedPointer<CBitmap> normalLook = makeOwned<CBitmap> (40., 20.);
	SharedPointer<CBitmap> clickedLook = makeOwned<CBitmap> (40., 20.);
	SharedPointer<ListLockProbeMenu> menu = makeOwned<ListLockProbeMenu> (
	    CRect (0, 100, 40, 120), &menuLog, 42, normalLook, clickedLook, kCheckStyle);
	SharedPointer<ListLockProbeMenu> submenu = makeOwned<ListLockProbeMenu> ();

	PopupRig () : OpenFrame (Editor::recording)
	{
		platform->optionMenus = [this] { return platformMenu; };
		menuLog.menu = menu;
		menuLog.submenu = submenu;
		menu->addEntry ("a");
		menu->addEntry (submenu, "sub");
		auto command = new CCommandMenuItem ("command");
		command->setActions ([this] (CCommandMenuItem*) { menuLog.entries.push_back ("command"); });
		command->setValidateFunction ([this] (CCommandMenuItem*) { menuLog.entries.push_back ("validate " + menuLog.words ()); });
		menu->addEntry (command);
		submenu->addEntry ("x");
		submenu->addEntry ("y");
		menu->registerOptionMenuListener (&menuLog);
		menu->remember (); // the frame's
		frame->addView (menu);
		editorLog->clear ();
	}
	~PopupRig () { menu->unregisterOptionMenuListener (&menuLog); }
};

struct OptionMenuPopup : ::testing::Test, PopupRig
{
};

TEST_F (OptionMenuPopup, TheMenuIsHeldBeforeItShowsAndFreeAfterItClosed)
{
	std::vector<std::string> seen;
	platformMenu->whileShown = [&] {
		seen.push_back (menu->isListLocked () ? "shown while held" : "shown free");
		seen.push_back (menu->isPopupActive () ? "active" : "inactive");
	};
	bool called = false;
	EXPECT_TRUE (menu->popup ([&] (COptionMenu* m) {
		called = m == menu;
		menuLog.entries.push_back (m->isPopupActive () ? "callback while active" : "callback");
	}));
	EXPECT_EQ (seen, (std::vector<std::string> {"shown free", "active"}));
	EXPECT_EQ (menuLog.entries, (std::vector<std::string> {"pre 10", "validate 10", "post 00", "callback while active"}))
	    << "notices and validation under the menu's own word only, the post notice after its release";
	EXPECT_TRUE (called);
	EXPECT_FALSE (menu->isPopupActive ());
	EXPECT_EQ (menu->getLastResult (), -1) << "no choice";
	EXPECT_TRUE (editorLog->names ().empty ()) << "no edit without a choice";
}

TEST_F (OptionMenuPopup, AChoiceIsOneEditThatRunsItsCommand)
{
	struct Case
	{
		const char* what;
		bool inSubmenu;
		int32_t index;
		std::vector<std::string> entries;
	};
	const Case cases[] = {
	    {"the command", false, 2,
	     {"pre 10", "validate 10", "beginEdit", "valueChanged", "command", "endEdit", "post 00"}},
	    {"an entry of the submenu", true, 1, {"pre 10", "validate 10", "beginEdit", "valueChanged", "endEdit", "post 00"}},
	};
	for (const auto& c : cases)
	{
		COptionMenu* chosen = c.inSubmenu ? static_cast<COptionMenu*> (submenu) : menu;
		platformMenu->result = {chosen, c.index};
		menuLog.entries.clear ();
		editorLog->clear ();
		menu->popup ();
		EXPECT_EQ (menuLog.entries, c.entries) << c.what;
		int32_t index = -1;
		EXPECT_EQ (menu->getLastItemMenu (index), chosen) << c.what;
		EXPECT_EQ (index, c.index) << c.what;
		EXPECT_EQ (chosen->getValue (), static_cast<float> (c.index)) << c.what;
		ASSERT_EQ (editorLog->names (), (std::vector<std::string> {"beginEdit", "endEdit"})) << c.what;
		EXPECT_EQ (editorLog->all ()[0].index, 42) << c.what;
	}
}

TEST (OptionMenuPopupRefusal, WithoutAFrameEntriesOrAPlatformMenuNothingShows)
{
	struct Case
	{
		const char* what;
		std::function<void (PopupRig&)> arrange;
		bool answer;
		std::vector<std::string> entries;
	};
	const Case cases[] = {
	    {"no frame", [] (PopupRig& t) { t.frame->removeView (t.menu); }, false, {}},
	    {"no entries", [] (PopupRig& t) { t.menu->removeAllEntry (); }, true, {"pre 10"}},
	    {"no platform menu", [] (PopupRig& t) { t.platform->optionMenus = nullptr; }, true,
	     {"pre 10", "validate 10"}},
	};
	for (const auto& c : cases)
	{
		PopupRig t;
		c.arrange (t);
		t.menuLog.entries.clear ();
		EXPECT_EQ (t.menu->popup (), c.answer) << c.what;
		EXPECT_EQ (t.menuLog.entries, c.entries) << c.what;
		EXPECT_EQ (t.platformMenu->popups, 0) << c.what;
		EXPECT_FALSE (t.menu->isPopupActive ()) << c.what;
		EXPECT_FALSE (t.menu->isListLocked ()) << c.what;
	}
}

// A click on the menu hands the popup to the frame, which runs it after the
// event; buttons other than the left and the right one leave it alone.
TEST_F (OptionMenuPopup, AClickPopsTheMenuUpAfterTheEvent)
{
	struct Case
	{
		int32_t buttons;
		CMouseEventResult answer;
		int popups;
	};
	bool duringEvent = true;
	platformMenu->whileShown = [&] { duringEvent = frame->inEventProcessing (); };
	for (const auto& c : {Case {kLButton, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 1},
	                      Case {kRButton, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 1},
	                      Case {kMButton, kMouseEventNotHandled, 0}})
	{
		platformMenu->popups = 0;
		CPoint where (10, 110);
		EXPECT_EQ (menu->onMouseDown (where, CButtonState (c.buttons)), c.answer);
		EXPECT_EQ (platformMenu->popups, c.popups) << "outside an event, the frame runs the work at once";
		platformMenu->popups = 0;
		EXPECT_EQ (frame->platformOnMouseDown (where, CButtonState (c.buttons)), c.answer) << c.buttons;
		EXPECT_EQ (platformMenu->popups, c.popups) << c.buttons;
	}
	EXPECT_FALSE (duringEvent);
}

TEST_F (OptionMenuPopup, WhileItIsUpTheMenuShowsItsClickedLook)
{
	std::vector<CBitmap*> drawn;
	platformMenu->whileShown = [&] {
		context.bitmapDraws.clear ();
		draw ();
		for (const auto& d : context.bitmapDraws)
			drawn.push_back (d.bitmap);
	};
	menu->popup ();
	context.bitmapDraws.clear ();
	draw ();
	for (const auto& d : context.bitmapDraws)
		drawn.push_back (d.bitmap);
	EXPECT_EQ (drawn, (std::vector<CBitmap*> {clickedLook, normalLook}));
}

// The context-menu form joins the frame at the point for the popup, and the
// completion takes it out again and gives the focus back.
TEST_F (OptionMenuPopup, AContextMenuJoinsTheFrameForThePopupOnly)
{
	auto context = makeOwned<ListLockProbeMenu> ();
	context->addEntry ("c");
	frame->setFocusView (painter);
	CRect sizeWhileShown;
	bool inFrameWhileShown = false;
	platformMenu->whileShown = [&] {
		inFrameWhileShown = frame->isChild (context);
		sizeWhileShown = context->getViewSize ();
		frame->setFocusView (nullptr);
	};
	platformMenu->result = {context, 0};
	COptionMenu* calledWith = nullptr;
	EXPECT_TRUE (context->popup (frame, CPoint (30, 40), [&] (COptionMenu* m) { calledWith = m; }));
	EXPECT_TRUE (inFrameWhileShown);
	EXPECT_EQ (sizeWhileShown, CRect (30, 40, 30, 40));
	EXPECT_FALSE (frame->isChild (context));
	EXPECT_EQ (frame->getFocusView (), painter);
	EXPECT_EQ (calledWith, context.get ());
	EXPECT_EQ (context->getNbReference (), 1) << "the frame gave back what it took";

	auto empty = makeOwned<ListLockProbeMenu> ();
	EXPECT_FALSE (empty->popup (frame, CPoint ()));
	EXPECT_FALSE (context->popup (nullptr, CPoint ()));
	EXPECT_FALSE (menu->popup (frame, CPoint ())) << "a menu in the frame already";
}

} // namespace
