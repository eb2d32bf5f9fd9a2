// The positioned modal popup of menus and their minimum width, as this
// platform's AppKit additions supply them, with real menus that a timer ends.
#import <AppKit/AppKit.h>

#include "ModalMenuCloser.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Records the tags of the items whose action it receives into a list of its
// owner's.
@interface TolvikMenuActionRecorder : NSObject
{
@public
	std::vector<NSInteger>* tags;
}
- (void)chosen:(NSMenuItem*)item;
@end

@implementation TolvikMenuActionRecorder
- (void)chosen:(NSMenuItem*)item
{
	tags->push_back ([item tag]);
}
@end

namespace {

using namespace Tolvik::Testing;

struct MenuRig
{
	TestWindow window {300, 200};
	std::vector<NSInteger> chosenTags;
	TolvikMenuActionRecorder* recorder = [TolvikMenuActionRecorder new];
	NSMenu* menu = [[NSMenu alloc] initWithTitle:@""];

	MenuRig ()
	{
		recorder->tags = &chosenTags;
		for (NSInteger i = 0; i < 4; ++i)
		{
			NSMenuItem* item = [[NSMenuItem alloc] initWithTitle:[NSString stringWithFormat:@"Item %ld", (long)i]
			                                              action:@selector (chosen:)
			                                       keyEquivalent:@""];
			[item setTarget:recorder];
			[item setTag:i];
			[menu addItem:item];
			[item release];
		}
	}
	~MenuRig ()
	{
		[menu release];
		[recorder release];
	}

