#include "cviewcontainer.h"

namespace VSTGUI {

CViewContainer::CViewContainer (const CRect& size) : CView (size) {}

CViewContainer::CViewContainer (const CViewContainer& other) : CView (other) {}

CViewContainer::~CViewContainer () noexcept = default;

} // VSTGUI
