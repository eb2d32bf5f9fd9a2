// The native popup of option menus in a frame open in a real window: what it
// builds and where it places it, the choice it reports, and the guard of the
// popup globals. The modal call is stood in for where a test looks inside
// it; the last tests pop real menus up and end them with posted events.
#import <AppKit/AppKit.h>

#include "ModalMenuCloser.h"
#include "ModalMenuStandIn.h"
#include "TestWindow.h"

#include "AssertionRecorder.h"
#include "RecordingPlatformFrame.h"
#include "SampleOptionMenu.h"

#include "lib/cframe.h"
#include "lib/controls/coptionmenu.h"
#include "lib/platform/common/genericoptionmenu.h"
#include "lib/platform/mac/cocoa/nsviewframe.h"
#include "lib/platform/mac/cocoa/nsviewoptionmenu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// A popup global set for the life of the object, then put back.
template <typename T>
struct GlobalValue
{
	GlobalValue (T& global, T value) : global (global), saved (global) { global = value; }
	~GlobalValue () { global = saved; }
	T& global;
	T saved;
};

// An option menu that says when it is gone.
class WatchedMenu : public COptionMenu
{
public:
	explicit WatchedMenu (bool& gone) : gone (gone) {}
	~WatchedMenu () noexcept override { gone = true; }

private:
	bool& gone;
};

// A 300 x 200 frame open in a window through the Cocoa platform frame, with
// a box at (10, 20) and in it an option menu at (20, 30, 120, 50), so at
// (30, 50, 130, 70) in the frame, with the sample entries: A, B, a
// separator, C (disabled), More (a submenu of X and Y) and D (checked).
struct NativeMenuRig
{
	TestWindow window {300, 200};
	CFrame* frame = new CFrame (CRect (0, 0, 300, 200), nullptr);
	CViewContainer* box = new CViewContainer (CRect (10, 20, 290, 190));
	COptionMenu* menu = new COptionMenu (CRect (20, 30, 120, 50), nullptr, 0);
	bool submenuGone = false;
	COptionMenu* submenu = new WatchedMenu (submenuGone);

	explicit NativeMenuRig (int32_t style = 0)
	{
		// As at load, whatever a failed test before left.
		bHoldPopups = false;
		bMenuPopuped = false;
		gLastMenu = nil;
		menu->setStyle (style);
		addSampleEntries (*menu, submenu);
		frame->addView (box);
		box->addView (menu);
		frame->open (window.contentView ());
	}
	~NativeMenuRig () { frame->close (); }

	NSView* frameView () const { return dynamic_cast<NSViewFrame*> (frame->getPlatformFrame ())->getNSView (); }
	// A click on the option menu, through the window.
	void click () { window.send (NSLeftMouseDown, NSMakePoint (40, 60)); }

	struct Report
	{
		COptionMenu* optionMenu;
		PlatformOptionMenuResult result;
		NSMenu* lastMenu;
		bool menuPopuped;
	};
	std::vector<Report> reports;
	// Pops `m` up through a native platform menu and records what it
	// reports, with the globals at that time; `then` runs after the record.
	void popup (COptionMenu* m, std::function<void ()> then = {})
	{
		NSViewOptionMenu ().popup (m, [=] (COptionMenu* optionMenu, PlatformOptionMenuResult result) {
			reports.push_back ({optionMenu, result, gLastMenu, bMenuPopuped});
			if (then)
				then ();
		});
	}
	void popup () { popup (menu); }
};

std::string titleOf (NSMenuItem* item)
{
	return [[item title] UTF8String];
}

//------------------------------------------------------------------------------
TEST (NativeOptionMenu, IsTheCocoaFramesMenuUntilAGenericThemeIsSet)
{
	NativeMenuRig rig;
	IPlatformFrame* platformFrame = rig.frame->getPlatformFrame ();
	EXPECT_NE (dynamic_cast<NSViewOptionMenu*> (platformFrame->createPlatformOptionMenu ().get ()), nullptr);
	platformFrame->setGenericOptionMenuTheme (std::make_unique<GenericOptionMenuTheme> ());
	EXPECT_NE (dynamic_cast<GenericOptionMenu*> (platformFrame->createPlatformOptionMenu ().get ()), nullptr);
	platformFrame->setGenericOptionMenuTheme (nullptr);
	EXPECT_NE (dynamic_cast<NSViewOptionMenu*> (platformFrame->createPlatformOptionMenu ().get ()), nullptr);
}

