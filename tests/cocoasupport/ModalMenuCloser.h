// Ends the modal menus that open while it lives, as a user would: a timer
// that fires only while a menu tracks the mouse posts a mouse-up. At its
// first firing it first runs `whileShown` and highlights the item at
// `choice` of the menu that `shownMenu` names (none for -1), so that the
// mouse-up chooses that item. Later firings post plain mouse-ups, which end
// any menu still open without a choice: a test that pops real menus ends by
// itself.
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

	// From the timer.
	void fire ();

private:
	NSWindow* window;
	std::function<NSMenu* ()> shownMenu;
	NSInteger choice;
	std::function<void ()> whileShown;
	int fired {0};
	TolvikModalMenuCloserTarget* target;
	NSTimer* timer;
};

} // Tolvik::Testing
