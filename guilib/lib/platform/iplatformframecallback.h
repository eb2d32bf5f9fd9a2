// What the platform frame (the platform's view of a frame) calls on the
// frame: drawing, input, activation and scale. The platform layer calls these
// through the table of virtual functions by position, so their order is fixed
// and must not change.
#pragma once

#include "../cbuttonstate.h"
#include "../cmousewheelaxis.h"
#include "../cpoint.h"
#include "../crect.h"
#include "../vstguifwd.h"

namespace VSTGUI {

class IDataPackage;

enum class DragOperation
{
	Copy,
	Move,
	None
};

struct DragEventData
{
	IDataPackage* drag {nullptr};
	CPoint pos;
	int32_t modifiers {0};
};

// Keys without a character, in VstKeyCode::virt.
enum VirtualKey : unsigned char
{
	VKEY_RETURN = 4,
	VKEY_SPACE = 7,
	VKEY_ENTER = 19
};

struct VstKeyCode
{
	int32_t character {0};
	unsigned char virt {0};
	unsigned char modifier {0};
};

class IPlatformFrameCallback
{
public:
	virtual bool platformDrawRect (CDrawContext* context, const CRect& rect) = 0;
	virtual CMouseEventResult platformOnMouseDown (CPoint& where, const CButtonState& buttons) = 0;
	virtual CMouseEventResult platformOnMouseMoved (CPoint& where, const CButtonState& buttons) = 0;
	virtual CMouseEventResult platformOnMouseUp (CPoint& where, const CButtonState& buttons) = 0;
	virtual CMouseEventResult platformOnMouseExited (CPoint& where, const CButtonState& buttons) = 0;
	virtual bool platformOnMouseWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                                   const CButtonState& buttons) = 0;
	virtual DragOperation platformOnDragEnter (DragEventData data) = 0;
	virtual DragOperation platformOnDragMove (DragEventData data) = 0;
	virtual void platformOnDragLeave (DragEventData data) = 0;
	virtual bool platformOnDrop (DragEventData data) = 0;
	virtual bool platformOnKeyDown (VstKeyCode& keyCode) = 0;
	virtual bool platformOnKeyUp (VstKeyCode& keyCode) = 0;
	virtual void platformOnActivate (bool state) = 0;
	virtual void platformOnWindowActivate (bool state) = 0;
	// The window has come back from the Dock: redraw everything.
	virtual void platformOnDeminiaturize () = 0;
	virtual void platformScaleFactorChanged (double newScaleFactor) = 0;

protected:
	~IPlatformFrameCallback () noexcept = default;
};

} // VSTGUI
