// The native popup of option menus: the option menu as an NSMenu of a class
// made at run time, shown modally where the option menu is in the frame.
// Native popups open one at a time, and code outside the library can hold
// them off and see the menu on screen through the globals below, which both
// bundles export under these names. Objective-C++ only; main thread.
#pragma once

#include "../../iplatformoptionmenu.h"

#include <objc/runtime.h>

@class NSMenu;

// While non-zero, every native popup is refused. Set and cleared by code
// outside the library only.
extern bool bHoldPopups;
// 1 while a native popup is in progress, from its start until its callback
// has returned.
extern bool bMenuPopuped;
// The menu on screen during the modal call of a native popup, not retained;
// null at all other times.
extern NSMenu* gLastMenu;

namespace VSTGUI {

class NSViewOptionMenu : public IPlatformOptionMenu
{
public:
	// Makes the menu class once per loaded copy of the library: base name
	// "VSTGUI_NSMenu" with a suffix that no other class has. False when there
	// is no such class.
	static bool initClass ();
	// The menu class, Nil before initClass. Its instances are made with
	// initWithOptionMenu: (the option menu's entries as native items, each
	// tagged with its index, and a submenu of the same class for each
	// submenu), and answer selectedMenu and selectedItem: the option menu
	// (or submenu) and the index of the item chosen while the menu was shown,
	// or null and 0.
	static Class getMenuClass ();

	// Shows the menu modally and calls `callback` with the choice before it
	// returns. A popup asked for while another is in progress, or while
	// bHoldPopups is set, shows nothing and is reported at once without a
	// choice (null menu, index 0); the popup in progress keeps its flag.
	void popup (COptionMenu* optionMenu, const Callback& callback) override;
};

} // VSTGUI
