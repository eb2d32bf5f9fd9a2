#import "ModalMenuStandIn.h"

#include "lib/platform/mac/cocoa/nsviewoptionmenu.h"

#include <gtest/gtest.h>

namespace Tolvik::Testing {

namespace {

ModalMenuStandIn* current = nullptr;
const SEL modalCall = @selector (popUpMenuPositioningItem:atLocation:inView:);

BOOL standIn (id self, SEL, NSMenuItem* item, NSPoint location, NSView* view)
{
	current->calls.push_back ({self, item, location, [view frame], [view superview], gLastMenu, bMenuPopuped,
	                           [static_cast<NSMenu*> (self) minimumWidth]});
	if (current->whileShown)
		current->whileShown (self);
	return YES;
}

Method modalCallOf (Class cls)
{
	return class_getInstanceMethod (cls, modalCall);
}

} // namespace

// The class gets a method of its own, which then goes back to NSMenu's:
// NSMenu and other classes keep theirs throughout.
ModalMenuStandIn::ModalMenuStandIn (std::function<void (NSMenu* menu)> whileShown) : whileShown (std::move (whileShown))
{
	EXPECT_EQ (current, nullptr) << "one stand-in at a time";
	current = this;
	VSTGUI::NSViewOptionMenu::initClass ();
	Class cls = VSTGUI::NSViewOptionMenu::getMenuClass ();
	const IMP imp = reinterpret_cast<IMP> (reinterpret_cast<void (*) ()> (standIn));
	if (!class_addMethod (cls, modalCall, imp, method_getTypeEncoding (modalCallOf ([NSMenu class]))))
		method_setImplementation (modalCallOf (cls), imp);
}

ModalMenuStandIn::~ModalMenuStandIn ()
{
	method_setImplementation (modalCallOf (VSTGUI::NSViewOptionMenu::getMenuClass ()),
	                          method_getImplementation (modalCallOf ([NSMenu class])));
	current = nullptr;
}

void ModalMenuStandIn::choose (NSMenu* menu, NSInteger index)
{
	NSMenuItem* item = [menu itemAtIndex:index];
	[NSApp sendAction:[item action] to:[item target] from:item];
}

} // Tolvik::Testing
