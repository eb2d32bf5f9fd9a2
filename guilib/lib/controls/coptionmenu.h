// A control that pops up a menu of items and takes the chosen item's index
// as its value. Items may open submenus, be separators or carry check marks.
//
// The item list has a lock word of its own. Edits of the list (every
// addEntry, addSeparator, removeEntry, removeAllEntry, cleanupSeparators and
// the destructor) wait for it and hold it; the passes that count or mark
// entries, and those that prepare and finish a popup, take it without
// waiting for holds of their own thread. Plain reads of single entries take
// no lock. Edits may run on any thread; popups run on the main thread.
#pragma once

#include "../dispatchlist.h"
#include "../spinlock.h"
#include "cmenuitem.h"
#include "cparamdisplay.h"
#include "ioptionmenulistener.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI {

struct VstKeyCode;
using CMenuItemList = std::vector<SharedPointer<CMenuItem>>;

class COptionMenu : public CParamDisplay
{
public:
	// `background` is drawn normally, `backgroundWhenClicked` while the menu
	// is popped up.
	COptionMenu (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background = nullptr,
	             CBitmap* backgroundWhenClicked = nullptr, int32_t style = 0);
	COptionMenu ();
	// A copy shares the original's items (each entry takes a reference of its
	// own) without taking the original's list lock; its own lock is free.
	COptionMenu (const COptionMenu& other);
	~COptionMenu () noexcept override;

	// The list lock, for callers outside the library. Each may run on any
	// thread; no owner, no count: an unlock clears the word whoever set it.
	void WaitForThenLockListAccess ();
	void LockListAccess ();
	void UnLockListAccess ();

	// Adds `item` (taking over the caller's reference) before the entry at
	// `index`, or at the end for an index below 0 or beyond the last entry.
	virtual CMenuItem* addEntry (CMenuItem* item, int32_t index = -1);
	virtual CMenuItem* addEntry (COptionMenu* submenu, const std::string& title);
	virtual CMenuItem* addEntry (const std::string& title, int32_t index = -1,
	                             int32_t itemFlags = CMenuItem::kNoFlags);
	virtual CMenuItem* addSeparator (int32_t index = -1);
	// Removes leading, trailing and repeated separators; in submenus too
	// when `recursive`.
	void cleanupSeparators (bool recursive);
	virtual bool removeEntry (int32_t index);
	virtual bool removeAllEntry ();

	virtual CMenuItem* getCurrent () const;
	// The current index, counting separators or leaving them out.
	virtual int32_t getCurrentIndex (bool countSeparator = false);
	virtual CMenuItem* getEntry (int32_t index) const;
	virtual int32_t getNbEntries () const;
	virtual COptionMenu* getSubMenu (int32_t index) const;
	virtual bool setCurrent (int32_t index, bool countSeparator = true);
	virtual bool checkEntry (int32_t index, bool state);
	virtual bool checkEntryAlone (int32_t index);
	virtual bool isCheckEntry (int32_t index) const;
	CMenuItemList* getItems () const { return menuItems; }

	// The chosen item of the last popup: the menu (this or a submenu) and the
	// index, or null and -1 before any choice.
	int32_t getLastResult () const { return lastResult; }
	COptionMenu* getLastItemMenu (int32_t& index) const;

	void registerOptionMenuListener (IOptionMenuListener* listener) { menuListeners.add (listener); }
	void unregisterOptionMenuListener (IOptionMenuListener* listener) { menuListeners.remove (listener); }

	// Shows the menu through the frame's platform menu and calls `callback`
	// when it has closed. False when the menu has no frame.
	bool popup (const std::function<void (COptionMenu* menu)>& callback = {});
	// Shows the menu as a context menu at `where` in `frame`: the menu joins
	// the frame for the popup. False, before any notice, without a frame,
	// without entries, or while the menu is in a frame already.
	bool popup (CFrame* frame, const CPoint& where, const std::function<void (COptionMenu* menu)>& callback = {});
	// What a click or a key does, after the event: pops the menu up.
	void doPopup ();
	bool isPopupActive () const { return inPopup; }

	// The pre-popup pass: notices, validation of command items, submenus.
	// With `holdList`, it holds the list lock throughout.
	void beforePopup (bool holdList);
	// The post-popup pass over the submenus, holding the list lock with
	// `holdList`; the notices come after the lock is given back.
	void afterPopup (bool holdList);

	// The value is the index of the current entry.
	void setValue (float newValue) override;
	void draw (CDrawContext* context) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	// Return and space pop the menu up: 1 when taken, -1 otherwise.
	int32_t onKeyDown (VstKeyCode& keyCode);

protected:
	int32_t listAccessLock;
	CMenuItemList* menuItems;

private:
	bool hasEntries ();
	SharedPointer<CCommandMenuItem> commandAt (int32_t index);
	// Applies a choice that the platform menu reported, then finishes the
	// popup.
	void completePopup (COptionMenu* chosenMenu, int32_t chosenIndex,
	                    const std::function<void (COptionMenu*)>& callback);

	SpinLock::Holds listHolds {listAccessLock};
	SharedPointer<CBitmap> backgroundWhenClicked;
	int32_t currentIndex {-1};
	int32_t lastResult {-1};
	COptionMenu* lastMenu {nullptr};
	bool inPopup {false};
	DispatchList<IOptionMenuListener> menuListeners;
};

} // VSTGUI