TEST (NativeOptionMenu, ShowsTheMenuInTheFrameViewAndPublishesItOnlyDuringTheModalCall)
{
	NativeMenuRig rig;
	const int32_t references = rig.menu->getNbReference ();
	int32_t referencesWhileShown = 0;
	Class shownClass = Nil;
	NSCursor* cursorWhileShown = nil;
	ModalMenuStandIn standIn ([&] (NSMenu* menu) {
		referencesWhileShown = rig.menu->getNbReference ();
		shownClass = object_getClass (menu);
		cursorWhileShown = [NSCursor currentCursor];
	});
	[[NSCursor pointingHandCursor] set];
	EXPECT_EQ (gLastMenu, nil);
	EXPECT_FALSE (bMenuPopuped);
	rig.popup ();

	ASSERT_EQ (standIn.calls.size (), 1u);
	const auto& call = standIn.calls[0];
	Class cls = NSViewOptionMenu::getMenuClass ();
	EXPECT_EQ (shownClass, cls);
	EXPECT_EQ (std::strncmp (class_getName (cls), "VSTGUI_NSMenu_", 14), 0) << class_getName (cls);
	EXPECT_EQ (class_getSuperclass (cls), [NSMenu class]);
	EXPECT_EQ (call.lastMenu, call.menu) << "published while on screen";
	EXPECT_TRUE (call.menuPopuped);
	EXPECT_EQ (call.viewSuperview, rig.frameView ()) << "placed against a view in the frame view";
	EXPECT_EQ (call.minimumWidth, 100.) << "as wide as the option menu";
	EXPECT_EQ (referencesWhileShown, references + 1) << "the native menu holds the option menu";
	EXPECT_EQ (cursorWhileShown, [NSCursor arrowCursor]) << "the default cursor over the menu";

	ASSERT_EQ (rig.reports.size (), 1u);
	EXPECT_EQ (rig.reports[0].optionMenu, rig.menu);
	EXPECT_EQ (rig.reports[0].lastMenu, nil) << "gone before the callback";
	EXPECT_TRUE (rig.reports[0].menuPopuped) << "the popup lasts until its callback has returned";
	EXPECT_EQ (gLastMenu, nil);
	EXPECT_FALSE (bMenuPopuped);
	EXPECT_EQ ([[rig.frameView () subviews] count], 0u) << "the view that placed the menu went";
	EXPECT_EQ (rig.menu->getNbReference (), references) << "the native menu went";
}

TEST (NativeOptionMenu, PlacesTheMenuBelowTheOptionMenuOrItsCurrentItemOverIt)
{
	struct Case
	{
		const char* what;
		int32_t style;
		float value;
		int32_t removeFrom; // entries from this index on go before the popup (-1: none)
		NSRect viewFrame;
		NSInteger item; // -1: nil
	};
	const Case cases[] = {
	    {"below", 0, 1, -1, {{30, 70}, {100, 20}}, -1},
	    {"popup style: the current item", kPopupStyle, 1, -1, {{30, 50}, {100, 20}}, 1},
	    {"popup style: the last item", kPopupStyle, 5, -1, {{30, 50}, {100, 20}}, 5},
	    {"popup style: a value past the entries", kPopupStyle, 5, 4, {{30, 50}, {100, 20}}, -1},
	};
	for (const auto& c : cases)
	{
		NativeMenuRig rig (c.style);
		rig.menu->setValue (c.value);
		for (int32_t i = c.removeFrom; i >= 0 && i < rig.menu->getNbEntries ();)
			rig.menu->removeEntry (i);
		NSInteger item = -2;
		ModalMenuStandIn standIn ([&] (NSMenu* menu) {
			NSMenuItem* given = standIn.calls.back ().item;
			item = given ? [menu indexOfItem:given] : -1;
		});
		rig.popup ();
		ASSERT_EQ (standIn.calls.size (), 1u) << c.what;
		const auto& call = standIn.calls[0];
		EXPECT_TRUE (NSEqualRects (call.viewFrame, c.viewFrame))
		    << c.what << ": " << [NSStringFromRect (call.viewFrame) UTF8String];
		EXPECT_TRUE (NSEqualPoints (call.location, NSMakePoint (0, 20))) << c.what << ": the view's top-left";
		EXPECT_EQ (item, c.item) << c.what;
	}
}

