#include "cknob.h"

#include "../cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

constexpr double kFullTurn = 2. * M_PI;

} // namespace

// The range runs from the lower left, over the top, to the lower right.
CKnobBase::CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
: CControl (size, listener, tag), startAngle (static_cast<float> (3. * M_PI / 4.)),
  rangeAngle (static_cast<float> (3. * M_PI / 2.))
{
	setBackground (background);
}

CKnobBase::CKnobBase (const CKnobBase& other)
: CControl (other),
  CMouseWheelEditingSupport (other),
  startAngle (other.startAngle),
  rangeAngle (other.rangeAngle),
  zoomFactor (other.zoomFactor),
  wheelInc (other.wheelInc),
  inset (other.inset)
{
}

void CKnobBase::valueToPoint (CPoint& point) const
{
	const CCoord width = getViewSize ().getWidth (), height = getViewSize ().getHeight ();
	const double radius = std::min (width, height) / 2. - inset;
	const double angle = startAngle + getValueNormalized () * static_cast<double> (rangeAngle);
	point.x = width / 2. + radius * std::cos (angle);
	point.y = height / 2. + radius * std::sin (angle);
}

float CKnobBase::valueFromPoint (CPoint& point) const
{
	const double dx = point.x - getViewSize ().getWidth () / 2., dy = point.y - getViewSize ().getHeight () / 2.;
	double fromStart = std::fmod (std::atan2 (dy, dx) - startAngle, kFullTurn);
	if (fromStart < 0.)
		fromStart += kFullTurn;
	double normalized;
	if (fromStart <= rangeAngle)
		normalized = rangeAngle > 0.f ? fromStart / rangeAngle : 0.;
	else
		normalized = fromStart - rangeAngle < (kFullTurn - rangeAngle) / 2. ? 1. : 0.;
	return getMin () + static_cast<float> (normalized) * getRange ();
}

CKnobBase::MouseEditingState& CKnobBase::getMouseEditingState ()
{
	if (!mouseState)
		mouseState = MouseEditingState ();
	return *mouseState;
}

float CKnobBase::linearRange (const CButtonState& buttons) const
{
	return buttons () & kZoomModifier ? kLinearRange * zoomFactor : kLinearRange;
}

// A click of the left button alone: a reset, or the start of a drag. Any
// wheel edit ends first, and the drag is one edit from here to its end.
CMouseEventResult CKnobBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (buttons.getButtonState () != kLButton)
		return kMouseEventNotHandled;
	invalidMouseWheelEditTimer (this);
	beginEdit ();
	if (checkDefaultValue (buttons))
	{
		endEdit ();
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	}

	clearMouseEditingState ();
	auto& state = getMouseEditingState ();
	state.firstPoint = state.lastPoint = where;
	state.oldValue = state.entryValue = value;
	state.oldButton = buttons;
	state.range = linearRange (buttons);
	state.coef = getRange () / state.range;
	const int32_t knobMode = getFrame () ? getFrame ()->getKnobMode () : CFrame::kDefaultKnobMode;
	state.modeLinear = (knobMode == kLinearMode) != ((buttons () & kAlt) != 0);
	if (state.modeLinear)
		return kMouseEventHandled;

	// Circular: the value follows the angle under the mouse, at once unless
	// the mode is relative.
	state.relative = knobMode == kRelativCircularMode;
	CPoint local (where.x - getViewSize ().left, where.y - getViewSize ().top);
	state.startValue = valueFromPoint (local);
	if (!state.relative)
	{
		const float previous = value;
		value = state.startValue;
		bounceValue ();
		valueChangedSince (previous);
	}
	return kMouseEventHandled;
}

CMouseEventResult CKnobBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (buttons.getButtonState () != kLButton || !isEditing () || !mouseState)
		return kMouseEventNotHandled;
	auto& state = *mouseState;
	if (where == state.lastPoint)
		return kMouseEventHandled;
	state.lastPoint = where;
	const float previous = value;
	if (state.modeLinear)
		moveLinear (state, where, buttons);
	else
		moveCircular (state, where);
	valueChangedSince (previous);
	return kMouseEventHandled;
}

