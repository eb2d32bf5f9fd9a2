#include "cswitch.h"

#include <cmath>

namespace VSTGUI {

CSwitchBase::CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                          const CPoint& backgroundOffset)
: CSwitchBase (size, listener, tag, countFrames (background, size.getHeight ()), size.getHeight (), background,
               backgroundOffset)
{
}

CSwitchBase::CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                          CCoord heightOfOneImage, CBitmap* background, const CPoint& backgroundOffset)
: CControl (size, listener, tag), IMultiBitmapControl (heightOfOneImage, subPixmaps),
  backgroundOffset (backgroundOffset)
{
	setBackground (background);
}

CSwitchBase::CSwitchBase (const CSwitchBase& other)
: CControl (other), IMultiBitmapControl (other), coef (other.coef), backgroundOffset (other.backgroundOffset)
{
}

void CSwitchBase::draw (CDrawContext* context)
{
	drawFrame (context, getBackground (), getViewSize (), backgroundOffset, getValueNormalized ());
	setDirty (false);
}

float CSwitchBase::normalizedValueAt (const CPoint& where) const
{
	const int32_t last = subPixmaps - 1;
	const double step = coef > 0. ? std::floor (axisPosition (where) / coef) : 0.;
	if (last <= 0 || !(step > 0.))
		return 0.f;
	return step >= last ? 1.f : static_cast<float> (step / last);
}

// Any click with the left button: a reset, or the step under the mouse, and
// the steps it is dragged over until the mouse-up.
CMouseEventResult CSwitchBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons () & kLButton))
		return kMouseEventNotHandled;
	coef = subPixmaps > 0 ? axisLength () / subPixmaps : 0.;
	beginEdit ();
	if (checkDefaultValue (buttons))
	{
		endEdit ();
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	}
	clicked = true;
	valueAtMouseDown = value;
	return onMouseMoved (where, buttons);
}

CMouseEventResult CSwitchBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons () & kLButton) || !clicked)
		return kMouseEventNotHandled;
	const float previous = value;
	setValueNormalized (normalizedValueAt (where));
	valueChangedSince (previous);
	return kMouseEventHandled;
}

CMouseEventResult CSwitchBase::onMouseUp (CPoint&, const CButtonState&)
{
	if (clicked)
	{
		clicked = false;
		endEdit ();
	}
	return kMouseEventHandled;
}

// Puts the value back where it was at mouse-down.
CMouseEventResult CSwitchBase::onMouseCancel ()
{
	if (clicked)
	{
		clicked = false;
		const float previous = value;
		setValue (valueAtMouseDown);
		valueChangedSince (previous);
		endEdit ();
	}
	return kMouseEventHandled;
}

} // VSTGUI