TEST (NativeOptionMenu, TheMenuHasAnItemForEachEntryTaggedWithItsIndex)
{
	NativeMenuRig rig;
	ModalMenuStandIn standIn ([&] (NSMenu* menu) {
		ASSERT_EQ ([menu numberOfItems], 6);
		EXPECT_FALSE ([menu autoenablesItems]);
		const char* titles[] = {"A", "B", "", "C", "More", "D"};
		for (NSInteger i = 0; i < 6; ++i)
		{
			NSMenuItem* item = [menu itemAtIndex:i];
			EXPECT_EQ ([item tag], i);
			EXPECT_EQ ([item isSeparatorItem], i == 2) << i;
			if (i != 2)
			{
				EXPECT_EQ (titleOf (item), titles[i]);
				EXPECT_EQ ([item isEnabled], i != 3) << i;
				EXPECT_EQ ([item state], i == 5 ? NSOnState : NSOffState) << i;
				EXPECT_EQ ([item hasSubmenu], i == 4) << i;
			}
		}
		NSMenu* submenu = [[menu itemAtIndex:4] submenu];
		EXPECT_EQ (object_getClass (submenu), object_getClass (menu));
		ASSERT_EQ ([submenu numberOfItems], 2);
		EXPECT_EQ (titleOf ([submenu itemAtIndex:1]), "Y");
		EXPECT_EQ ([[submenu itemAtIndex:1] tag], 1);
	});
	rig.popup ();
	EXPECT_EQ (standIn.calls.size (), 1u);
}

TEST (NativeOptionMenu, MarksTheCurrentItemWhenTheMenuShowsOneMark)
{
	struct Case
	{
		const char* what;
		int32_t style;
		std::vector<NSInteger> marked;
	};
	const Case cases[] = {
	    {"check style", kCheckStyle, {1, 5}},
	    {"multiple checks: the entries' own", kCheckStyle | kMultipleCheckStyle, {5}},
	    {"no checks: the entries' own", 0, {5}},
	};
	for (const auto& c : cases)
	{
		NativeMenuRig rig (c.style);
		rig.menu->setValue (1);
		std::vector<NSInteger> marked;
		ModalMenuStandIn standIn ([&] (NSMenu* menu) {
			for (NSInteger i = 0; i < [menu numberOfItems]; ++i)
				if ([[menu itemAtIndex:i] state] == NSOnState)
					marked.push_back (i);
		});
		rig.popup ();
		EXPECT_EQ (marked, c.marked) << c.what;
		EXPECT_FALSE (rig.menu->isCheckEntry (1)) << c.what << ": the entry itself is left as it is";
	}
}

TEST (NativeOptionMenu, ReportsTheMenuAndIndexOfTheChosenItem)
{
	struct Case
	{
		const char* what;
		NSInteger submenuItem; // -1: an item of the menu itself
		NSInteger item;        // -1: none
		bool inSubmenu;
		int32_t index;
	};
	const Case cases[] = {
	    {"an item", -1, 1, false, 1},
	    {"an item after the separator", -1, 5, false, 5},
	    {"an item of the submenu", 4, 1, true, 1},
	    {"nothing", -1, -1, false, 0},
	};
	for (const auto& c : cases)
	{
		NativeMenuRig rig;
		ModalMenuStandIn standIn ([&] (NSMenu* menu) {
			if (c.item >= 0)
				ModalMenuStandIn::choose (c.submenuItem < 0 ? menu : [[menu itemAtIndex:c.submenuItem] submenu],
				                          c.item);
		});
		rig.popup ();
		ASSERT_EQ (rig.reports.size (), 1u) << c.what;
		const auto& result = rig.reports[0].result;
		EXPECT_EQ (result.menu, c.item < 0 ? nullptr : c.inSubmenu ? rig.submenu : rig.menu) << c.what;
		EXPECT_EQ (result.index, c.index) << c.what;
		EXPECT_FALSE (bMenuPopuped) << c.what;
	}
}

