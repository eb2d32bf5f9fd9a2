#import "nsviewoptionmenu.h"

#import "nsviewframe.h"
#import "objcruntime.h"

#import <AppKit/AppKit.h>

#include "../../../cframe.h"
#include "../../../controls/coptionmenu.h"
#include "../../../vstguidebug.h"
#include "../../common/optionmenurect.h"

bool bHoldPopups = false;
bool bMenuPopuped = false;
NSMenu* gLastMenu = nil;

// The menu class's own methods, made at run time by NSViewOptionMenu::initClass.
@interface NSMenu (VSTGUIOptionMenu)
- (id)initWithOptionMenu:(void*)optionMenu;
- (void*)selectedMenu;
- (NSInteger)selectedItem;
@end

namespace VSTGUI {
namespace {

Class menuClass = Nil;
constexpr const char* kMenuBaseName = "VSTGUI_NSMenu";
// The option menu that the menu shows, with a counted reference for the
// menu's life, and the choice that the menu's items record in the top menu.
constexpr const char* kOptionMenuVariable = "_optionMenu";
constexpr const char* kSelectedMenuVariable = "_selectedMenu";
constexpr const char* kSelectedItemVariable = "_selectedItem";

// One native item for the entry at `index`, tagged with that index, with a
// menu of this class for its submenu.
void addItem (NSMenu* menu, const CMenuItem& entry, int32_t index)
{
	if (entry.isSeparator ())
	{
		NSMenuItem* separator = [NSMenuItem separatorItem];
		[separator setTag:index];
		[menu addItem:separator];
		return;
	}
	NSString* title = [[NSString alloc] initWithUTF8String:entry.getTitle ().c_str ()];
	NSMenuItem* item = [[NSMenuItem alloc] initWithTitle:(title ? title : @"")
	                                              action:@selector (menuItemSelected:)
	                                       keyEquivalent:@""];
	[title release];
	[item setTarget:menu];
	[item setTag:index];
	[item setEnabled:entry.isEnabled ()];
	[item setState:entry.isChecked () ? NSOnState : NSOffState];
	[menu addItem:item];
	if (COptionMenu* submenu = entry.getSubmenu ())
	{
		NSMenu* nativeSubmenu = [[menuClass alloc] initWithOptionMenu:submenu];
		[menu setSubmenu:nativeSubmenu forItem:item];
		[nativeSubmenu release];
	}
	[item release];
}

//------------------------------------------------------------------------------
// The menu class's methods, in the order in which the class gets them.

id initWithOptionMenu (id self, SEL, void* optionMenu)
{
	self = callImplementation<id> ([NSMenu class], self, @selector (initWithTitle:), static_cast<NSString*> (@""));
	if (!self)
		return nil;
	auto menu = static_cast<COptionMenu*> (optionMenu);
	if (!menu)
		return self;
	menu->remember ();
	setVariable (self, kOptionMenuVariable, menu);
	[self setAutoenablesItems:NO];
	for (int32_t index = 0; index < menu->getNbEntries (); ++index)
		if (SharedPointer<CMenuItem> entry = menu->getEntry (index))
			addItem (self, *entry, index);
	return self;
}

void dealloc (id self, SEL selector)
{
	if (auto menu = variableOf<COptionMenu*> (self, kOptionMenuVariable))
		menu->forget ();
	callImplementation<void> ([NSMenu class], self, selector);
}

void* selectedMenu (id self, SEL)
{
	return variableOf<COptionMenu*> (self, kSelectedMenuVariable);
}

NSInteger selectedItem (id self, SEL)
{
	return variableOf<NSInteger> (self, kSelectedItemVariable);
}

// The action of every item: the choice, this menu's option menu and the
// item's index, goes to the menu at the top, which the popup asks.
void menuItemSelected (id self, SEL, NSMenuItem* item)
{
	NSMenu* top = self;
	while ([top supermenu])
		top = [top supermenu];
	setVariable (top, kSelectedMenuVariable, variableOf<COptionMenu*> (self, kOptionMenuVariable));
	setVariable (top, kSelectedItemVariable, [item tag]);
}

Class makeMenuClass ()
{
	Class cls = allocateUniqueClass ([NSMenu class], kMenuBaseName, &menuClass);
	class_addIvar (cls, kOptionMenuVariable, sizeof (void*), 3, "^v");
	class_addIvar (cls, kSelectedMenuVariable, sizeof (void*), 3, "^v");
	class_addIvar (cls, kSelectedItemVariable, sizeof (NSInteger), 3, @encode (NSInteger));
	class_addMethod (cls, @selector (initWithOptionMenu:), toIMP (initWithOptionMenu), TypeString ("@", "^v").text);
	class_addMethod (cls, @selector (dealloc), toIMP (dealloc), TypeString ("v", "").text);
	class_addMethod (cls, @selector (selectedMenu), toIMP (selectedMenu), TypeString ("^v", "").text);
	class_addMethod (cls, @selector (selectedItem), toIMP (selectedItem), TypeString (@encode (NSInteger), "").text);
	class_addMethod (cls, @selector (menuItemSelected:), toIMP (menuItemSelected), TypeString ("v", "@").text);
	objc_registerClassPair (cls);
	return cls;
}

//------------------------------------------------------------------------------
// The steps of a popup that is shown.

// The native menu of the option menu, with the check mark of its current
// entry when it shows one, at least as wide as the option menu. What AppKit
// autoreleases while the menu is built goes before the menu is shown, so
// that nothing but the popup's own reference keeps the menu afterwards.
NSMenu* makeMenu (COptionMenu& optionMenu, CCoord width)
{
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	NSMenu* menu = [[menuClass alloc] initWithOptionMenu:&optionMenu];
	const int32_t style = optionMenu.getStyle ();
	if ((style & kCheckStyle) && !(style & kMultipleCheckStyle))
		[[menu itemWithTag:optionMenu.getCurrentIndex (true)] setState:NSOnState];
	[menu setMinimumWidth:width];
	[pool release];
	return menu;
}

// A view in the frame view that the menu is placed against: over the option
// menu with the popup style, else just below it.
NSView* addContainer (NSView* frameView, const CRect& place, int32_t style)
{
	const CCoord top = (style & kPopupStyle) ? place.top : place.top + place.getHeight ();
	NSView* container =
	    [[NSView alloc] initWithFrame:NSMakeRect (place.left, top, place.getWidth (), place.getHeight ())];
	[frameView addSubview:container];
	return container;
}

// The item at the option menu's value, truncated toward zero; none for a
// value outside the items, which the entries may have left since it was set.
NSMenuItem* itemAtValue (NSMenu* menu, float value)
{
	if (!(value > -1.f) || value >= static_cast<float> ([menu numberOfItems]))
		return nil;
	return [menu itemAtIndex:static_cast<NSInteger> (value)];
}

// The modal call, with the menu published while it is on screen.
void showModally (NSMenu* menu, NSMenuItem* item, NSView* container)
{
	gLastMenu = menu;
	[menu popUpMenuPositioningItem:item atLocation:NSMakePoint (0, NSHeight ([container frame])) inView:container];
	gLastMenu = nil;
}

// The choice that the menu recorded, kept alive for the callback: a submenu
// may have only the native menu's reference left.
struct Choice
{
	SharedPointer<COptionMenu> menu;
	int32_t index;
};

Choice takeChoice (NSMenu* menu)
{
	Choice choice {static_cast<COptionMenu*> ([menu selectedMenu]), static_cast<int32_t> ([menu selectedItem])};
	[menu release];
	return choice;
}

Choice show (COptionMenu& optionMenu, CFrame& frame, NSViewFrame& platformFrame)
{
	platformFrame.setMouseCursor (kCursorDefault);
	const CRect place = optionMenuRectInFrame (optionMenu, frame);
	NSView* frameView = platformFrame.getNSView ();
	NSMenu* menu = makeMenu (optionMenu, place.getWidth ());
	const int32_t style = optionMenu.getStyle ();
	NSView* container = addContainer (frameView, place, style);
	showModally (menu, (style & kPopupStyle) ? itemAtValue (menu, optionMenu.getValue ()) : nil, container);
	[container removeFromSuperviewWithoutNeedingDisplay];
	[container release];
	return takeChoice (menu);
}

void report (const IPlatformOptionMenu::Callback& callback, COptionMenu* optionMenu, PlatformOptionMenuResult result)
{
	if (callback)
		callback (optionMenu, result);
}

} // namespace

//------------------------------------------------------------------------------
bool NSViewOptionMenu::initClass ()
{
	if (!menuClass)
		menuClass = makeMenuClass ();
	return menuClass != Nil;
}

Class NSViewOptionMenu::getMenuClass ()
{
	return menuClass;
}

void NSViewOptionMenu::popup (COptionMenu* optionMenu, const Callback& callback)
{
	// Refused: the caller learns that nothing was chosen, so that it can end
	// its popup; the flag stays as the popup in progress set it.
	if (bMenuPopuped || bHoldPopups)
		return report (callback, optionMenu, {});
	bMenuPopuped = true;
	vstgui_assert (optionMenu && callback, "arguments are required");
	CFrame* frame = optionMenu ? optionMenu->getFrame () : nullptr;
	const bool hasMenuClass = initClass ();
	auto platformFrame = frame ? dynamic_cast<NSViewFrame*> (frame->getPlatformFrame ()) : nullptr;
	if (!hasMenuClass || !platformFrame)
	{
		report (callback, optionMenu, {});
		bMenuPopuped = false;
		return;
	}
	const Choice choice = show (*optionMenu, *frame, *platformFrame);
	report (callback, optionMenu, {choice.menu, choice.index});
	bMenuPopuped = false;
}

} // VSTGUI
