#include "cslider.h"

#include "../uint32conversion.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

struct CSliderBase::Impl
{
	static CSliderMode globalMode;

	int32_t style {kLeft | kHorizontal};
	CSliderMode mode {CSliderMode::UseGlobal};
	CPoint handleSize {1., 1.};
	CPoint offsetHandle;
	CCoord rangeHandle {0.};
	float zoomFactor {10.f};
	float wheelInc {0.1f};

	// The drag, from its mouse-down to its mouse-up or cancel.
	double delta {0.};
	// The normalized value that a zoomed drag counts from; the minimum - 1
	// until the first move takes the value.
	float oldVal {0.f};
	float startVal {0.f};
	CButtonState oldButton;
	CPoint mouseStartPoint;
	// With kAlwaysUseZoomFactor: the factor that the mouse's distance across
	// the slider gives.
	float distanceZoomFactor {1.f};
	SharedPointer<CVSTGUITimer> rampTimer;
};

CSliderMode CSliderBase::Impl::globalMode = CSliderMode::FreeClick;
bool CSliderBase::kAlwaysUseZoomFactor = false;

CSliderBase::CSliderBase (const CRect& size, IControlListener* listener, int32_t tag)
: CControl (size, listener, tag), impl (std::make_unique<Impl> ()), handleBottomInset (2)
{
}

// A copy makes ramp steps of its own, and none yet.
CSliderBase::CSliderBase (const CSliderBase& other)
: CControl (other), CMouseWheelEditingSupport (other), impl (std::make_unique<Impl> (*other.impl)),
  handleBottomInset (2)
{
	impl->rampTimer = nullptr;
}

CSliderBase::~CSliderBase () noexcept = default;

void CSliderBase::setStyle (int32_t newStyle)
{
	impl->style = newStyle;
}

int32_t CSliderBase::getStyle () const
{
	return impl->style;
}

bool CSliderBase::isInverseStyle () const
{
	return getStyle () & (isStyleHorizontal () ? kRight : kBottom);
}

void CSliderBase::setSliderMode (CSliderMode mode)
{
	impl->mode = mode;
}

CSliderMode CSliderBase::getSliderMode () const
{
	return impl->mode;
}

CSliderMode CSliderBase::getEffectiveSliderMode () const
{
	return impl->mode == CSliderMode::UseGlobal ? Impl::globalMode : impl->mode;
}

void CSliderBase::setGlobalMode (CSliderMode mode)
{
	Impl::globalMode = mode;
}

CSliderMode CSliderBase::getGlobalMode ()
{
	return Impl::globalMode;
}

void CSliderBase::setOffsetHandle (const CPoint& offset)
{
	impl->offsetHandle = offset;
}

CPoint CSliderBase::getOffsetHandle () const
{
	return impl->offsetHandle;
}

CPoint CSliderBase::getHandleSize () const
{
	return impl->handleSize;
}

CCoord CSliderBase::getHandleRange () const
{
	return impl->rangeHandle;
}

void CSliderBase::setHandleSizePrivate (CCoord width, CCoord height)
{
	impl->handleSize = CPoint (width, height);
}

void CSliderBase::setHandleRangePrivate (CCoord range)
{
	impl->rangeHandle = range;
}

void CSliderBase::setZoomFactor (float factor)
{
	impl->zoomFactor = factor;
}

float CSliderBase::getZoomFactor () const
{
	return impl->zoomFactor;
}

void CSliderBase::setWheelInc (float increment)
{
	impl->wheelInc = increment;
}

float CSliderBase::getWheelInc () const
{
	return impl->wheelInc;
}

CVSTGUITimer* CSliderBase::getRampTimer () const
{
	return impl->rampTimer;
}

//------------------------------------------------------------------------------
CCoord CSliderBase::travelStart () const
{
	const CRect& size = getViewSize ();
	return isStyleHorizontal () ? size.left + impl->offsetHandle.x : size.top + impl->offsetHandle.y;
}

