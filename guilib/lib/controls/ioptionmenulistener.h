// Hears of an option menu's popups: before the menu is shown (its item list
// held, so that the listener can prepare items but must not add or remove
// any), and after it has closed (free to change the menu).
#pragma once

namespace VSTGUI {

class COptionMenu;

class IOptionMenuListener
{
public:
	virtual void onOptionMenuPrePopup (COptionMenu* menu) = 0;
	virtual void onOptionMenuPostPopup (COptionMenu* menu) = 0;

protected:
	virtual ~IOptionMenuListener () noexcept = default;
};

} // VSTGUI
