#include "cview.h"
#include "cframe.h"

namespace VSTGUI {

CView::CView (const CRect& size) : size (size) {}

// A copy starts outside any container, with the original's geometry.
CView::CView (const CView& other) : ReferenceCounted (other), size (other.size) {}

CView::~CView () noexcept = default;

void CView::setViewSize (const CRect& rect, bool)
{
	size = rect;
}

VSTGUIEditorInterface* CView::getEditor () const
{
	return pFrame ? pFrame->getEditor () : nullptr;
}

} // VSTGUI
