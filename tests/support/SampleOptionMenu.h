// The entries that the option menu tests share.
#pragma once

#include "lib/controls/coptionmenu.h"

namespace Tolvik::Testing {

// Adds A, B, a separator, C (disabled), More (which opens `submenu`, given
// the entries X and Y) and D (checked) to `menu`. More's entry takes over
// the caller's reference to the submenu.
void addSampleEntries (VSTGUI::COptionMenu& menu, VSTGUI::COptionMenu* submenu);

} // Tolvik::Testing
