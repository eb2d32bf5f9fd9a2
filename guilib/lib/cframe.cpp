#include "cframe.h"
#include "platform/iplatformframe.h"
#include "vstguidebug.h"
#include "vstguieditorinterface.h"

#include <algorithm>
#include <utility>

namespace VSTGUI {

int32_t CFrame::kDefaultKnobMode = kCircularMode;

namespace {

bool isUnhandled (CMouseEventResult result)
{
	return result == kMouseEventNotImplemented || result == kMouseEventNotHandled;
}

// A point of the platform view in the coordinates of `view`.
CPoint toViewCoordinates (const CView& view, const CPoint& where)
{
	const auto toPlatform = view.getGlobalTransform ();
	return {where.x - toPlatform.dx, where.y - toPlatform.dy};
}

using MouseViewList = std::vector<SharedPointer<CView>>;

bool contains (const MouseViewList& list, const CView* view)
{
	return std::find (list.begin (), list.end (), view) != list.end ();
}

// The first answer of a mouse observer other than "not handled", which then
// ends the event; "not handled" when there is none.
template <typename Ask>
CMouseEventResult firstObserverAnswer (DispatchList<IMouseObserver>& observers, Ask&& ask)
{
	CMouseEventResult answer = kMouseEventNotHandled;
	observers.forEach ([&] (IMouseObserver* observer) {
		if (answer == kMouseEventNotHandled)
			answer = ask (observer);
	});
	return answer;
}

} // namespace

struct CFrame::Impl
{
	explicit Impl (VSTGUIEditorInterface* editor) : editor (editor) {}

	// Marks this thread as the one handling an event of the frame, and runs
	// the work queued meanwhile when its outermost event is done. The event
	// state belongs to that thread: a view-tree edit on another thread sees
	// no event in progress, so its invalidations and queued work act at once
	// instead of touching the state that the event's thread is using.
	class EventProcessing
	{
	public:
		explicit EventProcessing (Impl& impl) : impl (impl) { outermost = impl.eventThread.claim (nested) && !nested; }
		~EventProcessing () noexcept { leave (); }
		EventProcessing (const EventProcessing&) = delete;
		EventProcessing& operator= (const EventProcessing&) = delete;

		void finish ()
		{
			if (!outermost)
				return;
			auto work = std::exchange (impl.afterEventProcessing, {});
			leave ();
			for (auto& item : work)
				item ();
		}

	private:
		void leave ()
		{
			if (std::exchange (outermost, false))
				impl.eventThread.clear ();
		}

		Impl& impl;
		bool nested {false};
		bool outermost {false};
	};

	VSTGUIEditorInterface* const editor;
	SpinLock::Holder drawingLockHolder;
	SharedPointer<IPlatformFrame> platformFrame;
	// Both belong to the thread noted beside them; no other thread reads them.
	ThreadMark collectingThread;
	CollectInvalidRects* collectInvalidRects {nullptr};
	ThreadMark eventThread;
	std::vector<std::function<void ()>> afterEventProcessing;

	struct ModalViewSession
	{
		ModalViewSessionID id;
		CView* view;
	};
	std::vector<ModalViewSession> modalViewSessions;
	ModalViewSessionID lastModalViewSessionID {0};
	std::optional<ModalViewSessionID> legacyModalViewSessionID;