CRect CSliderBase::calculateHandleRect (float normValue) const
{
	if (isInverseStyle ())
		normValue = 1.f - normValue;
	CCoord position = std::floor (normValue * impl->rangeHandle);
	if (!(position > 0.))
		position = 0.;
	else if (position > impl->rangeHandle)
		position = impl->rangeHandle;
	CRect handle (getViewSize ().getTopLeft () + impl->offsetHandle, impl->handleSize);
	if (isStyleHorizontal ())
		return handle.offset (position, 0.);
	return handle.offset (0., position);
}

float CSliderBase::calculateDelta (const CPoint& where, CRect* handleRect) const
{
	const CCoord base = travelStart ();
	if (getEffectiveSliderMode () == CSliderMode::FreeClick)
	{
		if (isStyleHorizontal ())
			return static_cast<float> (base + impl->handleSize.x * 0.5 - 1.);
		const int32_t k = handleBottomInset >= 2 ? handleBottomInset - 2 : 0;
		return static_cast<float> (base + (impl->handleSize.y - k) * 0.5 - 1.);
	}
	float normValue = getValueNormalized ();
	if (isInverseStyle ())
		normValue = 1.f - normValue;
	const auto travelled = static_cast<int32_t> (truncateToUInt32 (normValue * impl->rangeHandle));
	const CCoord position = base + travelled;
	if (handleRect)
	{
		const CPoint topLeft = isStyleHorizontal () ? CPoint (position, getViewSize ().top + impl->offsetHandle.y)
		                                            : CPoint (getViewSize ().left + impl->offsetHandle.x, position);
		*handleRect = CRect (topLeft, impl->handleSize);
	}
	return static_cast<float> (base + axisOf (where) - position);
}

// The slider's whole width at the handle's height, less the handle's bottom
// inset; right and bottom edges outside.
bool CSliderBase::inGrabZone (const CPoint& where) const
{
	CRect zone = calculateHandleRect (getValueNormalized ());
	zone.bottom -= handleBottomInset;
	zone.left = getViewSize ().left;
	zone.right = getViewSize ().right;
	return zone.pointInside (where);
}

float CSliderBase::normalizedValueCentredAt (const CPoint& where) const
{
	const CCoord handleLength = isStyleHorizontal () ? impl->handleSize.x : impl->handleSize.y;
	double normalized = (axisOf (where) - travelStart () - handleLength / 2.) / impl->rangeHandle;
	normalized = normalized > 0. ? std::min (normalized, 1.) : 0.;
	return static_cast<float> (isInverseStyle () ? 1. - normalized : normalized);
}

//------------------------------------------------------------------------------
CMouseEventResult CSliderBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons () & kLButton))
		return kMouseEventNotHandled;
	// On the handle a vertical slider drags without a jump; elsewhere the
	// handle comes to the click. The choice stays the slider's mode.
	if (!isStyleHorizontal ())
		impl->mode = inGrabZone (where) ? CSliderMode::RelativeTouch : CSliderMode::FreeClick;
	invalidMouseWheelEditTimer (this);

	const CSliderMode mode = getEffectiveSliderMode ();
	CRect handle;
	impl->delta = calculateDelta (where, mode == CSliderMode::FreeClick ? nullptr : &handle);
	const bool onHandle = handle.pointInside (where);
	// Only the handle itself answers in touch mode: a press beside it neither
	// drags nor resets.
	if (mode == CSliderMode::Touch && !onHandle)
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

	impl->oldVal = getMin () - 1.f;
	impl->oldButton = buttons;
	// In relative touch a double-click beside the handle starts a drag.
	if (!(mode == CSliderMode::RelativeTouch && !onHandle) && checkDefaultValue (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	if (mode == CSliderMode::Ramp && !onHandle)
		impl->rampTimer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { doRamping (); }, kRampInterval);

	impl->startVal = getValue ();
	beginEdit ();
	impl->mouseStartPoint = where;
	impl->distanceZoomFactor = 1.f;
	// A zoomed drag and a relative one start where the value is.
	if (buttons () & kZoomModifier || mode == CSliderMode::RelativeTouch)
		return kMouseEventHandled;
	return onMouseMoved (where, buttons);
}

