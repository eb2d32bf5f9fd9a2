// The root container of an editor's view tree, shown in a platform view.
#pragma once

#include "cknobmode.h"
#include "cviewcontainer.h"
#include "spinlock.h"
#include "platform/iplatformfactory.h"
#include "platform/iplatformframecallback.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace VSTGUI {

using ModalViewSessionID = uint32_t;

// Hears of every view that is attached to a frame or taken off it, on the
// thread that edits the tree (taken off: under the frame's drawing lock).
class IViewAddedRemovedObserver
{
public:
	virtual void onViewAdded (CFrame* frame, CView* view) = 0;
	virtual void onViewRemoved (CFrame* frame, CView* view) = 0;

protected:
	virtual ~IViewAddedRemovedObserver () noexcept = default;
};

// Sees the frame's mouse events before its views do.
class IMouseObserver
{
public:
	virtual void onMouseEntered (CView* view, CFrame* frame) = 0;
	virtual void onMouseExited (CView* view, CFrame* frame) = 0;
	// An answer other than "not handled" ends the event there.
	virtual CMouseEventResult onMouseMoved (CFrame*, const CPoint&, const CButtonState&)
	{
		return kMouseEventNotHandled;
	}
	virtual CMouseEventResult onMouseDown (CFrame*, const CPoint&, const CButtonState&)
	{
		return kMouseEventNotHandled;
	}

protected:
	virtual ~IMouseObserver () noexcept = default;
};

class CFrame : public CViewContainer, public IPlatformFrameCallback
{
public:
	// `editor` is kept unchanged for the frame's life and never deleted. The
	// frame is on itself (its own getFrame) from here until close.
	CFrame (const CRect& size, VSTGUIEditorInterface* editor);
	// A copy is a new frame for the same editor: closed, without children,
	// its drawing lock free whatever the original's holds.
	CFrame (const CFrame& other);
	CFrame& operator= (const CFrame&) = delete;
	~CFrame () noexcept override;

	// Shows the frame in a platform parent view, in a platform frame that
	// `factory` makes. False when there is no parent, the frame is already
	// open, or the factory makes no platform frame.
	bool open (void* systemWindow, const IPlatformFactory& factory = getPlatformFactory ());
	// Takes the tree down and gives up the reference that the frame's
	// creator holds. It waits for other threads' holds of the drawing lock
	// and keeps their edits out until the tree is down; the children go
	// without taking the lock again, as the frame is no longer on itself. A
	// thread that may still edit views of the frame meanwhile keeps a
	// reference to the frame, so that the frame outlives its wait.
	void close ();
	bool isOpen () const { return isAttached (); }

	VSTGUIEditorInterface* getEditor () const;
	// The platform frame while the frame is open, else null. Main thread.
	IPlatformFrame* getPlatformFrame () const;

	// The drawing lock, for callers outside the library. Each may run on any
	// thread. These have no owner and no count: an unlock clears the word
	// whoever set it. A wait on the thread that holds the word is reported to
	// the assertion handler and returns at once.
	bool IsGUIDrawingLocked ();
	void WaitForGUIDrawingLock ();
	void LockGUIDrawing ();
	void UnLockGUIDrawing ();
	void WaitForThenLockGUIDrawing ();

	// Holds the drawing lock of the frame that `container` is on for one
	// view-tree edit: waits until no draw, event and other edit of the frame
	// holds it, takes it, and gives it back when destroyed. Should the
	// container leave that frame while the edit waits, it holds the lock of
	// the frame the container is on then, or none. May run on any thread.
	class ViewTreeEditLock
	{
	public:
		explicit ViewTreeEditLock (const CView& container);
		~ViewTreeEditLock () noexcept = default;
		ViewTreeEditLock (const ViewTreeEditLock&) = delete;
		ViewTreeEditLock& operator= (const ViewTreeEditLock&) = delete;

	private:
		CFrame* frame;
		SpinLock::Hold hold;
	};

	// While one of these lives, the rectangles that its thread invalidates
	// are collected; they reach the platform view when it goes. Other threads'
	// invalidations go to the platform view at once.
	class CollectInvalidRects
	{
	public:
		explicit CollectInvalidRects (CFrame* frame);
		~CollectInvalidRects () noexcept;
		CollectInvalidRects (const CollectInvalidRects&) = delete;
		CollectInvalidRects& operator= (const CollectInvalidRects&) = delete;
		void addRect (const CRect& rect) { rects.push_back (rect); }
		// Ends the collection now: what it holds reaches the platform view.
		void stop ();

	private:
		CFrame* frame;
		bool nested {false};
		bool active;
		CollectInvalidRects* previous {nullptr};
		std::vector<CRect> rects;
	};

