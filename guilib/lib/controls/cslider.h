// Sliders: a handle that travels along a straight line over a range of
// pixels. How a click moves it depends on the slider's mode; a vertical
// slider picks its mode from where each click lands.
#pragma once

#include "ccontrol.h"
#include "cmousewheeleditingsupport.h"

#include <memory>

namespace VSTGUI {

// How a click with the left button moves a slider.
enum class CSliderMode : int32_t
{
	// Only a click on the handle drags it.
	Touch = 0,
	// The value moves with the mouse from where the handle was, without a jump.
	RelativeTouch,
	// The handle's centre jumps to the mouse and follows it.
	FreeClick,
	// A click beside the handle moves the value towards it in timer steps.
	Ramp,
	// The global mode applies.
	UseGlobal
};

class CSliderBase : public CControl, protected CMouseWheelEditingSupport
{
public:
	enum Style : int32_t
	{
		kHorizontal = 1 << 0,
		kVertical = 1 << 1,
		// Where the minimum lies: the value runs from the left or the top
		// edge, or, for the right and bottom styles, towards them.
		kLeft = 1 << 2,
		kRight = 1 << 3,
		kTop = 1 << 4,
		kBottom = 1 << 5
	};

	// The interval of the ramp's steps, in milliseconds.
	static constexpr uint32_t kRampInterval = 16;
	// The part of the range that one ramp step moves.
	static constexpr float kRampStep = 0.05f;

	// A 1 x 1 handle with no travel, in the global mode.
	CSliderBase (const CRect& size, IControlListener* listener, int32_t tag);
	// A copy has the original's style, mode and handle, and is not being
	// dragged; its bottom inset is the constructor's.
	CSliderBase (const CSliderBase& other);
	~CSliderBase () noexcept override;

	virtual void setStyle (int32_t newStyle);
	int32_t getStyle () const;
	bool isStyleHorizontal () const { return getStyle () & kHorizontal; }

	// The slider's own mode. A vertical slider sets it itself on every click
	// of the left button, to relative touch in its grab zone and to free
	// click elsewhere, and keeps that choice.
	virtual void setSliderMode (CSliderMode mode);
	CSliderMode getSliderMode () const;
	// The own mode, or the global one while the own mode is UseGlobal.
	CSliderMode getEffectiveSliderMode () const;
	// Free click at load.
	static void setGlobalMode (CSliderMode mode);
	static CSliderMode getGlobalMode ();

	// Where the handle's travel starts inside the view, and its size.
	virtual void setOffsetHandle (const CPoint& offset);
	CPoint getOffsetHandle () const;
	CPoint getHandleSize () const;
	CCoord getHandleRange () const;

	// A drag with the zoom modifier moves the value this many times slower.
	void setZoomFactor (float factor);
	float getZoomFactor () const;
	// The part of the range that one wheel step moves.
	void setWheelInc (float increment);
	float getWheelInc () const;

	// Every drag is slowed by a zoom factor that grows with the mouse's
	// distance across the slider from where it went down, whatever the
	// modifiers. Off at load; code outside the bundle may turn it on.
	static bool kAlwaysUseZoomFactor;

	// The handle's rectangle for a normalized value, in the coordinates of
	// the view size, on whole pixels and within its travel.
	CRect calculateHandleRect (float normValue) const;

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

protected:
	void setHandleSizePrivate (CCoord width, CCoord height);
	void setHandleRangePrivate (CCoord range);

	// The drag offset for a click at `where`: what the mouse's coordinate
	// along the slider minus the offset, over the handle range, makes the
	// normalized value. In free click it centres the handle on the mouse;
	// in the other modes it keeps the value, and `handleRect`, when given,
	// receives the handle's rectangle.
	float calculateDelta (const CPoint& where, CRect* handleRect = nullptr) const;
	// One step of the ramp towards the mouse-down point; the ramp ends when
	// the handle is centred on it, or at the end of the travel.
	void doRamping ();

	// The timer of the ramp while one runs.
	CVSTGUITimer* getRampTimer () const;

	struct Impl;
	std::unique_ptr<Impl> impl;
	// Pixels at the bottom of the handle that lie outside a vertical
	// slider's grab zone.
	int32_t handleBottomInset;

private:
	bool inGrabZone (const CPoint& where) const;
	bool isInverseStyle () const;
	// Where the handle's travel starts, and where a point lies, along the
	// slider, in the coordinates of the view size.
	CCoord travelStart () const;
	CCoord axisOf (const CPoint& where) const { return isStyleHorizontal () ? where.x : where.y; }
	// The normalized value that centres the handle on `where`.
	float normalizedValueCentredAt (const CPoint& where) const;
	void followDistanceAcross (const CPoint& where);
	void endMouseEditing ();
};

// A slider drawn as its background bitmap with its handle bitmap over it;
// the handle's size is the bitmap's.
class CSlider : public CSliderBase
{
public:
	// The handle's travel starts at `offsetHandle` in the view and runs
	// `rangeHandle` pixels along the slider.
	CSlider (const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	         CCoord rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& backgroundOffset = CPoint (0, 0),
	         int32_t style = kLeft | kHorizontal);
	CSlider (const CSlider& other) = default;

	// The control holds a reference to the handle; its size follows it.
	virtual void setHandle (CBitmap* bitmap);
	CBitmap* getHandle () const { return handle; }

	void draw (CDrawContext* context) override;

private:
	SharedPointer<CBitmap> handle;
	CPoint backgroundOffset;
};

// A slider whose minimum is at the bottom.
class CVerticalSlider : public CSlider
{
public:
	CVerticalSlider (const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	                 CCoord rangeHandle, CBitmap* handle, CBitmap* background,
	                 const CPoint& backgroundOffset = CPoint (0, 0), int32_t style = kBottom | kVertical)
	: CSlider (size, listener, tag, offsetHandle, rangeHandle, handle, background, backgroundOffset, style)
	{
	}
};

// A slider whose minimum is at the left.
class CHorizontalSlider : public CSlider
{
public:
	CHorizontalSlider (const CRect& size, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	                   CCoord rangeHandle, CBitmap* handle, CBitmap* background,
	                   const CPoint& backgroundOffset = CPoint (0, 0), int32_t style = kLeft | kHorizontal)
	: CSlider (size, listener, tag, offsetHandle, rangeHandle, handle, background, backgroundOffset, style)
	{
	}
};

} // VSTGUI
