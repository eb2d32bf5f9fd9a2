// Forward declarations and the basic scalar types of the GUI library.
#pragma once

#include "cmouseeventresult.h"

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

} // VSTGUI