TEST (NativeOptionMenu, AChosenSubmenuLivesUntilTheCallbackHasReturned)
{
	NativeMenuRig rig;
	bool goneInCallback = true;
	ModalMenuStandIn standIn ([&] (NSMenu* menu) {
		NSMenu* nativeSubmenu = [[menu itemAtIndex:4] submenu];
		rig.menu->removeEntry (4); // the option menu lets go of the submenu
		ModalMenuStandIn::choose (nativeSubmenu, 0);
	});
	rig.popup (rig.menu, [&] { goneInCallback = rig.submenuGone; });
	ASSERT_EQ (rig.reports.size (), 1u);
	EXPECT_EQ (rig.reports[0].result.menu, rig.submenu);
	EXPECT_FALSE (goneInCallback);
	EXPECT_TRUE (rig.submenuGone) << "released with the native menu after the callback";
}

TEST (NativeOptionMenu, AClickOnTheOptionMenuPopsItUpAndTheChoiceBecomesItsValue)
{
	NativeMenuRig rig;
	rig.menu->setValue (0);
	bool activeWhileShown = false;
	ModalMenuStandIn standIn ([&] (NSMenu* menu) {
		activeWhileShown = rig.menu->isPopupActive ();
		ModalMenuStandIn::choose (menu, 1);
	});
	rig.click ();
	EXPECT_EQ (standIn.calls.size (), 1u);
	EXPECT_TRUE (activeWhileShown);
	EXPECT_EQ (rig.menu->getValue (), 1.f);
	EXPECT_FALSE (rig.menu->isPopupActive ());
}

//------------------------------------------------------------------------------
// The guard of the popup globals.

TEST (PopupGuard, AHeldPopupShowsNoMenuChangesNoValueAndTheNextOneGoesThrough)
{
	NativeMenuRig rig;
	rig.menu->setValue (0);
	ModalMenuStandIn standIn ([] (NSMenu* menu) { ModalMenuStandIn::choose (menu, 1); });
	{
		GlobalValue<bool> hold (bHoldPopups, true);
		rig.click ();
		EXPECT_TRUE (standIn.calls.empty ());
		EXPECT_EQ (rig.menu->getValue (), 0.f);
		EXPECT_FALSE (rig.menu->isPopupActive ()) << "the refusal was reported, so the popup ended";
		rig.popup ();
		ASSERT_EQ (rig.reports.size (), 1u);
		EXPECT_EQ (rig.reports[0].result.menu, nullptr);
		EXPECT_EQ (rig.reports[0].result.index, 0);
		EXPECT_FALSE (rig.reports[0].menuPopuped) << "a refusal does not touch the flag";
		EXPECT_TRUE (standIn.calls.empty ());
	}
	rig.click ();
	EXPECT_EQ (standIn.calls.size (), 1u);
	EXPECT_EQ (rig.menu->getValue (), 1.f);
}

