// Stands in, for its life, for the modal call of the native option menu's
// class (popUpMenuPositioningItem:atLocation:inView:), as Mac tests of modal
// code do: it records what each call is given and what the popup has
// published by then, and runs the test's `whileShown` in place of the user.
#pragma once

#import <AppKit/AppKit.h>

#include <functional>
#include <vector>

namespace Tolvik::Testing {

struct ModalMenuCall
{
	NSMenu* menu;         // not retained: gone after the popup
	NSMenuItem* item;     // the item to put at the location, or nil
	NSPoint location;     // in the view's coordinates
	NSRect viewFrame;     // of the view, in its superview's coordinates
	NSView* viewSuperview;
	NSMenu* lastMenu;     // gLastMenu during the call
	bool menuPopuped;     // bMenuPopuped during the call
	CGFloat minimumWidth; // of the menu
};

class ModalMenuStandIn
{
public:
	explicit ModalMenuStandIn (std::function<void (NSMenu* menu)> whileShown = {});
	~ModalMenuStandIn ();
	ModalMenuStandIn (const ModalMenuStandIn&) = delete;
	ModalMenuStandIn& operator= (const ModalMenuStandIn&) = delete;

	// Chooses the item at `index` of `menu` as the user would: the item sends
	// its action to its target.
	static void choose (NSMenu* menu, NSInteger index);

	std::vector<ModalMenuCall> calls;
	std::function<void (NSMenu* menu)> whileShown;
};

} // Tolvik::Testing
