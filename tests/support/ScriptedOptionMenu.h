// A platform option menu that shows nothing: each popup is recorded, runs
// what the test puts in `whileShown` (as code would run during a modal
// menu), and reports the result the test sets, or none when `reports` is
// false.
#pragma once

#include "lib/platform/iplatformoptionmenu.h"

#include <functional>

namespace Tolvik::Testing {

class ScriptedOptionMenu : public VSTGUI::IPlatformOptionMenu
{
public:
	void popup (VSTGUI::COptionMenu* optionMenu, const Callback& callback) override
	{
		++popups;
		shownMenu = optionMenu;
		if (whileShown)
			whileShown ();
		if (reports)
			callback (optionMenu, result);
	}

	VSTGUI::PlatformOptionMenuResult result {};
	bool reports {true};
	std::function<void ()> whileShown;
	int popups {0};
	VSTGUI::COptionMenu* shownMenu {nullptr};
};

} // Tolvik::Testing