	NSWindow* menuWindow () const { return [[menu menuRepresentation] window]; }
	// A point of the content view (flipped, at the window's origin) on the
	// screen, where y grows upwards.
	NSPoint onScreen (NSPoint inView) const
	{
		const NSRect frame = [window.window () frame];
		return NSMakePoint (NSMinX (frame) + inView.x, NSMaxY (frame) - inView.y);
	}
	// The top-left corner of an item, or of the menu window for -1, on the
	// screen.
	NSPoint topLeftOnScreen (NSInteger item) const
	{
		const NSRect frame = [menuWindow () frame];
		if (item < 0)
			return NSMakePoint (NSMinX (frame), NSMaxY (frame));
		NSMenuView* view = [menu menuRepresentation];
		const NSRect rect = [view convertRect:[view rectOfItemAtIndex:item] toView:nil];
		return NSMakePoint (NSMinX (frame) + NSMinX (rect), NSMinY (frame) + NSMaxY (rect));
	}
	BOOL popUp (NSMenuItem* item, NSPoint location, NSView* view, NSInteger choice, std::function<void ()> whileShown)
	{
		ModalMenuCloser closer (window.window (), [this] { return menu; }, choice, std::move (whileShown));
		const BOOL chosen = [menu popUpMenuPositioningItem:item atLocation:location inView:view];
		EXPECT_GE (closer.firings (), 1) << "the menu was tracked";
		return chosen;
	}
};

void expectNear (NSPoint actual, NSPoint expected, const char* what)
{
	EXPECT_LE (std::abs (actual.x - expected.x), 1.) << what << ": x " << actual.x << ", not " << expected.x;
	EXPECT_LE (std::abs (actual.y - expected.y), 1.) << what << ": y " << actual.y << ", not " << expected.y;
}

TEST (MenuPopUp, PutsTheItemOrTheMenuAtTheLocationInTheView)
{
	struct Case
	{
		const char* what;
		NSInteger item; // -1: none
		NSPoint location;
	};
	const Case cases[] = {
	    {"no item: the menu's corner", -1, {50, 40}},
	    {"the first item", 0, {120, 100}},
	    {"a later item", 2, {120, 100}},
	};
	for (const auto& c : cases)
	{
		MenuRig rig;
		NSPoint placed {-1000, -1000};
		NSMenuItem* item = c.item < 0 ? nil : [rig.menu itemAtIndex:c.item];
		rig.popUp (item, c.location, rig.window.contentView (), -1, [&] { placed = rig.topLeftOnScreen (c.item); });
		expectNear (placed, rig.onScreen (c.location), c.what);
	}
}

TEST (MenuPopUp, KeepsTheMenuOnTheScreen)
{
	MenuRig rig;
	const NSPoint corners[] = {{5000, 5000}, {-5000, -5000}};
	for (const NSPoint location : corners)
	{
		NSRect placed = NSZeroRect;
		rig.popUp (nil, location, nil, -1, [&] { placed = [rig.menuWindow () frame]; });
		const NSRect visible = [[NSScreen mainScreen] visibleFrame];
		EXPECT_TRUE (NSContainsRect (visible, placed))
		    << "menu at " << NSMinX (placed) << ", " << NSMinY (placed) << " for " << location.x << ", " << location.y;
	}
}

TEST (MenuPopUp, IsShownAtLeastAsWideAsItsMinimumWidth)
{
	MenuRig natural;
	EXPECT_EQ ([natural.menu minimumWidth], 0.);
	CGFloat naturalWidth = 0;
	natural.popUp (nil, NSMakePoint (10, 10), natural.window.contentView (), -1,
	               [&] { naturalWidth = NSWidth ([natural.menuWindow () frame]); });
	ASSERT_GT (naturalWidth, 0.);

	struct Case
	{
		CGFloat minimum;
		CGFloat width;
	};
	const Case cases[] = {{naturalWidth + 150, naturalWidth + 150}, {naturalWidth / 2, naturalWidth}};
	for (const auto& c : cases)
	{
		MenuRig rig;
		[rig.menu setMinimumWidth:c.minimum];
		EXPECT_EQ ([rig.menu minimumWidth], c.minimum);
		CGFloat windowWidth = 0, itemWidth = 0;
		rig.popUp (nil, NSMakePoint (10, 10), rig.window.contentView (), 2, [&] {
			windowWidth = NSWidth ([rig.menuWindow () frame]);
			itemWidth = NSWidth ([[rig.menu menuRepresentation] rectOfItemAtIndex:3]);
		});
		EXPECT_EQ (windowWidth, c.width) << "minimum " << c.minimum;
		EXPECT_GE (itemWidth, c.width - 1) << "the items fill the menu (inside its border)";
	}
}

// A menu made where a menu with a minimum width was starts without one.
TEST (MenuPopUp, TheMinimumWidthGoesWithItsMenu)
{
	auto makeMenu = [] {
		NSAutoreleasePool* pool = [NSAutoreleasePool new];
		NSMenu* menu = [[NSMenu alloc] initWithTitle:@""];
		[pool release];
		return menu;
	};
	NSMenu* first = makeMenu ();
	[first setMinimumWidth:300];
	const void* address = first;
	[first release];
	std::vector<NSMenu*> made;
	while (made.size () < 100 && (made.empty () || made.back () != address))
		made.push_back (makeMenu ());
	ASSERT_EQ (made.back (), address) << "a new menu where the first one was";
	EXPECT_EQ ([made.back () minimumWidth], 0.);
	for (NSMenu* menu : made)
		[menu release];
}

TEST (MenuPopUp, AnswersWhetherAnItemOfTheMenuOrItsSubmenusWasChosen)
{
	struct Case
	{
		const char* what;
		NSInteger choice;
		enum
		{
			none,
			submenu,
			otherMenu
		} notice; // an item's action sent while the menu is shown
		BOOL chosen;
		std::vector<NSInteger> actions;
	};
	const Case cases[] = {
	    {"an item", 1, Case::none, YES, {1}},
	    {"no item", -1, Case::none, NO, {}},
	    {"an item of a submenu", -1, Case::submenu, YES, {}},
	    {"an item of a menu that is not shown", -1, Case::otherMenu, NO, {}},
	};
	for (const auto& c : cases)
	{
		MenuRig rig;
		NSMenu* submenu = [[NSMenu alloc] initWithTitle:@""];
		[rig.menu setSubmenu:submenu forItem:[rig.menu itemAtIndex:3]];
		NSMenu* other = [[NSMenu alloc] initWithTitle:@""];
		const BOOL chosen = rig.popUp (nil, NSMakePoint (10, 10), rig.window.contentView (), c.choice, [&] {
			if (c.notice != Case::none)
				[[NSNotificationCenter defaultCenter]
				    postNotificationName:NSMenuDidSendActionNotification
				                  object:c.notice == Case::submenu ? submenu : other];
		});
		EXPECT_EQ (chosen, c.chosen) << c.what;
		EXPECT_EQ (rig.chosenTags, c.actions) << c.what;
		[submenu release];
		[other release];
	}
}

} // namespace
