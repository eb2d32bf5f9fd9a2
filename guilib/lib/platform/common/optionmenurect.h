// Where a popup shows an option menu: the menu's rectangle in the
// coordinates of the frame's platform view.
#pragma once

#include "../../cframe.h"

namespace VSTGUI {

// The corners of the menu's rectangle through the menu's global transform,
// moved by the frame's own top-left corner.
inline CRect optionMenuRectInFrame (const CView& menu, const CFrame& frame)
{
	const CGraphicsTransform toPlatformView = menu.getGlobalTransform ();
	const CRect& size = menu.getViewSize ();
	const CPoint origin = frame.getViewSize ().getTopLeft ();
	const CPoint topLeft = toPlatformView.transform (size.getTopLeft ()) - origin;
	const CPoint bottomRight = toPlatformView.transform (CPoint (size.right, size.bottom)) - origin;
	return CRect (topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

} // VSTGUI
