#include "cviewcontainer.h"
#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "vstguidebug.h"

#include <algorithm>

namespace VSTGUI {

namespace {

CRect intersection (const CRect& a, const CRect& b)
{
	return {std::max (a.left, b.left), std::max (a.top, b.top), std::min (a.right, b.right),
	        std::min (a.bottom, b.bottom)};
}

// Saves the context's draw state for one child, and restores it also when the
// child's drawing throws.
class ScopedGlobalState
{
public:
	explicit ScopedGlobalState (CDrawContext& context) : context (context) { context.saveGlobalState (); }
	~ScopedGlobalState () noexcept { context.restoreGlobalState (); }
	ScopedGlobalState (const ScopedGlobalState&) = delete;
	ScopedGlobalState& operator= (const ScopedGlobalState&) = delete;

private:
	CDrawContext& context;
};

} // namespace

CViewContainer::CViewContainer (const CRect& size) : CView (size) {}

CViewContainer::CViewContainer (const CViewContainer& other) : CView (other), backgroundOffset (other.backgroundOffset)
{
	removeAttribute (kCViewContainerMouseDownViewAttribute);
}

CViewContainer::~CViewContainer () noexcept = default;

bool CViewContainer::isChild (const CView* view) const
{
	return std::any_of (children.begin (), children.end (), [view] (const auto& child) { return child == view; });
}

SharedPointer<CView> CViewContainer::firstChild () const
{
	return children.empty () ? nullptr : children.front ();
}

void CViewContainer::insertChild (CView* view, CView* before)
{
	auto position = children.end ();
	if (before)
	{
		position = std::find (children.begin (), children.end (), before);
		vstgui_assert (position != children.end ());
	}
	children.emplace (position, view);
}

bool CViewContainer::unlinkChild (CView* view)
{
	auto it = std::find (children.begin (), children.end (), view);
	if (it == children.end ())
		return false;
	// Out of the list first: should the view go with its entry, its
	// destructor finds the list whole.
	SharedPointer<CView> entry = std::move (*it);
	children.erase (it);
	return true;
}

bool CViewContainer::addView (CView* view, CView* before)
{
	if (!view)
		return false;
	vstgui_assert (!view->isSubview (), "view is already added to a container view");
	{
		// Held while the entry goes in: no draw of the frame walks the list
		// as it changes. The callbacks below may edit the tree again.
		CFrame::ViewTreeEditLock lock (*this);
		insertChild (view, before);
	}
	view->setSubviewState (true);
	containerListeners.forEach ([&] (IViewContainerListener* l) { l->viewContainerViewAdded (this, view); });
	if (isAttached ())
	{
		view->attached (this);
		view->invalid ();
	}
	return true;
}

bool CViewContainer::removeView (CView* view, bool withForget)
{
	// Held for the whole removal: no draw of the frame, and no other edit,
	// sees the list or the view half removed.
	CFrame::ViewTreeEditLock lock (*this);
	if (!isChild (view))
		return false;
	// Keeps the view alive through its callbacks, should one of them remove
	// it as well.
	SharedPointer<CView> keep (view);
	view->invalid ();
	if (getMouseDownView () == view)
		removeAttribute (kCViewContainerMouseDownViewAttribute);
	if (isAttached ())
		view->removed (this);
	view->setSubviewState (false);
	containerListeners.forEach ([&] (IViewContainerListener* l) { l->viewContainerViewRemoved (this, view); });
	// A callback that removed the view has released it and unlinked it.
	if (isChild (view))
	{
		if (withForget)
			view->forget ();
		unlinkChild (view);
	}
	keep = nullptr; // the view goes here if that was its last reference
	return true;
}

bool CViewContainer::removeAll (bool withForget)
{
	removeAttribute (kCViewContainerMouseDownViewAttribute);
	// Held for the whole loop: no draw of the frame sees the list emptying.
	CFrame::ViewTreeEditLock lock (*this);
	// A click while this waited may have made a child the mouse-down view.
	removeAttribute (kCViewContainerMouseDownViewAttribute);
	SharedPointer<CView> view = firstChild ();
	while (view)
	{
		if (isAttached ())
			view->removed (this);
		// A callback that removed the view has done the rest of its removal.
		if (unlinkChild (view))
		{
			view->setSubviewState (false);
			containerListeners.forEach (
			    [&] (IViewContainerListener* l) { l->viewContainerViewRemoved (this, view); });
			if (withForget)
				view->forget ();
		}
		auto next = firstChild ();
		view = std::move (next); // gives up this pass's reference: the view may go here
	}
	return true;
}

bool CViewContainer::changeViewZOrder (CView* view, uint32_t newIndex)
{
	auto it = std::find (children.begin (), children.end (), view);
	if (it == children.end () || newIndex >= children.size ())
		return false;
	auto target = children.begin () + newIndex;
	if (target < it)
		std::rotate (target, it, it + 1);
	else
		std::rotate (it, it + 1, target + 1);
	containerListeners.forEach ([&] (IViewContainerListener* l) { l->viewContainerViewZOrderChanged (this, view); });
	view->invalid ();
	return true;
}

CView* CViewContainer::getMouseDownView () const
{
	CView* view = nullptr;
	uint32_t outSize = 0;
	if (!getAttribute (kCViewContainerMouseDownViewAttribute, sizeof (view), &view, outSize))
		return nullptr;
	return view;
}

void CViewContainer::setMouseDownView (CView* view)
{
	if (view)
		setAttribute (kCViewContainerMouseDownViewAttribute, sizeof (view), &view);
	else
		removeAttribute (kCViewContainerMouseDownViewAttribute);
}

bool CViewContainer::attached (CViewContainer* parent)
{
	if (!CView::attached (parent))
		return false;
	for (size_t i = 0; i < children.size (); ++i)
		SharedPointer<CView> (children[i])->attached (this);
	return true;
}

bool CViewContainer::removed (CViewContainer* parent)
{
	if (!isAttached ())
		return false;
	for (size_t i = 0; i < children.size (); ++i)
		SharedPointer<CView> (children[i])->removed (this);
	return CView::removed (parent);
}

void CViewContainer::beforeDelete ()
{
	CViewContainer::removeAll (true);
}

void CViewContainer::drawBackgroundRect (CDrawContext* context, const CRect& updateRect)
{
	auto background = getBackground ();
	if (!background)
		return;
	ScopedGlobalState state (*context);
	CRect clip;
	context->setClipRect (intersection (context->getClipRect (clip), updateRect));
	background->draw (context, size, backgroundOffset);
}

void CViewContainer::drawRect (CDrawContext* context, const CRect& updateRect)
{
	drawBackgroundRect (context, updateRect);
	CDrawContext::Transform toChildren (*context, CGraphicsTransform ().translate (size.getTopLeft ()));
	const CRect localUpdate = CRect (updateRect).offset (-size.left, -size.top);
	// By index, with a reference held while a child draws: the list stays
	// sound even if a child's drawing edits it.
	for (size_t i = 0; i < children.size (); ++i)
	{
		SharedPointer<CView> child = children[i];
		if (!child->isVisible ())
			continue;
		const CRect area = intersection (child->getViewSize (), localUpdate);
		if (area.isEmpty ())
			continue;
		ScopedGlobalState state (*context);
		context->setClipRect (area);
		child->drawRect (context, area);
	}
	setDirty (false);
}

void CViewContainer::onScaleFactorChanged (double newScaleFactor)
{
	for (size_t i = 0; i < children.size (); ++i)
		SharedPointer<CView> (children[i])->onScaleFactorChanged (newScaleFactor);
}

CView* CViewContainer::mouseTargetAt (const CPoint& localWhere, size_t& belowIndex) const
{
	for (belowIndex = std::min (belowIndex, children.size ()); belowIndex-- > 0;)
	{
		CView* child = children[belowIndex];
		if (child->isVisible () && child->getMouseEnabled () && child->getViewSize ().pointInside (localWhere))
			return child;
	}
	return nullptr;
}

CMouseEventResult CViewContainer::mouseDownOnChild (CView* child, const CPoint& localWhere,
                                                    const CButtonState& buttons)
{
	SharedPointer<CView> keep (child);
	CPoint where (localWhere);
	auto result = child->onMouseDown (where, buttons);
	if (result == kMouseEventHandled)
		setMouseDownView (child);
	return result;
}

CMouseEventResult CViewContainer::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	const CPoint local = toLocal (where);
	size_t index = children.size ();
	while (CView* child = mouseTargetAt (local, index))
	{
		auto result = mouseDownOnChild (child, local, buttons);
		if (isMouseEventHandled (result))
			return result;
	}
	return kMouseEventNotHandled;
}

