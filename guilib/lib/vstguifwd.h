// Forward declarations and the basic scalar types of the GUI library.
#pragma once

#include <cstdint>

namespace VSTGUI {

using CCoord = double;

struct CPoint;
struct CRect;
class CButtonState;
class CView;
class CViewContainer;
class CFrame;
class CDrawContext;
class CBitmap;
class VSTGUIEditorInterface;

// Result of a mouse handler.
enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled = 1,
	kMouseEventNotHandled = 2,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3
};

} // VSTGUI