CMouseEventResult CSliderBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons () & kLButton) || !isEditing ())
		return kMouseEventNotHandled;
	// The ramp moves the handle until it ends.
	if (impl->rampTimer)
		return kMouseEventHandled;
	if (kAlwaysUseZoomFactor)
		followDistanceAcross (where);

	const float current = getValueNormalized ();
	const bool zooming = kAlwaysUseZoomFactor || (buttons () & kZoomModifier);
	if (impl->oldVal == getMin () - 1.f || !zooming || buttons != impl->oldButton)
	{
		impl->oldVal = current;
		impl->oldButton = buttons;
	}
	float normValue = current;
	if (impl->rangeHandle > 0.)
	{
		normValue = static_cast<float> ((axisOf (where) - impl->delta) / impl->rangeHandle);
		if (isInverseStyle ())
			normValue = 1.f - normValue;
	}
	if (zooming)
	{
		const float zoom = kAlwaysUseZoomFactor ? impl->distanceZoomFactor : impl->zoomFactor;
		normValue = impl->oldVal + (normValue - impl->oldVal) / zoom;
	}
	const float previous = value;
	setValueNormalized (normValue);
	valueChangedSince (previous);
	return kMouseEventHandled;
}

// The farther the mouse is across the slider from where it went down, in
// slider thicknesses, the slower the drag; each change of the factor
// re-bases the drag at the mouse.
void CSliderBase::followDistanceAcross (const CPoint& where)
{
	const bool horizontal = isStyleHorizontal ();
	const CCoord distance =
	    std::abs (horizontal ? where.y - impl->mouseStartPoint.y : where.x - impl->mouseStartPoint.x);
	const CCoord thickness = horizontal ? getViewSize ().getHeight () : getViewSize ().getWidth ();
	const float factor = thickness > 0. && distance > thickness ? static_cast<float> (distance / thickness) : 1.f;
	if (factor == impl->distanceZoomFactor)
		return;
	impl->distanceZoomFactor = factor;
	impl->oldVal = getValueNormalized ();
	impl->delta = calculateDelta (where);
}

void CSliderBase::doRamping ()
{
	const float target = normalizedValueCentredAt (impl->mouseStartPoint);
	const float current = getValueNormalized ();
	const bool arrives = std::abs (target - current) <= kRampStep;
	const float previous = value;
	setValueNormalized (arrives ? target : current + (target > current ? kRampStep : -kRampStep));
	valueChangedSince (previous);
	if (!arrives)
		return;
	// A drag from here on moves the handle with the mouse.
	impl->rampTimer = nullptr;
	impl->delta = calculateDelta (impl->mouseStartPoint);
}

void CSliderBase::endMouseEditing ()
{
	impl->oldButton = 0;
	impl->rampTimer = nullptr;
	endEdit ();
}

CMouseEventResult CSliderBase::onMouseUp (CPoint&, const CButtonState&)
{
	if (isEditing ())
		endMouseEditing ();
	return kMouseEventHandled;
}

// Puts the value back where it was at mouse-down.
CMouseEventResult CSliderBase::onMouseCancel ()
{
	if (isEditing ())
	{
		const float previous = value;
		setValue (impl->startVal);
		valueChangedSince (previous);
		endMouseEditing ();
	}
	return kMouseEventHandled;
}

bool CSliderBase::onWheel (const CPoint&, const CMouseWheelAxis&, const float& distance, const CButtonState& buttons)
{
	return onWheelStep (this, distance, impl->wheelInc, buttons);
}

//------------------------------------------------------------------------------
CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                  CCoord rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& backgroundOffset,
                  int32_t style)
: CSliderBase (size, listener, tag), backgroundOffset (backgroundOffset)
{
	setStyle (style);
	setOffsetHandle (offsetHandle);
	setHandleRangePrivate (rangeHandle);
	setHandle (handle);
	setBackground (background);
}

void CSlider::setHandle (CBitmap* bitmap)
{
	handle = bitmap;
	if (handle)
		setHandleSizePrivate (handle->getWidth (), handle->getHeight ());
}

void CSlider::draw (CDrawContext* context)
{
	if (auto background = getBackground ())
		background->draw (context, getViewSize (), backgroundOffset);
	if (handle)
		handle->draw (context, calculateHandleRect (getValueNormalized ()));
	setDirty (false);
}

} // VSTGUI
