// Ends the modal menus that open while it lives, as a user would: a timer
// that fires only while a menu tracks the mouse posts a mouse-up. Once a
// menu has begun tracking (it is on screen then, and in its place), the
// first mouse-up comes after `whileShown` has run and the item at `choice`
// of the menu that `shownMenu` names (none for -1) is highlighted, so that
// the mouse-up chooses that item. Now and then later firings post plain
// mouse-ups, which end any menu still open without a choice, and so do
// firings that have waited long for a menu: a test that pops real menus ends
// by itself. Mouse-ups left over are dropped when the closer goes.
#pragma once

#import <AppKit/AppKit.h>

#include <functional>

@class TolvikModalMenuCloserTarget;

namespace Tolvik::Testing {

class ModalMenuCloser
{
public:
	ModalMenuCloser (NSWindow* window, std::function<NSMenu* ()> shownMenu, NSInteger choice,
	                 std::function<void ()> whileShown = {});
	~ModalMenuCloser ();
	ModalMenuCloser (const ModalMenuCloser&) = delete;
	ModalMenuCloser& operator= (const ModalMenuCloser&) = delete;

	// How many times the timer has fired, each time inside a menu's tracking.
	int firings () const { return fired; }

	// From the timer, and from the notice that a menu began tracking.
	void fire ();
	void menuBeganTracking ();

private:
	NSWindow* window;
	std::function<NSMenu* ()> shownMenu;
	NSInteger choice;
	std::function<void ()> whileShown;
	int fired {0};
	bool tracking {false};
	bool acted {false};
	int sincePosted {0};
	TolvikModalMenuCloserTarget* target;
	NSTimer* timer;
};

} // Tolvik::Testing