	CView* focusView {nullptr};
	CView* activeFocusView {nullptr};
	// Each holds a reference, so that a view that leaves the tree can still
	// be told that the mouse has left it.
	MouseViewList mouseViews;
	DispatchList<IMouseObserver> mouseObservers;
	DispatchList<IViewAddedRemovedObserver> viewAddedRemovedObservers;
};

//------------------------------------------------------------------------------
CFrame::CFrame (const CRect& size, VSTGUIEditorInterface* editor)
: CViewContainer (size), guiDrawingLock (0), pImpl (nullptr)
{
	pImpl = new Impl (editor);
	pFrame = this;
}

// A copy starts with the lock free: no thread holds it, so a word copied as
// set would make every draw of the copy wait for ever.
CFrame::CFrame (const CFrame& other)
: CViewContainer (other), IPlatformFrameCallback (), guiDrawingLock (0), pImpl (new Impl (other.getEditor ()))
{
	pFrame = this;
}

CFrame::~CFrame () noexcept
{
	delete pImpl;
}

VSTGUIEditorInterface* CFrame::getEditor () const
{
	return pImpl->editor;
}

bool CFrame::open (void* systemWindow)
{
	auto factory = getPlatformFrameFactory ();
	if (!systemWindow || isAttached () || !factory)
		return false;
	pImpl->platformFrame = factory (this, getViewSize (), systemWindow);
	if (!pImpl->platformFrame)
		return false;
	CViewContainer::attached (this);
	pParentView = nullptr;
	invalid ();
	return true;
}

void CFrame::close ()
{
	clearMouseViews (CPoint (), CButtonState (), false);
	// Off itself first: the children go without the drawing lock.
	pFrame = nullptr;
	removeAll ();
	pImpl->platformFrame = nullptr;
	setAttached (false);
	forget ();
}

//------------------------------------------------------------------------------
bool CFrame::IsGUIDrawingLocked ()
{
	return !SpinLock::isFree (guiDrawingLock);
}

void CFrame::WaitForGUIDrawingLock ()
{
	SpinLock::waitUnlessHeldHere (guiDrawingLock, pImpl->drawingLockHolder);
}

void CFrame::LockGUIDrawing ()
{
	SpinLock::lock (guiDrawingLock, pImpl->drawingLockHolder);
}

void CFrame::UnLockGUIDrawing ()
{
	SpinLock::unlock (guiDrawingLock, pImpl->drawingLockHolder);
}

void CFrame::WaitForThenLockGUIDrawing ()
{
	SpinLock::waitForThenTake (guiDrawingLock, pImpl->drawingLockHolder);
}

CFrame::ViewTreeEditLock::ViewTreeEditLock (CFrame* frame)
: stretch (frame ? &frame->guiDrawingLock : nullptr, frame ? &frame->pImpl->drawingLockHolder : nullptr)
{
}

void CFrame::waitForDrawingLock ()
{
	SpinLock::waitUnlessHeldHere (guiDrawingLock, pImpl->drawingLockHolder);
}

//------------------------------------------------------------------------------
bool CFrame::platformDrawRect (CDrawContext* context, const CRect& rect)
{
	// Held while the rectangle is drawn: keeps view-tree edits out of the
	// draw, and the draw out of an edit that another thread holds.
	SpinLock::SetStretch drawing (guiDrawingLock, pImpl->drawingLockHolder);
	drawRect (context, rect);
	return true;
}

void CFrame::drawRect (CDrawContext* context, const CRect& updateRect)
{
	if (!context || updateRect.isEmpty ())
		return;
	CViewContainer::drawRect (context, updateRect);
}

void CFrame::invalidRect (const CRect& rect)
{
	if (!isVisible () || !pImpl->platformFrame)
		return;
	if (pImpl->collectingThread.isThisThread () && pImpl->collectInvalidRects)
		pImpl->collectInvalidRects->addRect (rect);
	else
		pImpl->platformFrame->invalidRect (rect);
}

void CFrame::invalid ()
{
	invalidRect (getViewSize ());
	setDirtyFlag (false);
}

void CFrame::platformOnDeminiaturize ()
{
	invalidRect (getViewSize ());
	setDirtyFlag (false);
}

// Only one thread collects at a time; a collection begun on another thread
// meanwhile collects nothing, and its rectangles go straight to the platform.
CFrame::CollectInvalidRects::CollectInvalidRects (CFrame* frame)
: frame (frame), active (frame->pImpl->collectingThread.claim (nested))
{
	if (active)
		previous = std::exchange (frame->pImpl->collectInvalidRects, this);
}

CFrame::CollectInvalidRects::~CollectInvalidRects () noexcept
{
	if (active)
	{
		frame->pImpl->collectInvalidRects = previous;
		if (!nested)
			frame->pImpl->collectingThread.clear ();
	}
	for (const auto& rect : rects)
		frame->invalidRect (rect);
}

bool CFrame::setSize (CCoord width, CCoord height)
{
	if (width == size.getWidth () && height == size.getHeight ())
		return false;
	CRect newSize (size);
	newSize.setWidth (width).setHeight (height);
	if (auto editor = getEditor (); editor && !editor->beforeSizeChange (newSize, size))
		return false;
	if (pImpl->platformFrame)
		pImpl->platformFrame->setSize (newSize);
	setViewSize (newSize);
	return true;
}

//------------------------------------------------------------------------------
int32_t CFrame::getKnobMode () const
{
	auto editor = getEditor ();
	const int32_t mode = editor ? editor->getKnobMode () : -1;
	return mode == -1 ? kDefaultKnobMode : mode;
}

void CFrame::beginEdit (int32_t index)
{
	if (auto editor = getEditor ())
		editor->beginEdit (index);
}

void CFrame::endEdit (int32_t index)
{
	if (auto editor = getEditor ())
		editor->endEdit (index);
}

bool CFrame::inEventProcessing () const
{
	return pImpl->eventThread.isThisThread ();
}

void CFrame::doAfterEventProcessing (std::function<void ()> work)
{
	if (inEventProcessing ())
		pImpl->afterEventProcessing.push_back (std::move (work));
	else
		work ();
}

template <typename Handle>
auto CFrame::processEvent (Handle&& handle)
{
	Impl::EventProcessing processing (*pImpl);
	auto result = [&] {
		CollectInvalidRects collect (this);
		return handle ();
	}();
	processing.finish ();
	return result;
}

//------------------------------------------------------------------------------
std::optional<ModalViewSessionID> CFrame::beginModalViewSession (CView* view)
{
	if (!view)
	{
		vstgui_assert (view, "arguments are required");
		return {};
	}
	if (view->isSubview ())
		return {};
	const auto sessionID = ++pImpl->lastModalViewSessionID;
	pImpl->modalViewSessions.push_back ({sessionID, view});
	addView (view);
	return sessionID;
}

bool CFrame::endModalViewSession (ModalViewSessionID sessionID)
{
	auto& sessions = pImpl->modalViewSessions;
	auto it = std::find_if (sessions.begin (), sessions.end (),
	                        [sessionID] (const auto& session) { return session.id == sessionID; });
	if (it == sessions.end ())
		return false;
	CView* view = it->view;
	sessions.erase (it);
	if (pImpl->legacyModalViewSessionID == sessionID)
		pImpl->legacyModalViewSessionID.reset ();
	removeView (view, true);
	return true;
}

void CFrame::endLegacyModalViewSession ()
{
	if (auto sessionID = pImpl->legacyModalViewSessionID)
		endModalViewSession (*sessionID);
}

CView* CFrame::getModalView () const
{
	return pImpl->modalViewSessions.empty () ? nullptr : pImpl->modalViewSessions.back ().view;
}

bool CFrame::setModalView (CView* view)
{
	if (view && pImpl->legacyModalViewSessionID)
		return false;
	endLegacyModalViewSession ();
	if (!view)
		return true;
	pImpl->legacyModalViewSessionID = beginModalViewSession (view);
	return pImpl->legacyModalViewSessionID.has_value ();
}

//------------------------------------------------------------------------------
void CFrame::setFocusView (CView* view)
{
	if (view == pImpl->focusView)
		return;
	if (CView* old = std::exchange (pImpl->focusView, view))
		old->looseFocus ();
	if (view && view == pImpl->focusView)
		view->takeFocus ();
}

CView* CFrame::getFocusView () const
{
	return pImpl->focusView;
}

void CFrame::setActiveFocusView (CView* view)
{
	pImpl->activeFocusView = view;
}

CView* CFrame::getActiveFocusView () const
{
	return pImpl->activeFocusView;
}

//------------------------------------------------------------------------------
void CFrame::clearMouseViews (const CPoint& where, const CButtonState& buttons, bool callMouseExit)
{
	auto views = std::exchange (pImpl->mouseViews, {});
	if (!callMouseExit)
		return;
	for (auto it = views.rbegin (); it != views.rend (); ++it)
	{
		CPoint local = toViewCoordinates (**it, where);
		(*it)->onMouseExited (local, buttons);
		pImpl->mouseObservers.forEach ([&] (IMouseObserver* o) { o->onMouseExited (*it, this); });
	}
}

void CFrame::checkMouseViews (const CPoint& where, const CButtonState& buttons)
{
	// The chain of views under the point, outermost first, inside the modal
	// view while there is one.
	MouseViewList chain;
	CView* modal = getModalView ();
	CViewContainer* container = this;
	CPoint local = toLocal (where);
	CView* hit = modal ? (modal->isVisible () && modal->getViewSize ().pointInside (local) ? modal : nullptr)
	                   : container->getViewAt (local);
	while (hit)
	{
		chain.emplace_back (hit);
		container = hit->asViewContainer ();
		if (!container)
			break;
		local = local - container->getViewSize ().getTopLeft ();
		hit = container->getViewAt (local);
	}

	auto previous = std::exchange (pImpl->mouseViews, chain);
	for (auto it = previous.rbegin (); it != previous.rend (); ++it)
	{
		if (contains (chain, *it))
			continue;
		CPoint viewWhere = toViewCoordinates (**it, where);
		(*it)->onMouseExited (viewWhere, buttons);
		pImpl->mouseObservers.forEach ([&] (IMouseObserver* o) { o->onMouseExited (*it, this); });
	}
	for (auto& view : chain)
	{
		if (contains (previous, view))
			continue;
		CPoint viewWhere = toViewCoordinates (*view, where);
		view->onMouseEntered (viewWhere, buttons);
		pImpl->mouseObservers.forEach ([&] (IMouseObserver* o) { o->onMouseEntered (view, this); });
	}
}

bool CFrame::isMouseView (const CView* view) const
{
	return contains (pImpl->mouseViews, view);
}

void CFrame::registerMouseObserver (IMouseObserver* observer)
{
	pImpl->mouseObservers.add (observer);
}

void CFrame::unregisterMouseObserver (IMouseObserver* observer)
{
	pImpl->mouseObservers.remove (observer);
}

void CFrame::registerViewAddedRemovedObserver (IViewAddedRemovedObserver* observer)
{
	pImpl->viewAddedRemovedObservers.add (observer);
}

void CFrame::unregisterViewAddedRemovedObserver (IViewAddedRemovedObserver* observer)
{
	pImpl->viewAddedRemovedObservers.remove (observer);
}

void CFrame::onViewAdded (CView* view)
{
	if (view == this)
		return;
	pImpl->viewAddedRemovedObservers.forEach ([&] (IViewAddedRemovedObserver* o) { o->onViewAdded (this, view); });
}

void CFrame::onViewRemoved (CView* view)
{
	auto& mouseViews = pImpl->mouseViews;
	mouseViews.erase (std::remove (mouseViews.begin (), mouseViews.end (), view), mouseViews.end ());
	if (pImpl->focusView == view)
		setFocusView (nullptr);
	if (pImpl->activeFocusView == view)
		pImpl->activeFocusView = nullptr;
	pImpl->viewAddedRemovedObservers.forEach ([&] (IViewAddedRemovedObserver* o) { o->onViewRemoved (this, view); });
}

//------------------------------------------------------------------------------
bool CFrame::removeView (CView* view, bool withForget)
{
	return CViewContainer::removeView (view, withForget);
}

bool CFrame::removeAll (bool withForget)
{
	endLegacyModalViewSession ();
	while (!pImpl->modalViewSessions.empty ())
		endModalViewSession (pImpl->modalViewSessions.back ().id);
	if (pImpl->focusView)
	{
		pImpl->focusView->looseFocus ();
		pImpl->focusView = nullptr;
	}
	pImpl->activeFocusView = nullptr;
	clearMouseViews (CPoint (), CButtonState (), false);
	CViewContainer::removeAll (withForget);
	return true;
}

//------------------------------------------------------------------------------
CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	waitForDrawingLock ();
	const auto observed = firstObserverAnswer (
	    pImpl->mouseObservers, [&] (IMouseObserver* o) { return o->onMouseDown (this, where, buttons); });
	if (observed != kMouseEventNotHandled)
		return observed;
	if (CView* modal = getModalView ())
	{
		if (!modal->isVisible () || !modal->getMouseEnabled ())
			return kMouseEventNotHandled;
		return mouseDownOnChild (modal, toLocal (where), buttons);
	}
	return CViewContainer::onMouseDown (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	waitForDrawingLock ();
	const auto result = CViewContainer::onMouseUp (where, buttons);
	checkMouseViews (where, buttons);
	return result;
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	waitForDrawingLock ();
	const auto observed = firstObserverAnswer (
	    pImpl->mouseObservers, [&] (IMouseObserver* o) { return o->onMouseMoved (this, where, buttons); });
	if (observed != kMouseEventNotHandled)
		return observed;
	checkMouseViews (where, buttons);
	return CViewContainer::onMouseMoved (where, buttons);
}

bool CFrame::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                      const CButtonState& buttons)
{
	waitForDrawingLock ();
	if (CView* modal = getModalView ())
	{
		SharedPointer<CView> keep (modal);
		return modal->isVisible () && modal->getMouseEnabled () &&
		       modal->onWheel (toLocal (where), axis, distance, buttons);
	}
	return CViewContainer::onWheel (where, axis, distance, buttons);
}

