// Switches: a value of a few evenly spaced steps, one for each frame of the
// background strip, chosen by where the mouse is along the switch.
#pragma once

#include "ccontrol.h"
#include "imultibitmapcontrol.h"

namespace VSTGUI {

class CSwitchBase : public CControl, public IMultiBitmapControl
{
public:
	// Frames of the view's height, as many as the background holds.
	CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
	             const CPoint& backgroundOffset = CPoint (0, 0));
	CSwitchBase (const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
	             CCoord heightOfOneImage, CBitmap* background, const CPoint& backgroundOffset = CPoint (0, 0));
	// A copy is not being clicked.
	CSwitchBase (const CSwitchBase& other);

	void draw (CDrawContext* context) override;

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;

protected:
	// The length along the switch's axis, and where a point (in the
	// coordinates of the view size) lies along it from the view's edge.
	virtual CCoord axisLength () const = 0;
	virtual CCoord axisPosition (const CPoint& where) const = 0;

	// Pixels along the axis for each step, as the click computed it.
	double coef {0.};

private:
	// The normalized value of the step under `where`.
	float normalizedValueAt (const CPoint& where) const;

	CPoint backgroundOffset;
	bool clicked {false};
	float valueAtMouseDown {0.f};
};

// Steps from the top (minimum) to the bottom.
class CVerticalSwitch : public CSwitchBase
{
public:
	using CSwitchBase::CSwitchBase;

protected:
	CCoord axisLength () const override { return getViewSize ().getHeight (); }
	CCoord axisPosition (const CPoint& where) const override { return where.y - getViewSize ().top; }
};

// Steps from the left (minimum) to the right.
class CHorizontalSwitch : public CSwitchBase
{
public:
	using CSwitchBase::CSwitchBase;

protected:
	CCoord axisLength () const override { return getViewSize ().getWidth (); }
	CCoord axisPosition (const CPoint& where) const override { return where.x - getViewSize ().left; }
};

} // VSTGUI
