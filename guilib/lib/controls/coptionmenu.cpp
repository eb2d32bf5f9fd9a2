#include "coptionmenu.h"

#include "../cbitmap.h"
#include "../cframe.h"
#include "../platform/iplatformframe.h"
#include "../platform/iplatformoptionmenu.h"

#include <optional>

namespace VSTGUI {
namespace {

using SpinLock::Hold;
using SpinLock::HoldKind;

bool isPopupClick (const CButtonState& buttons)
{
	return (buttons () & (kLButton | kRButton | kApple)) != 0;
}

} // namespace

COptionMenu::COptionMenu (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                          CBitmap* backgroundWhenClicked, int32_t style)
: CParamDisplay (size, background, style),
  listAccessLock (0),
  menuItems (new CMenuItemList),
  backgroundWhenClicked (backgroundWhenClicked)
{
	setListener (listener);
	setTag (tag);
}

COptionMenu::COptionMenu () : COptionMenu (CRect (0, 0, 0, 0), nullptr, -1) {}

COptionMenu::COptionMenu (const COptionMenu& other)
: CParamDisplay (other),
  listAccessLock (0),
  menuItems (new CMenuItemList (*other.menuItems)),
  backgroundWhenClicked (other.backgroundWhenClicked),
  currentIndex (other.currentIndex)
{
}

COptionMenu::~COptionMenu () noexcept
{
	removeAllEntry ();
	delete menuItems;
}

//------------------------------------------------------------------------------
void COptionMenu::WaitForThenLockListAccess ()
{
	listHolds.plainWaitForThenLock ();
}

void COptionMenu::LockListAccess ()
{
	listHolds.plainLock ();
}

void COptionMenu::UnLockListAccess ()
{
	listHolds.plainUnlock ();
}

//------------------------------------------------------------------------------
CMenuItem* COptionMenu::addEntry (CMenuItem* item, int32_t index)
{
	if (!item)
		return nullptr;
	// Held while the entry goes in: no count, mark or popup pass walks the
	// list as it changes.
	Hold edit (&listHolds, HoldKind::edit);
	menuItems->reserve (menuItems->size () + 1); // the only step that can fail comes before the list takes the item
	if (index < 0 || index > getNbEntries ())
		menuItems->emplace_back (item, false);
	else
		menuItems->emplace (menuItems->begin () + index, item, false);
	return item;
}

CMenuItem* COptionMenu::addEntry (COptionMenu* submenu, const std::string& title)
{
	return addEntry (new CMenuItem (title, submenu));
}

CMenuItem* COptionMenu::addEntry (const std::string& title, int32_t index, int32_t itemFlags)
{
	if (title == "-")
		return addSeparator (index);
	return addEntry (new CMenuItem (title, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator (int32_t index)
{
	return addEntry (new CMenuItem ("", CMenuItem::kSeparator), index);
}

void COptionMenu::cleanupSeparators (bool recursive)
{
	bool afterSeparator = true; // a separator at the start goes as well
	for (int32_t index = 0; index < getNbEntries ();)
	{
		CMenuItem* item = getEntry (index);
		if (item->isSeparator ())
		{
			if (afterSeparator)
			{
				removeEntry (index);
				continue;
			}
			afterSeparator = true;
		}
		else
		{
			afterSeparator = false;
			if (recursive && item->getSubmenu ())
				item->getSubmenu ()->cleanupSeparators (true);
		}
		++index;
	}
	const int32_t last = getNbEntries () - 1;
	if (last >= 0 && getEntry (last)->isSeparator ())
		removeEntry (last);
}

bool COptionMenu::removeEntry (int32_t index)
{
	// Held also for an index that is not there; the entry's release, and so
	// the item's destruction, comes under it.
	Hold edit (&listHolds, HoldKind::edit);
	if (index < 0 || menuItems->empty () || index >= getNbEntries ())
		return false;
	menuItems->erase (menuItems->begin () + index);
	return true;
}

bool COptionMenu::removeAllEntry ()
{
	Hold edit (&listHolds, HoldKind::edit);
	while (!menuItems->empty ())
		menuItems->pop_back ();
	return true;
}

//------------------------------------------------------------------------------
CMenuItem* COptionMenu::getCurrent () const
{
	return getEntry (currentIndex);
}

int32_t COptionMenu::getCurrentIndex (bool countSeparator)
{
	if (countSeparator)
		return currentIndex;
	int32_t separators = 0;
	{
		Hold pass (&listHolds, HoldKind::pass);
		const auto count = static_cast<int32_t> (menuItems->size ());
		const int32_t end = currentIndex < 0 || currentIndex >= count ? count : currentIndex + 1;
		for (int32_t i = 0; i < end; ++i)
			if ((*menuItems)[static_cast<size_t> (i)]->isSeparator ())
				++separators;
	}
	return currentIndex - separators;
}

CMenuItem* COptionMenu::getEntry (int32_t index) const
{
	if (index < 0 || index >= getNbEntries ())
		return nullptr;
	return (*menuItems)[static_cast<size_t> (index)];
}

int32_t COptionMenu::getNbEntries () const
{
	return static_cast<int32_t> (menuItems->size ());
}

COptionMenu* COptionMenu::getSubMenu (int32_t index) const
{
	auto item = getEntry (index);
	return item ? item->getSubmenu () : nullptr;
}

bool COptionMenu::setCurrent (int32_t index, bool countSeparator)
{
	{
		Hold pass (&listHolds, HoldKind::pass);
		CMenuItem* item = nullptr;
		if (countSeparator)
		{
			item = getEntry (index);
			if (!item || item->isSeparator ())
				return false;
			currentIndex = index;
		}
		else
		{
			// Separators before the entry count as positions of their own.
			for (int32_t position = 0; position <= index && position < getNbEntries (); ++position)
				if ((*menuItems)[static_cast<size_t> (position)]->isSeparator ())
					++index;
			currentIndex = index;
			item = getEntry (currentIndex);
		}
		if (item && (getStyle () & kMultipleCheckStyle))
			item->setChecked (!item->isChecked ());
	}
	setDirty (true);
	return true;
}

bool COptionMenu::checkEntry (int32_t index, bool state)
{
	auto item = getEntry (index);
	if (!item || item->isSeparator ())
		return false;
	item->setChecked (state);
	return true;
}

bool COptionMenu::checkEntryAlone (int32_t index)
{
	Hold pass (&listHolds, HoldKind::pass);
	for (size_t i = 0; i < menuItems->size (); ++i)
		(*menuItems)[i]->setChecked (static_cast<int32_t> (i) == index);
	return true;
}

bool COptionMenu::isCheckEntry (int32_t index) const
{
	auto item = getEntry (index);
	return item && item->isChecked ();
}

// Both read the list while another thread may be editing it: under the lock,
// and the command item kept alive while it runs.
bool COptionMenu::hasEntries ()
{
	Hold pass (&listHolds, HoldKind::pass);
	return !menuItems->empty ();
}

SharedPointer<CCommandMenuItem> COptionMenu::commandAt (int32_t index)
{
	Hold pass (&listHolds, HoldKind::pass);
	return SharedPointer<CCommandMenuItem> (dynamic_cast<CCommandMenuItem*> (getEntry (index)));
}

COptionMenu* COptionMenu::getLastItemMenu (int32_t& index) const
{
	index = lastResult;
	return lastMenu;
}

//------------------------------------------------------------------------------
void COptionMenu::beforePopup (bool holdList)
{
	std::optional<Hold> pass;
	if (holdList)
		pass.emplace (&listHolds, HoldKind::pass);
	menuListeners.forEach ([this] (IOptionMenuListener* l) { l->onOptionMenuPrePopup (this); });
	// By index, each entry kept alive while it is looked at.
	for (size_t i = 0; i < menuItems->size (); ++i)
	{
		SharedPointer<CMenuItem> item = (*menuItems)[i];
		if (auto command = dynamic_cast<CCommandMenuItem*> (item.get ()))
			command->validate ();
		if (auto submenu = item->getSubmenu ())
			submenu->beforePopup (false);
	}
}

void COptionMenu::afterPopup (bool holdList)
{
	{
		std::optional<Hold> pass;
		if (holdList)
			pass.emplace (&listHolds, HoldKind::pass);
		for (size_t i = 0; i < menuItems->size (); ++i)
		{
			SharedPointer<CMenuItem> item = (*menuItems)[i];
			if (auto submenu = item->getSubmenu ())
				submenu->afterPopup (false);
		}
	}
	// Free of the lock: listeners may change the menu now.
	menuListeners.forEach ([this] (IOptionMenuListener* l) { l->onOptionMenuPostPopup (this); });
}

bool COptionMenu::popup (const std::function<void (COptionMenu* menu)>& callback)
{
	CFrame* frame = getFrame ();
	if (!frame)
		return false;
	beforePopup (true);
	lastResult = -1;
	lastMenu = nullptr;
	if (!hasEntries ())
		return true;
	frame->onStartLocalEventLoop ();
	IPlatformFrame* platformFrame = frame->getPlatformFrame ();
	auto platformMenu = platformFrame ? platformFrame->createPlatformOptionMenu () : nullptr;
	if (!platformMenu)
		return true;
	inPopup = true;
	SharedPointer<COptionMenu> self (this);
	platformMenu->popup (this, [self, callback] (COptionMenu*, PlatformOptionMenuResult result) {
		self->completePopup (result.menu, result.index, callback);
	});
	return true;
}

void COptionMenu::completePopup (COptionMenu* chosenMenu, int32_t chosenIndex,
                                 const std::function<void (COptionMenu*)>& callback)
{
	if (chosenMenu)
	{
		beginEdit ();
		lastMenu = chosenMenu;
		lastResult = chosenIndex;
		chosenMenu->setValue (static_cast<float> (chosenIndex));
		valueChanged ();
		invalid ();
		if (auto command = chosenMenu->commandAt (chosenIndex))
			command->execute ();
		endEdit ();
	}
	afterPopup (true);
	if (callback)
		callback (this);
	inPopup = false;
	// The clicked look goes with the popup.
	if (backgroundWhenClicked)
		invalid ();
}

bool COptionMenu::popup (CFrame* frame, const CPoint& where, const std::function<void (COptionMenu* menu)>& callback)
{
	if (!frame || getNbEntries () == 0 || isAttached ())
		return false;
	setViewSize (CRect (where.x, where.y, where.x, where.y), false);
	CView* previousFocus = frame->getFocusView ();
	SharedPointer<CFrame> keepFrame (frame);
	remember (); // the frame's entry takes this reference over
	frame->addView (this);
	const bool shown = popup ([keepFrame, previousFocus, callback] (COptionMenu* menu) {
		keepFrame->removeView (menu, true);
		keepFrame->setFocusView (previousFocus);
		if (callback)
			callback (menu);
	});
	// A frame that is not shown gives the menu no frame of its own to pop
	// up in: it leaves the frame again.
	if (!shown)
		frame->removeView (this, true);
	return shown;
}

void COptionMenu::doPopup ()
{
	popup ({});
}

//------------------------------------------------------------------------------
void COptionMenu::setValue (float newValue)
{
	if (!(newValue >= 0.f) || newValue >= static_cast<float> (getNbEntries ()))
		return;
	currentIndex = static_cast<int32_t> (newValue);
	CParamDisplay::setValue (newValue);
}

void COptionMenu::draw (CDrawContext* context)
{
	if (inPopup && backgroundWhenClicked)
		drawBitmap (context, backgroundWhenClicked);
	else
		drawBitmap (context, getBackground ());
	setDirty (false);
}

CMouseEventResult COptionMenu::onMouseDown (CPoint&, const CButtonState& buttons)
{
	if (!isPopupClick (buttons))
		return kMouseEventNotHandled;
	if (backgroundWhenClicked)
		invalid ();
	if (CFrame* frame = getFrame ())
		frame->doAfterEventProcessing ([self = SharedPointer<COptionMenu> (this)] { self->doPopup (); });
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t COptionMenu::onKeyDown (VstKeyCode& keyCode)
{
	if (keyCode.virt != VKEY_RETURN && keyCode.virt != VKEY_ENTER && keyCode.virt != VKEY_SPACE)
		return -1;
	if (CFrame* frame = getFrame ())
		frame->doAfterEventProcessing ([self = SharedPointer<COptionMenu> (this)] { self->doPopup (); });
	return 1;
}

} // VSTGUI