// Only the vertical distance from the mouse-down point counts: up raises the
// value. A change of buttons (the zoom modifier pressed or released) changes
// the rate from the current point on, without moving the value there.
void CKnobBase::moveLinear (MouseEditingState& state, const CPoint& where, const CButtonState& buttons)
{
	const double diff = state.firstPoint.y - where.y;
	if (buttons != state.oldButton)
	{
		state.range = linearRange (buttons);
		const float newCoef = getRange () / state.range;
		state.entryValue += static_cast<float> (diff * (state.coef - newCoef));
		state.coef = newCoef;
		state.oldButton = buttons;
	}
	value = static_cast<float> (state.entryValue + diff * state.coef);
	bounceValue ();
}

// `where` becomes a point of the knob's own coordinates. A jump of more than
// half the range means the mouse crossed the gap between the range's ends:
// an absolute knob stays at the end it left, a relative one ignores the step.
void CKnobBase::moveCircular (MouseEditingState& state, CPoint& where)
{
	where.offset (-getViewSize ().left, -getViewSize ().top);
	const float angleValue = valueFromPoint (where);
	const float halfRange = getRange () / 2.f;
	const bool rising = angleValue - state.startValue > halfRange;
	const bool falling = state.startValue - angleValue > halfRange;
	if (state.relative)
	{
		if (!rising && !falling)
			value += angleValue - state.startValue;
		state.startValue = angleValue;
	}
	else if (falling)
		value = getMax ();
	else if (rising)
		value = getMin ();
	else
		value = state.startValue = angleValue;
	bounceValue ();
}

CMouseEventResult CKnobBase::onMouseUp (CPoint&, const CButtonState&)
{
	if (mouseState)
	{
		clearMouseEditingState ();
		endEdit ();
	}
	return kMouseEventHandled;
}

// Puts the value back where it was at mouse-down.
CMouseEventResult CKnobBase::onMouseCancel ()
{
	if (mouseState)
	{
		const float previous = value;
		value = mouseState->oldValue;
		clearMouseEditingState ();
		valueChangedSince (previous);
		endEdit ();
	}
	return kMouseEventHandled;
}

bool CKnobBase::onWheel (const CPoint&, const CMouseWheelAxis&, const float& distance, const CButtonState& buttons)
{
	return onWheelStep (this, distance, wheelInc, buttons);
}

//------------------------------------------------------------------------------
CKnob::CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
              const CPoint& backgroundOffset)
: CKnobBase (size, listener, tag, background), handle (handle), backgroundOffset (backgroundOffset)
{
}

// The handle lands on the nearest whole points, so that it is drawn pixel for
// pixel.
void CKnob::draw (CDrawContext* context)
{
	const CRect& size = getViewSize ();
	if (auto background = getBackground ())
		background->draw (context, size, backgroundOffset);
	if (handle)
	{
		CPoint centre;
		valueToPoint (centre);
		const CPoint handleSize = handle->getSize ();
		const CPoint topLeft (std::round (size.left + centre.x - handleSize.x / 2.),
		                      std::round (size.top + centre.y - handleSize.y / 2.));
		handle->draw (context, CRect (topLeft, handleSize));
	}
	setDirty (false);
}

//------------------------------------------------------------------------------
CAnimKnob::CAnimKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                      const CPoint& backgroundOffset)
: CAnimKnob (size, listener, tag, countFrames (background, size.getHeight ()), size.getHeight (), background,
             backgroundOffset)
{
}

CAnimKnob::CAnimKnob (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
                      CCoord heightOfOneImage, CBitmap* background, const CPoint& backgroundOffset)
: CKnobBase (size, listener, tag, background), IMultiBitmapControl (heightOfOneImage, subPixmaps),
  backgroundOffset (backgroundOffset)
{
}

void CAnimKnob::draw (CDrawContext* context)
{
	const float normalized = getValueNormalized ();
	drawFrame (context, getBackground (), getViewSize (), backgroundOffset,
	           inverseBitmap ? 1.f - normalized : normalized);
	setDirty (false);
}

} // VSTGUI
