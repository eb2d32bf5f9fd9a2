// A view that holds child views.
#pragma once

#include "cview.h"

#include <vector>

namespace VSTGUI {

// The container's mouse-down view: the child that took the current click and
// receives its moved and up events. Stored as a view attribute (a CView*).
constexpr CViewAttributeID kCViewContainerMouseDownViewAttribute = 0x7663'6d64; // 'vcmd'

class CViewContainer : public CView
{
public:
	using ViewList = std::vector<SharedPointer<CView>>;

	explicit CViewContainer (const CRect& size);
	// A copy starts without children.
	CViewContainer (const CViewContainer& other);
	~CViewContainer () noexcept override;

	CViewContainer* asViewContainer () override { return this; }

	// The child list, in drawing order. Each entry holds a counted reference
	// of its own. The container owns its children: addView's caller hands
	// over one reference (normally the one it made the view with), and a
	// removal with the release flag gives it up, besides the entry's.
	//
	// May run on any thread. On a frame they wait for the frame's drawing
	// lock and take it: addView while the entry goes in, the removals for the
	// whole removal, callbacks, notices and release included. Code that runs
	// inside a draw or inside a removal must not edit views of the same frame;
	// if it does, the nested edit is reported to the assertion handler and
	// goes on under the outer hold.
	virtual bool addView (CView* view, CView* before = nullptr);
	virtual bool removeView (CView* view, bool withForget = true);
	virtual bool removeAll (bool withForget = true);
	// Moves a child to another place in the list. Takes no lock: main thread.
	virtual bool changeViewZOrder (CView* view, uint32_t newIndex);

	const ViewList& getChildren () const { return children; }
	uint32_t getNbViews () const { return static_cast<uint32_t> (children.size ()); }
	bool isChild (const CView* view) const;

	// The topmost visible, mouse-enabled child under a point given in the
	// children's coordinates, or null.
	CView* getViewAt (const CPoint& localWhere) const
	{
		size_t index = children.size ();
		return mouseTargetAt (localWhere, index);
	}

	CView* getMouseDownView () const;
	void setMouseDownView (CView* view);

	// The point of the background bitmap that lands at the container's
	// top-left corner, in the bitmap's size; (0, 0) by default.
	void setBackgroundOffset (const CPoint& offset) { backgroundOffset = offset; }
	const CPoint& getBackgroundOffset () const { return backgroundOffset; }

	void registerViewContainerListener (IViewContainerListener* listener) { containerListeners.add (listener); }
	void unregisterViewContainerListener (IViewContainerListener* listener) { containerListeners.remove (listener); }

	// CView
	bool attached (CViewContainer* parent) override;
	bool removed (CViewContainer* parent) override;
	// Draws the background, then each visible child that meets the rectangle.
	void drawRect (CDrawContext* context, const CRect& updateRect) override;
	// Passes the new scale factor on to each child.
	void onScaleFactorChanged (double newScaleFactor) override;
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

	// ReferenceCounted: empties the container, releasing each child.
	void beforeDelete () override;

protected:
	// The background under the children: the background bitmap, if any,
	// over the container's rectangle, clipped to `updateRect` (both in the
	// parent's coordinates).
	virtual void drawBackgroundRect (CDrawContext* context, const CRect& updateRect);

	// A point of the parent's coordinates in the children's.
	CPoint toLocal (const CPoint& where) const { return where - size.getTopLeft (); }
	// Offers a click to one child; a child that takes it becomes the
	// mouse-down view.
	CMouseEventResult mouseDownOnChild (CView* child, const CPoint& localWhere, const CButtonState& buttons);
	// The topmost visible, mouse-enabled child under a point of the
	// children's coordinates, searching below `belowIndex`.
	CView* mouseTargetAt (const CPoint& localWhere, size_t& belowIndex) const;

private:
	template <typename Handle>
	CMouseEventResult toMouseDownView (Handle&& handle);
	void insertChild (CView* view, CView* before);
	// Takes a view's entry out of the list; false when it is not there.
	bool unlinkChild (CView* view);
	SharedPointer<CView> firstChild () const;

	ViewList children;
	DispatchList<IViewContainerListener> containerListeners;
	CPoint backgroundOffset;
};

} // VSTGUI