	// Marks a rectangle of the platform view for redrawing; nothing while the
	// frame is invisible or closed. Runs on the editing thread for views that
	// addView and removeView invalidate.
	void invalidRect (const CRect& rect) override;
	void invalid () override;
	// A local event loop (a modal menu) starts on this thread: the rectangles
	// that its event collected are invalidated at once, so that the loop
	// draws them.
	void onStartLocalEventLoop ();

	// Resizes the frame, keeping its left and top, after asking the editor.
	// False when the size is the same or the editor refuses.
	bool setSize (CCoord width, CCoord height);

	// The editor's knob mode, or kDefaultKnobMode when the editor has no
	// preference (or there is no editor).
	static int32_t kDefaultKnobMode;
	int32_t getKnobMode () const;
	void beginEdit (int32_t index);
	void endEdit (int32_t index);

	// Event processing: true on the thread that is handling a platform event
	// of the frame, while it does. Work queued there meanwhile runs when the
	// event is done; work queued otherwise, or on another thread, runs at once.
	bool inEventProcessing () const;
	void doAfterEventProcessing (std::function<void ()> work);

	// Modal views take all mouse input while they are shown. The frame takes
	// over the caller's reference to the view, as addView does, and ending
	// the session removes the view with the release flag. Sessions stack; the
	// legacy setModalView keeps one session of its own.
	std::optional<ModalViewSessionID> beginModalViewSession (CView* view);
	bool endModalViewSession (ModalViewSessionID sessionID);
	CView* getModalView () const;
	bool setModalView (CView* view);

	void setFocusView (CView* view);
	CView* getFocusView () const;
	void setActiveFocusView (CView* view);
	CView* getActiveFocusView () const;

	// The views under the mouse, outermost first, as the last event left them.
	// They have a lock of their own: the mouse's exit from the frame clears
	// them without waiting for the drawing lock.
	void clearMouseViews (const CPoint& where, const CButtonState& buttons, bool callMouseExit = true);
	void checkMouseViews (const CPoint& where, const CButtonState& buttons);
	bool isMouseView (const CView* view) const;

	void registerMouseObserver (IMouseObserver* observer);
	void unregisterMouseObserver (IMouseObserver* observer);
	void registerViewAddedRemovedObserver (IViewAddedRemovedObserver* observer);
	void unregisterViewAddedRemovedObserver (IViewAddedRemovedObserver* observer);
	// From CView::attached and CView::removed of every view on the frame.
	void onViewAdded (CView* view);
	void onViewRemoved (CView* view);

	// The frame's mouse handlers. Each holds the drawing lock while it
	// dispatches, after the holds of other threads have ended, so no edit of
	// another thread runs beside it; the views that handle the event may edit
	// the tree themselves.
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

	// CViewContainer
	bool removeView (CView* view, bool withForget = true) override;
	// Ends the modal sessions, drops focus, active focus and mouse views, and
	// then removes the children.
	bool removeAll (bool withForget = true) override;
	void drawRect (CDrawContext* context, const CRect& updateRect) override;

	// IPlatformFrameCallback: called by the platform frame on the main thread.
	// A draw holds the drawing lock for each rectangle; the mouse entries hold
	// it for the dispatch and the editor's answer; the exit never waits.
	bool platformDrawRect (CDrawContext* context, const CRect& rect) override;
	CMouseEventResult platformOnMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult platformOnMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult platformOnMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult platformOnMouseExited (CPoint& where, const CButtonState& buttons) override;
	bool platformOnMouseWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                           const CButtonState& buttons) override;
	DragOperation platformOnDragEnter (DragEventData data) override;
	DragOperation platformOnDragMove (DragEventData data) override;
	void platformOnDragLeave (DragEventData data) override;
	bool platformOnDrop (DragEventData data) override;
	bool platformOnKeyDown (VstKeyCode& keyCode) override;
	bool platformOnKeyUp (VstKeyCode& keyCode) override;
	void platformOnActivate (bool state) override;
	void platformOnWindowActivate (bool state) override;
	void platformOnDeminiaturize () override;
	void platformScaleFactorChanged (double newScaleFactor) override;

protected:
	struct Impl;

	int32_t guiDrawingLock;
	Impl* pImpl;

private:
	SpinLock::Holds* drawingLockHolds () const;
	void endLegacyModalViewSession ();
	enum class Click
	{
		down,
		up
	};
	CMouseEventResult platformOnClick (Click click, CPoint& where, const CButtonState& buttons);
	template <typename Handle>
	auto processEvent (Handle&& handle);
};

} // VSTGUI
