#include "SampleOptionMenu.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

void addSampleEntries (COptionMenu& menu, COptionMenu* submenu)
{
	submenu->addEntry ("X");
	submenu->addEntry ("Y");
	menu.addEntry ("A");
	menu.addEntry ("B");
	menu.addSeparator ();
	menu.addEntry ("C", -1, CMenuItem::kDisabled);
	menu.addEntry (submenu, "More");
	menu.addEntry ("D", -1, CMenuItem::kChecked);
	submenu->forget ();
}

} // Tolvik::Testing
