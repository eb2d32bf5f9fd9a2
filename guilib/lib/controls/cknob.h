// Knobs: a value that follows the mouse around the knob's centre or, in
// linear mode, up and down. The frame's knob mode picks the kind of drag.
#pragma once

#include "ccontrol.h"
#include "cmousewheeleditingsupport.h"
#include "imultibitmapcontrol.h"

#include <optional>

namespace VSTGUI {

class CKnobBase : public CControl, protected CMouseWheelEditingSupport
{
public:
	// Pixels of vertical travel for the whole range in a linear drag, before
	// the zoom factor.
	static constexpr float kLinearRange = 200.f;

	CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);
	// A copy is not being dragged.
	CKnobBase (const CKnobBase& other);

	// Angles in radians, clockwise from the knob's right (y grows downwards):
	// where the minimum lies, and how far clockwise the range reaches.
	virtual void setStartAngle (float angle) { startAngle = angle; }
	float getStartAngle () const { return startAngle; }
	virtual void setRangeAngle (float angle) { rangeAngle = angle; }
	float getRangeAngle () const { return rangeAngle; }

	// A linear drag with the zoom modifier needs this many times the travel.
	void setZoomFactor (float factor) { zoomFactor = factor; }
	float getZoomFactor () const { return zoomFactor; }
	// The part of the range that one wheel step moves.
	void setWheelInc (float increment) { wheelInc = increment; }
	float getWheelInc () const { return wheelInc; }
	// How far inside the view's edge the value's circle runs.
	void setInsetValue (CCoord newInset) { inset = newInset; }
	CCoord getInsetValue () const { return inset; }

	// Between the value and a point of the knob, in coordinates whose origin
	// is the view's top-left corner: the point on the value's circle, and
	// the value whose angle the point lies at. A point in the gap between the
	// two ends of the range gives the nearer end.
	virtual void valueToPoint (CPoint& point) const;
	virtual float valueFromPoint (CPoint& point) const;

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

protected:
	// What a drag keeps from its mouse-down to its mouse-up or cancel.
	struct MouseEditingState
	{
		CPoint firstPoint;      // where the mouse went down
		CPoint lastPoint;       // the last point processed
		float startValue {0.f}; // circular: the value of the angle last followed
		float entryValue {0.f}; // linear: the value that the vertical distance counts from
		float oldValue {0.f};   // the value at mouse-down, which a cancel restores
		float range {kLinearRange}; // linear: pixels for the whole range
		float coef {0.f};       // linear: value per pixel
		CButtonState oldButton; // the button word of the last re-basing
		bool modeLinear {false};
		bool relative {false};  // circular: the value moves with the angle, without a jump
	};
	// The record of the current drag, made empty when there is none.
	MouseEditingState& getMouseEditingState ();
	void clearMouseEditingState () { mouseState.reset (); }

	float startAngle;
	float rangeAngle;
	float zoomFactor {1.5f};
	float wheelInc {0.1f};
	CCoord inset {3.};

private:
	// Linear: pixels for the whole range with these buttons.
	float linearRange (const CButtonState& buttons) const;
	void moveLinear (MouseEditingState& state, const CPoint& where, const CButtonState& buttons);
	void moveCircular (MouseEditingState& state, CPoint& where);

	std::optional<MouseEditingState> mouseState;
};

// A knob drawn as its background bitmap with a handle bitmap centred on the
// value's circle.
class CKnob : public CKnobBase
{
public:
	CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
	       const CPoint& backgroundOffset = CPoint (0, 0));
	CKnob (const CKnob& other) = default;

	// The control holds a reference to the handle.
	void setHandleBitmap (CBitmap* bitmap) { handle = bitmap; }
	CBitmap* getHandleBitmap () const { return handle; }

	void draw (CDrawContext* context) override;

private:
	SharedPointer<CBitmap> handle;
	CPoint backgroundOffset;
};

// A knob drawn as one frame of a strip: its background holds a frame for
// each step from the minimum to the maximum.
class CAnimKnob : public CKnobBase, public IMultiBitmapControl
{
public:
	// Frames of the view's height, as many as the background holds.
	CAnimKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
	           const CPoint& backgroundOffset = CPoint (0, 0));
	CAnimKnob (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
	           CCoord heightOfOneImage, CBitmap* background, const CPoint& backgroundOffset = CPoint (0, 0));
	CAnimKnob (const CAnimKnob& other) = default;

	// The last frame for the minimum and the first for the maximum.
	void setInverseBitmap (bool state) { inverseBitmap = state; }
	bool getInverseBitmap () const { return inverseBitmap; }

	void draw (CDrawContext* context) override;

private:
	CPoint backgroundOffset;
	bool inverseBitmap {false};
};

} // VSTGUI
