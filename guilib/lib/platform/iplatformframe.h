// The platform's view of a frame, made by the platform factory when the frame
// opens in a parent view and dropped when it closes.
#pragma once

#include "../ccursortype.h"
#include "../crect.h"
#include "../vstguibase.h"

#include <memory>

namespace VSTGUI {

class COffscreenContext;
class IPlatformOptionMenu;
struct GenericOptionMenuTheme;

class IPlatformFrame : public ReferenceCounted
{
public:
	// Marks a rectangle of the platform view for redrawing. May run on any
	// thread; the platform view redraws on the main thread.
	virtual void invalidRect (const CRect& rect) = 0;
	// The frame's new rectangle in the parent view.
	virtual void setSize (const CRect& newSize) = 0;
	// A context that draws into a new bitmap of `width` x `height` units at
	// `scaleFactor` pixels per unit, or null.
	virtual SharedPointer<COffscreenContext> createOffscreenContext (CCoord width, CCoord height,
	                                                                 double scaleFactor) = 0;
	virtual bool setMouseCursor (CCursorType type) = 0;
	// The popup for option menus: the library's own generic menu while a
	// theme is set, else the platform's own, or null when it has none.
	virtual SharedPointer<IPlatformOptionMenu> createPlatformOptionMenu () = 0;
	// Sets the theme of the generic option menu (null: the platform's own
	// popup again). Main thread.
	virtual void setGenericOptionMenuTheme (std::unique_ptr<GenericOptionMenuTheme> theme) = 0;
};

} // VSTGUI
