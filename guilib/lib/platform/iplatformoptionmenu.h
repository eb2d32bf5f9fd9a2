// The platform's own popup for an option menu.
#pragma once

#include "../vstguibase.h"

#include <cstdint>
#include <functional>

namespace VSTGUI {

class COptionMenu;

// What a popup reports back: the menu (or submenu) whose item was chosen and
// the item's index, or a null menu when nothing was chosen.
struct PlatformOptionMenuResult
{
	COptionMenu* menu {nullptr};
	int32_t index {0};
};

class IPlatformOptionMenu : public ReferenceCounted
{
public:
	using Callback = std::function<void (COptionMenu* menu, PlatformOptionMenuResult result)>;
	// Shows the menu and calls `callback` with the result when it is done.
	virtual void popup (COptionMenu* optionMenu, const Callback& callback) = 0;
};

} // VSTGUI
