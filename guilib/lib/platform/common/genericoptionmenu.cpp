#include "genericoptionmenu.h"

#include "../../cdrawcontext.h"
#include "../../cframe.h"
#include "../../controls/coptionmenu.h"
#include "optionmenurect.h"

#include <algorithm>
#include <utility>

namespace VSTGUI {
namespace {

// A menu that shows one check mark shows it at its current entry, and only
// there, each time it opens.
void markCurrentEntry (COptionMenu& menu)
{
	const int32_t style = menu.getStyle ();
	if ((style & kCheckStyle) && !(style & kMultipleCheckStyle))
		menu.checkEntryAlone (menu.getCurrentIndex (true));
}

CCoord rowHeight (const CMenuItem* entry, const GenericOptionMenuTheme& theme)
{
	return entry && entry->isSeparator () ? theme.separatorHeight : theme.itemHeight;
}

// How far below the top of its column the entry at `index` starts.
CCoord entryOffset (const COptionMenu& menu, const GenericOptionMenuTheme& theme, int32_t index)
{
	CCoord offset = 0.;
	for (int32_t i = 0; i < index; ++i)
		offset += rowHeight (menu.getEntry (i), theme);
	return offset;
}

// `rect` moved into `bounds` as far as it fits there: back from the right and
// bottom edges, but never past the left and top ones.
CRect keptInside (CRect rect, const CRect& bounds)
{
	const CCoord dx = std::max (bounds.left - rect.left, std::min (0., bounds.right - rect.right));
	const CCoord dy = std::max (bounds.top - rect.top, std::min (0., bounds.bottom - rect.bottom));
	return rect.offset (dx, dy);
}

void tile (CDrawContext* context, CBitmap* bitmap, const CRect& area)
{
	if (bitmap)
		context->fillRectWithBitmap (bitmap, CRect (0, 0, bitmap->getWidth (), bitmap->getHeight ()), area, 1.f);
}

//------------------------------------------------------------------------------
// One open menu: its entries in a column, top to bottom. It keeps the menu
// alive while it is shown.
class MenuColumn : public CView
{
public:
	MenuColumn (COptionMenu* menu, const GenericOptionMenuTheme& theme, const CPoint& topLeft, CCoord width)
	: CView (CRect (topLeft, CPoint (width, entryOffset (*menu, theme, menu->getNbEntries ())))),
	  menu (menu),
	  theme (theme)
	{
	}

	COptionMenu* getMenu () const { return menu; }

	// The row of an entry, in the parent's coordinates.
	CRect entryRect (int32_t index) const
	{
		const CCoord top = size.top + entryOffset (*menu, theme, index);
		return CRect (size.left, top, size.right, top + rowHeight (menu->getEntry (index), theme));
	}

	// The entry under a point of the parent's coordinates, or -1.
	int32_t entryAt (const CPoint& where) const
	{
		for (int32_t index = 0; index < menu->getNbEntries (); ++index)
			if (entryRect (index).pointInside (where))
				return index;
		return -1;
	}

	// The background under everything, separators over their rows, and a
	// check mark at the left of each checked entry, centred in its row.
	void draw (CDrawContext* context) override
	{
		tile (context, theme.background, size);
		for (int32_t index = 0; index < menu->getNbEntries (); ++index)
		{
			const CMenuItem* entry = menu->getEntry (index);
			const CRect row = entryRect (index);
			if (entry->isSeparator ())
				tile (context, theme.separator, row);
			else if (entry->isChecked () && theme.checkmark)
			{
				const CPoint mark = theme.checkmark->getSize ();
				const CCoord top = row.top + (row.getHeight () - mark.y) / 2.;
				context->drawBitmap (theme.checkmark, CRect (CPoint (row.left, top), mark));
			}
		}
		setDirty (false);
	}

private:
	SharedPointer<COptionMenu> menu;
	GenericOptionMenuTheme theme;
};

//------------------------------------------------------------------------------
// The modal view of one popup. It covers the frame, so that it takes every
// click of the session, and holds a column for each open menu: the option
// menu's first, then each submenu opened from the column before it.
class MenuSession : public CViewContainer
{
public:
	MenuSession (CFrame& frame, COptionMenu* optionMenu, const GenericOptionMenuTheme& theme,
	             const IPlatformOptionMenu::Callback& callback)
	: CViewContainer (CRect (0, 0, frame.getViewSize ().getWidth (), frame.getViewSize ().getHeight ())),
	  frame (frame),
	  optionMenu (optionMenu),
	  theme (theme),
	  callback (callback)
	{
	}

