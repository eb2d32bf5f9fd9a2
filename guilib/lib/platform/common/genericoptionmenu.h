// The library's own (drawn) popup of option menus, for platform frames that
// have a generic-menu theme. It shows the menu as views in the frame, in a
// modal view session: the option menu's entries in a column below it (over
// it, at its current entry, with the popup style), and each submenu that a
// click opens in a column beside the entry that opened it. A click on an
// entry chooses it; a click outside the columns closes the menu without a
// choice. Either is reported after the click's event, once the session has
// ended. Main thread.
#pragma once

#include "../iplatformoptionmenu.h"
#include "genericoptionmenutheme.h"

namespace VSTGUI {

class GenericOptionMenu : public IPlatformOptionMenu
{
public:
	explicit GenericOptionMenu (const GenericOptionMenuTheme& theme);

	// Opens the menu and returns; `callback` runs when the menu closes. A
	// menu without a frame is reported at once, without a choice.
	void popup (COptionMenu* optionMenu, const Callback& callback) override;

private:
	GenericOptionMenuTheme theme;
};

} // VSTGUI
