// An option menu whose list lock a test can look at, through the free test,
// so that looking is no data race with other threads' swaps.
#pragma once

#include "lib/controls/coptionmenu.h"

namespace Tolvik::Testing {

class ListLockProbeMenu : public VSTGUI::COptionMenu
{
public:
	using COptionMenu::COptionMenu;
	ListLockProbeMenu (const COptionMenu& other) : COptionMenu (other) {}
	bool isListLocked () { return !VSTGUI::SpinLock::isFree (listAccessLock); }
};

} // Tolvik::Testing