	// Opens the option menu's column and begins the modal session, in which
	// the frame holds a reference of its own. False when no session begins.
	bool begin ()
	{
		const CRect place = optionMenuRectInFrame (*optionMenu, frame);
		CCoord top = place.bottom;
		if (optionMenu->getStyle () & kPopupStyle)
			top = place.top - entryOffset (*optionMenu, theme, optionMenu->getCurrentIndex (true));
		open (optionMenu, CPoint (place.left, top), std::max (place.getWidth (), theme.minimumWidth));
		remember ();
		const auto session = frame.beginModalViewSession (this);
		if (!session)
		{
			forget ();
			return false;
		}
		sessionID = *session;
		return true;
	}

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState&) override
	{
		const CPoint local = toLocal (where);
		if (auto column = dynamic_cast<MenuColumn*> (getViewAt (local)))
			choose (*column, column->entryAt (local));
		else
			finish (nullptr, 0);
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	}

private:
	void open (COptionMenu* menu, const CPoint& topLeft, CCoord width)
	{
		markCurrentEntry (*menu);
		auto column = new MenuColumn (menu, theme, topLeft, width);
		column->setViewSize (keptInside (column->getViewSize (), CRect (0, 0, size.getWidth (), size.getHeight ())),
		                     false);
		addView (column);
	}

	// A click on an entry: a submenu opens beside it, in place of any column
	// opened after this one; a plain entry is the choice. Separators and
	// disabled entries take the click and do nothing.
	void choose (MenuColumn& column, int32_t index)
	{
		COptionMenu* menu = column.getMenu ();
		const CMenuItem* entry = menu->getEntry (index);
		if (!entry || entry->isSeparator () || !entry->isEnabled ())
			return;
		while (getChildren ().back ().get () != &column)
			removeView (getChildren ().back (), true);
		if (COptionMenu* submenu = entry->getSubmenu ())
		{
			const CRect row = column.entryRect (index);
			open (submenu, CPoint (row.right, row.top), column.getViewSize ().getWidth ());
		}
		else
			finish (menu, index);
	}

	// Ends the session and reports after the current event, so that the
	// callback may change the view tree or pop up another menu.
	void finish (COptionMenu* chosenMenu, int32_t index)
	{
		if (std::exchange (finished, true))
			return;
		SharedPointer<MenuSession> self (this);
		frame.doAfterEventProcessing ([self, result = PlatformOptionMenuResult {chosenMenu, index}] {
			self->frame.endModalViewSession (self->sessionID);
			if (self->callback)
				self->callback (self->optionMenu, result);
		});
	}

	CFrame& frame;
	SharedPointer<COptionMenu> optionMenu;
	GenericOptionMenuTheme theme;
	IPlatformOptionMenu::Callback callback;
	ModalViewSessionID sessionID {0};
	bool finished {false};
};

} // namespace

//------------------------------------------------------------------------------
GenericOptionMenu::GenericOptionMenu (const GenericOptionMenuTheme& theme) : theme (theme) {}

void GenericOptionMenu::popup (COptionMenu* optionMenu, const Callback& callback)
{
	CFrame* frame = optionMenu ? optionMenu->getFrame () : nullptr;
	auto session = frame ? makeOwned<MenuSession> (*frame, optionMenu, theme, callback) : nullptr;
	if ((!session || !session->begin ()) && callback)
		callback (optionMenu, {});
}

} // VSTGUI