// Hands an event of the current click to the mouse-down view, kept alive
// while it handles it; "not handled" when there is none.
template <typename Handle>
CMouseEventResult CViewContainer::toMouseDownView (Handle&& handle)
{
	SharedPointer<CView> view (getMouseDownView ());
	return view ? handle (*view) : kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	return toMouseDownView ([&] (CView& view) {
		CPoint local = toLocal (where);
		auto result = view.onMouseUp (local, buttons);
		setMouseDownView (nullptr);
		return result;
	});
}

CMouseEventResult CViewContainer::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	return toMouseDownView ([&] (CView& view) {
		CPoint local = toLocal (where);
		return view.onMouseMoved (local, buttons);
	});
}

CMouseEventResult CViewContainer::onMouseCancel ()
{
	return toMouseDownView ([&] (CView& view) {
		setMouseDownView (nullptr);
		view.onMouseCancel ();
		return kMouseEventHandled;
	});
}

bool CViewContainer::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                              const CButtonState& buttons)
{
	const CPoint local = toLocal (where);
	size_t index = children.size ();
	while (CView* child = mouseTargetAt (local, index))
	{
		SharedPointer<CView> keep (child);
		if (child->onWheel (local, axis, distance, buttons))
			return true;
	}
	return false;
}

} // VSTGUI
