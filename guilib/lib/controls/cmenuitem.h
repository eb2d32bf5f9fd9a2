// The entries of an option menu: a title with flags, a tag, an optional
// submenu; and command items, which validate themselves before the menu pops
// up and run a command when chosen.
#pragma once

#include "../vstguibase.h"

#include <cstdint>
#include <functional>
#include <string>

namespace VSTGUI {

class COptionMenu;

class CMenuItem : public ReferenceCounted
{
public:
	enum Flags : int32_t
	{
		kNoFlags = 0,
		kDisabled = 1 << 0,
		kChecked = 1 << 1,
		kSeparator = 1 << 3
	};

	explicit CMenuItem (std::string title, int32_t flags = kNoFlags, int32_t tag = -1);
	// An item that opens `submenu` (the item keeps a reference to it).
	CMenuItem (std::string title, COptionMenu* submenu);
	~CMenuItem () noexcept override;

	const std::string& getTitle () const { return title; }
	void setTitle (std::string newTitle) { title = std::move (newTitle); }
	int32_t getTag () const { return tag; }
	void setTag (int32_t newTag) { tag = newTag; }

	bool isEnabled () const { return !(flags & kDisabled); }
	void setEnabled (bool state);
	bool isChecked () const { return flags & kChecked; }
	void setChecked (bool state);
	bool isSeparator () const { return flags & kSeparator; }
	void setIsSeparator (bool state);

	COptionMenu* getSubmenu () const;
	void setSubmenu (COptionMenu* submenu);

private:
	void setFlag (int32_t flag, bool state);

	std::string title;
	int32_t flags;
	int32_t tag;
	SharedPointer<COptionMenu> submenu;
};

class CCommandMenuItem;

// The object a command item asks to validate it and to run its command.
class ICommandMenuItemTarget
{
public:
	virtual bool validateCommandMenuItem (CCommandMenuItem* item) = 0;
	virtual bool onCommandMenuItemSelected (CCommandMenuItem* item) = 0;

protected:
	virtual ~ICommandMenuItemTarget () noexcept = default;
};

class CCommandMenuItem : public CMenuItem
{
public:
	using Function = std::function<void (CCommandMenuItem* item)>;

	explicit CCommandMenuItem (std::string title, ICommandMenuItemTarget* target = nullptr);
	~CCommandMenuItem () noexcept override;

	// Runs before the menu pops up: may enable, disable or check the item.
	void setValidateFunction (Function function) { validateFunction = std::move (function); }
	// Runs when the item is chosen.
	void setActions (Function selected) { selectedFunction = std::move (selected); }
	void setTarget (ICommandMenuItemTarget* newTarget) { target = newTarget; }
	ICommandMenuItemTarget* getTarget () const { return target; }

	// The validation function, then the target's validation.
	void validate ();
	// The command: the selected function, or else the target's.
	void execute ();

private:
	ICommandMenuItemTarget* target;
	Function validateFunction;
	Function selectedFunction;
};

} // VSTGUI