TEST (PopupGuard, APopupAskedForWhileOneIsInProgressIsRefusedAndLeavesTheFlagSet)
{
	struct Case
	{
		const char* what;
		bool fromCallback; // else during the modal call
	};
	for (const auto& c : {Case {"from the callback", true}, Case {"during the modal call", false}})
	{
		NativeMenuRig rig;
		COptionMenu* other = new COptionMenu (CRect (150, 30, 250, 50), nullptr, 1);
		other->addEntry ("Z");
		rig.box->addView (other);
		bool flagAfterRefusal = false;
		auto askAgain = [&] {
			rig.popup (other);
			flagAfterRefusal = bMenuPopuped;
		};
		ModalMenuStandIn standIn ([&] (NSMenu* menu) {
			ModalMenuStandIn::choose (menu, 1);
			if (!c.fromCallback)
				askAgain ();
		});
		rig.popup (rig.menu, [&] {
			if (c.fromCallback && rig.reports.size () == 1)
				askAgain ();
		});
		EXPECT_EQ (standIn.calls.size (), 1u) << c.what << ": no second menu";
		ASSERT_EQ (rig.reports.size (), 2u) << c.what;
		const auto& inner = rig.reports[c.fromCallback ? 1 : 0];
		const auto& outer = rig.reports[c.fromCallback ? 0 : 1];
		EXPECT_EQ (inner.optionMenu, other) << c.what;
		EXPECT_EQ (inner.result.menu, nullptr) << c.what;
		EXPECT_EQ (inner.result.index, 0) << c.what;
		EXPECT_TRUE (flagAfterRefusal) << c.what << ": the popup in progress keeps its flag";
		EXPECT_EQ (outer.result.menu, rig.menu) << c.what;
		EXPECT_EQ (outer.result.index, 1) << c.what;
		EXPECT_FALSE (bMenuPopuped) << c.what;
	}
}

TEST (PopupGuard, HoldingPopupsWhileAMenuIsShownLeavesThatMenuAndItsChoice)
{
	NativeMenuRig rig;
	ModalMenuStandIn standIn ([] (NSMenu* menu) {
		bHoldPopups = true;
		ModalMenuStandIn::choose (menu, 1);
	});
	rig.popup ();
	bHoldPopups = false;
	ASSERT_EQ (rig.reports.size (), 1u);
	EXPECT_EQ (rig.reports[0].result.menu, rig.menu);
	EXPECT_EQ (rig.reports[0].result.index, 1);
}

TEST (PopupGuard, AnEarlyEndReportsNoChoiceClearsTheFlagAndTheNextPopupGoesThrough)
{
	struct Case
	{
		const char* what;
		enum
		{
			noFrame,
			closedFrame,
			otherPlatform
		} place;
	};
	const Case cases[] = {{"no frame", Case::noFrame},
	                      {"a frame that is not open", Case::closedFrame},
	                      {"a frame open on another platform", Case::otherPlatform}};
	for (const auto& c : cases)
	{
		NativeMenuRig rig;
		auto elsewhere = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
		auto lone = makeOwned<COptionMenu> (CRect (0, 0, 50, 20), nullptr, 0);
		lone->addEntry ("A");
		if (c.place != Case::noFrame)
		{
			lone->remember ();
			elsewhere->addView (lone);
		}
		SharedPointer<RecordingPlatformFrame> platform;
		if (c.place == Case::otherPlatform)
			platform = openOnRecordingPlatform (*elsewhere);

		ModalMenuStandIn standIn;
		rig.popup (lone);
		ASSERT_EQ (rig.reports.size (), 1u) << c.what;
		EXPECT_EQ (rig.reports[0].optionMenu, lone.get ()) << c.what;
		EXPECT_EQ (rig.reports[0].result.menu, nullptr) << c.what;
		EXPECT_EQ (rig.reports[0].result.index, 0) << c.what;
		EXPECT_TRUE (rig.reports[0].menuPopuped) << c.what << ": cleared after the callback";
		EXPECT_FALSE (bMenuPopuped) << c.what;
		EXPECT_TRUE (standIn.calls.empty ()) << c.what;

		rig.popup ();
		EXPECT_EQ (standIn.calls.size (), 1u) << c.what << ": the next popup is shown";
	}
}

TEST (PopupGuard, MissingArgumentsAreReportedAndThePopupGoesOn)
{
	NativeMenuRig rig;
	ModalMenuStandIn standIn;
	{
		AssertionRecorder assertions;
		rig.popup (nullptr);
		EXPECT_EQ (assertions.reports (), Names {"arguments are required"});
		ASSERT_EQ (rig.reports.size (), 1u);
		EXPECT_EQ (rig.reports[0].optionMenu, nullptr);
		EXPECT_EQ (rig.reports[0].result.menu, nullptr);
		EXPECT_TRUE (standIn.calls.empty ()) << "no menu to show";
		EXPECT_FALSE (bMenuPopuped);
	}
	{
		AssertionRecorder assertions;
		NSViewOptionMenu ().popup (rig.menu, {});
		EXPECT_EQ (assertions.reports (), Names {"arguments are required"});
		EXPECT_EQ (standIn.calls.size (), 1u) << "the menu is shown all the same";
		EXPECT_FALSE (bMenuPopuped);
	}
}