//------------------------------------------------------------------------------
CMouseEventResult CFrame::platformOnMouseDown (CPoint& where, const CButtonState& buttons)
{
	return platformOnClick (Click::down, where, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp (CPoint& where, const CButtonState& buttons)
{
	return platformOnClick (Click::up, where, buttons);
}

// A click that the frame leaves unhandled goes to the editor, whose answer
// then stands.
CMouseEventResult CFrame::platformOnClick (Click click, CPoint& where, const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return kMouseEventNotHandled;
	waitForDrawingLock ();
	return processEvent ([&] {
		auto result = click == Click::down ? onMouseDown (where, buttons) : onMouseUp (where, buttons);
		if (auto editor = getEditor (); editor && isUnhandled (result))
			result = click == Click::down ? editor->onUnhandledMouseDown (where, buttons)
			                              : editor->onUnhandledMouseUp (where, buttons);
		return result;
	});
}

CMouseEventResult CFrame::platformOnMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return kMouseEventNotHandled;
	waitForDrawingLock ();
	return processEvent ([&] { return onMouseMoved (where, buttons); });
}

bool CFrame::platformOnMouseWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                                   const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return false;
	waitForDrawingLock ();
	return processEvent ([&] { return onWheel (where, axis, distance, buttons); });
}

CMouseEventResult CFrame::platformOnMouseExited (CPoint& where, const CButtonState& buttons)
{
	clearMouseViews (where, buttons);
	return kMouseEventHandled;
}

// This build has neither drag and drop nor keyboard dispatch: the frame takes
// no drop and no key.
DragOperation CFrame::platformOnDragEnter (DragEventData)
{
	return DragOperation::None;
}

DragOperation CFrame::platformOnDragMove (DragEventData)
{
	return DragOperation::None;
}

void CFrame::platformOnDragLeave (DragEventData) {}

bool CFrame::platformOnDrop (DragEventData)
{
	return false;
}

bool CFrame::platformOnKeyDown (VstKeyCode&)
{
	return false;
}

bool CFrame::platformOnKeyUp (VstKeyCode&)
{
	return false;
}

// Nothing in this build depends on the window's activation or scale.
void CFrame::platformOnActivate (bool) {}

void CFrame::platformOnWindowActivate (bool) {}

void CFrame::platformScaleFactorChanged (double) {}

} // VSTGUI
