#include "cframe.h"
#include "platform/iplatformframe.h"
#include "vstguidebug.h"
#include "vstguieditorinterface.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace VSTGUI {

int32_t CFrame::kDefaultKnobMode = kCircularMode;

namespace {

// A view under the mouse, with where its coordinates start in the platform
// view's, noted when the mouse reached it: the exit can be told where the
// mouse left without walking parents that an edit may be taking away.
struct MouseView
{
	SharedPointer<CView> view;
	CPoint origin;
};
using MouseViewList = std::vector<MouseView>;

bool contains (const MouseViewList& list, const CView* view)
{
	return std::any_of (list.begin (), list.end (), [view] (const auto& entry) { return entry.view == view; });
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
	Impl (VSTGUIEditorInterface* editor, SpinLock::Word& drawingLock) : editor (editor), drawingLockHolds (drawingLock)
	{
	}

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
	SpinLock::Holds drawingLockHolds;

	// Views invalidate on whatever thread edits them, while the frame may
	// close on another: each invalidation takes its own reference.
	SharedPointer<IPlatformFrame> getPlatformFrame ()
	{
		std::lock_guard<std::mutex> guard (platformFrameMutex);
		return platformFrame;
	}
	void setPlatformFrame (SharedPointer<IPlatformFrame> newFrame)
	{
		std::lock_guard<std::mutex> guard (platformFrameMutex);
		std::swap (platformFrame, newFrame);
	}
	std::mutex platformFrameMutex;
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
	// be told that the mouse has left it. Guarded by their mutex rather than
	// by the drawing lock, so that the mouse's exit need not wait.
	std::mutex mouseViewsMutex;
	MouseViewList mouseViews;

	MouseViewList replaceMouseViews (MouseViewList views)
	{
		std::lock_guard<std::mutex> guard (mouseViewsMutex);
		std::swap (mouseViews, views);
		return views;
	}

	// Tells the views that the mouse has left, innermost first, except those
	// in `stillUnder`.
	void sendMouseExited (CFrame* frame, const MouseViewList& views, const MouseViewList& stillUnder,
	                      const CPoint& where, const CButtonState& buttons)
	{
		for (auto it = views.rbegin (); it != views.rend (); ++it)
		{
			if (contains (stillUnder, it->view))
				continue;
			CPoint local = where - it->origin;
			it->view->onMouseExited (local, buttons);
			mouseObservers.forEach ([&] (IMouseObserver* o) { o->onMouseExited (it->view, frame); });
		}
	}
	DispatchList<IMouseObserver> mouseObservers;
	DispatchList<IViewAddedRemovedObserver> viewAddedRemovedObservers;
};

//------------------------------------------------------------------------------
CFrame::CFrame (const CRect& size, VSTGUIEditorInterface* editor)
: CViewContainer (size), guiDrawingLock (0), pImpl (nullptr)
{
	pImpl = new Impl (editor, guiDrawingLock);
	pFrame = this;
}

// A copy starts with the lock free: no thread holds it, so a word copied as
// set would make every draw of the copy wait for ever.
CFrame::CFrame (const CFrame& other)
: CViewContainer (other), IPlatformFrameCallback (), guiDrawingLock (0), pImpl (new Impl (other.getEditor (), guiDrawingLock))
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

IPlatformFrame* CFrame::getPlatformFrame () const
{
	return pImpl->getPlatformFrame ();
}

bool CFrame::open (void* systemWindow, const IPlatformFactory& factory)
{
	if (!systemWindow || isAttached ())
		return false;
	auto platformFrame = factory.createFrame (this, getViewSize (), systemWindow);
	if (!platformFrame)
		return false;
	pImpl->setPlatformFrame (platformFrame);
	CViewContainer::attached (this);
	pParentView = nullptr;
	invalid ();
	return true;
}

void CFrame::close ()
{
	{
		// Keeps the edits of other threads out while the tree comes down;
		// they find their containers off the frame when they get the lock.
		SpinLock::Hold teardown (drawingLockHolds (), SpinLock::HoldKind::teardown);
		clearMouseViews (CPoint (), CButtonState (), false);
		// Off itself first: the children go without taking the lock again.
		pFrame = nullptr;
		removeAll ();
		pImpl->setPlatformFrame (nullptr);
		setAttached (false);
	}
	forget ();
}

//------------------------------------------------------------------------------
bool CFrame::IsGUIDrawingLocked ()
{
	return !SpinLock::isFree (guiDrawingLock);
}

void CFrame::WaitForGUIDrawingLock ()
{
	pImpl->drawingLockHolds.waitUnlessHeldHere ();
}

void CFrame::LockGUIDrawing ()
{
	pImpl->drawingLockHolds.plainLock ();
}

void CFrame::UnLockGUIDrawing ()
{
	pImpl->drawingLockHolds.plainUnlock ();
}

void CFrame::WaitForThenLockGUIDrawing ()
{
	pImpl->drawingLockHolds.plainWaitForThenLock ();
}

SpinLock::Holds* CFrame::drawingLockHolds () const
{
	return &pImpl->drawingLockHolds;
}

CFrame::ViewTreeEditLock::ViewTreeEditLock (const CView& container)
: frame (container.getFrame ()), hold (frame ? frame->drawingLockHolds () : nullptr, SpinLock::HoldKind::edit)
{
	// The container may leave its frame, or the frame may close, while the
	// edit waits: the lock that counts is that of the frame it is on once
	// the edit holds one.
	for (CFrame* now = container.getFrame (); now != frame; now = container.getFrame ())
	{
		frame = now;
		hold.retake (frame ? frame->drawingLockHolds () : nullptr, SpinLock::HoldKind::edit);
	}
}

//------------------------------------------------------------------------------
bool CFrame::platformDrawRect (CDrawContext* context, const CRect& rect)
{
	// Held while the rectangle is drawn: keeps view-tree edits out of the
	// draw, and the draw out of an edit that another thread holds. Inside a
	// hold of the drawing thread (a view's removal that draws at once) it
	// only deepens that hold.
	SpinLock::Hold drawing (drawingLockHolds (), SpinLock::HoldKind::draw);
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
	auto platformFrame = isVisible () ? pImpl->getPlatformFrame () : nullptr;
	if (!platformFrame)
		return;
	if (pImpl->collectingThread.isThisThread () && pImpl->collectInvalidRects)
		pImpl->collectInvalidRects->addRect (rect);
	else
		platformFrame->invalidRect (rect);
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
	stop ();
}

void CFrame::CollectInvalidRects::stop ()
{
	if (std::exchange (active, false))
	{
		frame->pImpl->collectInvalidRects = previous;
		if (!nested)
			frame->pImpl->collectingThread.clear ();
	}
	for (const auto& rect : std::exchange (rects, {}))
		frame->invalidRect (rect);
}

void CFrame::onStartLocalEventLoop ()
{
	while (pImpl->collectingThread.isThisThread () && pImpl->collectInvalidRects)
		pImpl->collectInvalidRects->stop ();
}

bool CFrame::setSize (CCoord width, CCoord height)
{
	if (width == size.getWidth () && height == size.getHeight ())
		return false;
	CRect newSize (size);
	newSize.setWidth (width).setHeight (height);
	if (auto editor = getEditor (); editor && !editor->beforeSizeChange (newSize, size))
		return false;
	if (auto platformFrame = pImpl->getPlatformFrame ())
		platformFrame->setSize (newSize);
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

// Runs one platform event under the drawing lock, collecting what it
// invalidates; the work queued meanwhile runs after the lock is given back,
// so that a modal session started there does not keep other threads' edits
// waiting.
template <typename Handle>
auto CFrame::processEvent (Handle&& handle)
{
	std::optional<SpinLock::Hold> dispatching;
	dispatching.emplace (drawingLockHolds (), SpinLock::HoldKind::event);
	Impl::EventProcessing processing (*pImpl);
	auto result = [&] {
		CollectInvalidRects collect (this);
		return handle ();
	}();
	dispatching.reset ();
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
	auto views = pImpl->replaceMouseViews ({});
	if (callMouseExit)
		pImpl->sendMouseExited (this, views, {}, where, buttons);
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
		chain.push_back ({hit, where - local});
		container = hit->asViewContainer ();
		if (!container)
			break;
		local = local - container->getViewSize ().getTopLeft ();
		hit = container->getViewAt (local);
	}

	auto previous = pImpl->replaceMouseViews (chain);
	pImpl->sendMouseExited (this, previous, chain, where, buttons);
	for (auto& entry : chain)
	{
		if (contains (previous, entry.view))
			continue;
		CPoint viewWhere = where - entry.origin;
		entry.view->onMouseEntered (viewWhere, buttons);
		pImpl->mouseObservers.forEach ([&] (IMouseObserver* o) { o->onMouseEntered (entry.view, this); });
	}
}

bool CFrame::isMouseView (const CView* view) const
{
	std::lock_guard<std::mutex> guard (pImpl->mouseViewsMutex);
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
	{
		std::lock_guard<std::mutex> guard (pImpl->mouseViewsMutex);
		auto& mouseViews = pImpl->mouseViews;
		mouseViews.erase (std::remove_if (mouseViews.begin (), mouseViews.end (),
		                                  [view] (const auto& entry) { return entry.view == view; }),
		                  mouseViews.end ());
	}
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
	SpinLock::Hold dispatching (drawingLockHolds (), SpinLock::HoldKind::event);
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
	SpinLock::Hold dispatching (drawingLockHolds (), SpinLock::HoldKind::event);
	const auto result = CViewContainer::onMouseUp (where, buttons);
	checkMouseViews (where, buttons);
	return result;
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	SpinLock::Hold dispatching (drawingLockHolds (), SpinLock::HoldKind::event);
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
	SpinLock::Hold dispatching (drawingLockHolds (), SpinLock::HoldKind::event);
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
	return processEvent ([&] {
		auto result = click == Click::down ? onMouseDown (where, buttons) : onMouseUp (where, buttons);
		if (auto editor = getEditor (); editor && !isMouseEventHandled (result))
			result = click == Click::down ? editor->onUnhandledMouseDown (where, buttons)
			                              : editor->onUnhandledMouseUp (where, buttons);
		return result;
	});
}

CMouseEventResult CFrame::platformOnMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return kMouseEventNotHandled;
	return processEvent ([&] { return onMouseMoved (where, buttons); });
}

bool CFrame::platformOnMouseWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                                   const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return false;
	return processEvent ([&] { return onWheel (where, axis, distance, buttons); });
}

// Never waits: the mouse views have a lock of their own. When no other
// thread holds the drawing lock the views hear of the exit under it too.
CMouseEventResult CFrame::platformOnMouseExited (CPoint& where, const CButtonState& buttons)
{
	SpinLock::Hold ifFree (drawingLockHolds (), SpinLock::HoldKind::ifFree);
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

// Nothing in this build depends on the window's activation.
void CFrame::platformOnActivate (bool) {}

void CFrame::platformOnWindowActivate (bool) {}

// Passed down the tree as one platform event: no edit of another thread
// changes a child list under the walk, and what the views invalidate reaches
// the platform view once they are done.
void CFrame::platformScaleFactorChanged (double newScaleFactor)
{
	processEvent ([&] {
		onScaleFactorChanged (newScaleFactor);
		return true;
	});
}

} // VSTGUI