TEST (PopupGuard, AGenericMenuPopsUpWhilePopupsAreHeldAndLeavesTheGlobalsAlone)
{
	NativeMenuRig rig;
	rig.frame->getPlatformFrame ()->setGenericOptionMenuTheme (std::make_unique<GenericOptionMenuTheme> ());
	rig.menu->setValue (0);
	NSMenu* someMenu = [[NSMenu alloc] initWithTitle:@""];
	{
		GlobalValue<bool> hold (bHoldPopups, true);
		GlobalValue<bool> popuped (bMenuPopuped, true);
		GlobalValue<NSMenu*> last (gLastMenu, someMenu);
		ModalMenuStandIn standIn;
		rig.click ();
		EXPECT_NE (rig.frame->getModalView (), nullptr) << "the generic menu is open";
		EXPECT_TRUE (bMenuPopuped);
		EXPECT_EQ (gLastMenu, someMenu);
		// Its first entry, just below the option menu.
		rig.window.send (NSLeftMouseDown, NSMakePoint (40, 75));
		EXPECT_EQ (rig.frame->getModalView (), nullptr);
		EXPECT_EQ (rig.menu->getValue (), 0.f);
		EXPECT_TRUE (standIn.calls.empty ());
		EXPECT_TRUE (bHoldPopups);
		EXPECT_TRUE (bMenuPopuped);
		EXPECT_EQ (gLastMenu, someMenu);
	}
	[someMenu release];
}

//------------------------------------------------------------------------------
// Real menus, ended by a posted mouse-up.

TEST (RealMenu, AClickPopsUpTheMenuAndAPostedMouseUpEndsIt)
{
	struct Case
	{
		const char* what;
		int32_t style;
		NSInteger choice; // -1: none
		float value;
	};
	const Case cases[] = {
	    {"a choice", 0, 1, 1.f},
	    {"no choice", 0, -1, 0.f},
	    {"popup style, a choice", kPopupStyle, 5, 5.f},
	};
	for (const auto& c : cases)
	{
		NativeMenuRig rig (c.style);
		rig.menu->setValue (0);
		bool shown = false;
		NSPoint currentItem {}, optionMenu {};
		ModalMenuCloser closer (
		    rig.window.window (), [] { return gLastMenu; }, c.choice, [&] {
			    shown = gLastMenu != nil;
			    NSMenuView* view = [gLastMenu menuRepresentation];
			    const NSRect item = [view convertRect:[view rectOfItemAtIndex:0] toView:nil];
			    const NSRect window = [[view window] frame];
			    currentItem = NSMakePoint (NSMinX (window) + NSMinX (item), NSMinY (window) + NSMaxY (item));
			    const NSRect frame = [rig.window.window () frame];
			    optionMenu = NSMakePoint (NSMinX (frame) + 30, NSMaxY (frame) - 50);
		    });
		rig.click ();
		EXPECT_GE (closer.firings (), 1) << c.what;
		EXPECT_TRUE (shown) << c.what;
		EXPECT_EQ (rig.menu->getValue (), c.value) << c.what;
		EXPECT_EQ (gLastMenu, nil) << c.what;
		EXPECT_FALSE (bMenuPopuped) << c.what;
		EXPECT_FALSE (rig.menu->isPopupActive ()) << c.what;
		if (c.style & kPopupStyle)
		{
			EXPECT_NEAR (currentItem.x, optionMenu.x, 1.) << c.what << ": the current item over the option menu";
			EXPECT_NEAR (currentItem.y, optionMenu.y, 1.) << c.what;
		}
	}
}

} // namespace
