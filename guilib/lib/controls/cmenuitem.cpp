#include "cmenuitem.h"

#include "coptionmenu.h"

namespace VSTGUI {

CMenuItem::CMenuItem (std::string title, int32_t flags, int32_t tag)
: title (std::move (title)), flags (flags), tag (tag)
{
}

CMenuItem::CMenuItem (std::string title, COptionMenu* submenu) : CMenuItem (std::move (title))
{
	setSubmenu (submenu);
}

CMenuItem::~CMenuItem () noexcept = default;

void CMenuItem::setFlag (int32_t flag, bool state)
{
	flags = state ? flags | flag : flags & ~flag;
}

void CMenuItem::setEnabled (bool state)
{
	setFlag (kDisabled, !state);
}

void CMenuItem::setChecked (bool state)
{
	setFlag (kChecked, state);
}

void CMenuItem::setIsSeparator (bool state)
{
	setFlag (kSeparator, state);
}

COptionMenu* CMenuItem::getSubmenu () const
{
	return submenu;
}

void CMenuItem::setSubmenu (COptionMenu* newSubmenu)
{
	submenu = newSubmenu;
}

//------------------------------------------------------------------------------
CCommandMenuItem::CCommandMenuItem (std::string title, ICommandMenuItemTarget* target)
: CMenuItem (std::move (title)), target (target)
{
}

CCommandMenuItem::~CCommandMenuItem () noexcept = default;

void CCommandMenuItem::validate ()
{
	if (validateFunction)
		validateFunction (this);
	if (target)
		target->validateCommandMenuItem (this);
}

void CCommandMenuItem::execute ()
{
	if (selectedFunction)
		selectedFunction (this);
	else if (target)
		target->onCommandMenuItemSelected (this);
}

} // VSTGUI
