// The base of everything that appears in a frame: a rectangle in its parent's
// coordinates, a parent container and the frame it is shown in.
#pragma once

#include "cbuttonstate.h"
#include "cgraphicstransform.h"
#include "cmousewheelaxis.h"
#include "dispatchlist.h"
#include "iviewlistener.h"
#include "vstguibase.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace VSTGUI {

using CViewAttributeID = uint32_t;

// Messages that views send through notify, told apart by their address.
using IdStringPtr = const char*;
enum CMessageResult
{
	kMessageUnknown = 0,
	kMessageNotified = 1
};
// Sent by a view to itself when setViewSize changes its size.
extern const IdStringPtr kMsgViewSizeChanged;

class CView : public ReferenceCounted
{
public:
	explicit CView (const CRect& size);
	// A copy starts outside any container, with the original's geometry,
	// states and attributes.
	CView (const CView& other);
	~CView () noexcept override;

	// The view's rectangle in its parent's coordinates.
	const CRect& getViewSize () const { return size; }
	// Sends kMsgViewSizeChanged when the size changes.
	virtual void setViewSize (const CRect& rect, bool invalid = true);

	// A message from `sender`; kMessageUnknown when the view has no use for it.
	virtual CMessageResult notify (CView* sender, IdStringPtr message);

	// The frame the view is shown in: set by attached, cleared by removed.
	// Both may be asked on any thread: an edit on another thread reads the
	// frame to find the lock that it has to take.
	CFrame* getFrame () const { return pFrame.load (std::memory_order_acquire); }
	CViewContainer* getParentView () const { return pParentView.load (std::memory_order_acquire); }
	// The editor of the view's frame, or null when the view has no frame.
	VSTGUIEditorInterface* getEditor () const;
	virtual CViewContainer* asViewContainer () { return nullptr; }

	// Attachment to a frame, through the parent container. Each answers false
	// when the view already is (or is not) attached. Run on the thread that
	// edits the tree; removed under the frame's drawing lock.
	virtual bool attached (CViewContainer* parent);
	virtual bool removed (CViewContainer* parent);
	bool isAttached () const { return flagAttached.load (std::memory_order_relaxed); }

	// Set while the view is in a container's child list.
	void setSubviewState (bool state) { flagSubview.store (state, std::memory_order_relaxed); }
	bool isSubview () const { return flagSubview.load (std::memory_order_relaxed); }

	// Drawing. The states below may change on an editing thread while the
	// main thread draws, so each is an atomic of its own.
	virtual void draw (CDrawContext* context);
	virtual void drawRect (CDrawContext* context, const CRect& updateRect);
	virtual void setDirty (bool state = true) { flagDirty.store (state, std::memory_order_relaxed); }
	virtual bool isDirty () const { return flagDirty.load (std::memory_order_relaxed); }
	virtual void setVisible (bool state) { flagVisible.store (state, std::memory_order_relaxed); }
	bool isVisible () const { return flagVisible.load (std::memory_order_relaxed); }

	// The bitmap that a container draws under its children. The view holds a
	// reference to it; setting another releases the previous one. Draws read
	// it: set it on the main thread or under the frame's drawing lock.
	virtual void setBackground (CBitmap* background);
	CBitmap* getBackground () const { return pBackground; }

	// The frame's platform view now has `newScaleFactor` device pixels a
	// point. Main thread.
	virtual void onScaleFactorChanged (double newScaleFactor);

	// Marks the whole view for redrawing and clears its dirty flag. Runs on
	// the editing thread for views that addView and removeView invalidate.
	virtual void invalid ();
	// Marks a rectangle (in the view's own coordinates, those of its view
	// size) for redrawing, through the parents up to the frame.
	virtual void invalidRect (const CRect& rect);

	// The transform from the view's coordinates to those of the frame's
	// platform view.
	CGraphicsTransform getGlobalTransform () const;

	// Mouse input. Points are in the view's coordinates.
	virtual void setMouseEnabled (bool state) { flagMouseEnabled.store (state, std::memory_order_relaxed); }
	bool getMouseEnabled () const { return flagMouseEnabled.load (std::memory_order_relaxed); }
	virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseCancel ();
	virtual CMouseEventResult onMouseEntered (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons);
	virtual bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                      const CButtonState& buttons);

	// Keyboard focus, given and taken by the frame.
	virtual void takeFocus () {}
	virtual void looseFocus () {}

	// Attributes: blocks of bytes stored under an id.
	bool setAttribute (CViewAttributeID id, uint32_t byteSize, const void* data);
	bool getAttributeSize (CViewAttributeID id, uint32_t& byteSize) const;
	bool getAttribute (CViewAttributeID id, uint32_t byteSize, void* data, uint32_t& outSize) const;
	bool removeAttribute (CViewAttributeID id);

	void registerViewListener (IViewListener* listener) { viewListeners.add (listener); }
	void unregisterViewListener (IViewListener* listener) { viewListeners.remove (listener); }

protected:
	CRect size;
	std::atomic<CFrame*> pFrame {nullptr};
	std::atomic<CViewContainer*> pParentView {nullptr};
	SharedPointer<CBitmap> pBackground;

	void setAttached (bool state) { flagAttached.store (state, std::memory_order_relaxed); }
	void setDirtyFlag (bool state) { flagDirty.store (state, std::memory_order_relaxed); }

private:
	struct Attribute
	{
		CViewAttributeID id;
		std::vector<uint8_t> data;
	};
	const Attribute* findAttribute (CViewAttributeID id) const;

	std::atomic<bool> flagAttached {false};
	std::atomic<bool> flagSubview {false};
	std::atomic<bool> flagDirty {false};
	std::atomic<bool> flagVisible {true};
	std::atomic<bool> flagMouseEnabled {true};
	std::vector<Attribute> attributes;
	DispatchList<IViewListener> viewListeners;
};

} // VSTGUI
