// How the library's own (drawn) option menu looks. This build draws bitmaps
// only: each bitmap is optional, and a menu without any still opens and takes
// clicks but shows nothing.
#pragma once

#include "../../cbitmap.h"

namespace VSTGUI {

struct GenericOptionMenuTheme
{
	SharedPointer<CBitmap> background; // tiled under the entries of each open menu
	SharedPointer<CBitmap> separator;  // tiled over each separator row
	SharedPointer<CBitmap> checkmark;  // at the left end of each checked entry
	CCoord itemHeight {18.};
	CCoord separatorHeight {8.};
	// The narrowest an open menu is; the first one is as wide as the option
	// menu when that is wider.
	CCoord minimumWidth {100.};
};

} // VSTGUI
