// The platform-independent part of a drawing context: the draw state (clip,
// global alpha, bitmap interpolation quality), a stack of transforms and the
// scale factor of the surface. Platform contexts derive from it and do the
// drawing.
#pragma once

#include "cgraphicstransform.h"
#include "vstguibase.h"

#include <vector>

namespace VSTGUI {

enum class BitmapInterpolationQuality
{
	kDefault = 0,
	kLow,
	kMedium,
	kHigh
};

class CDrawContext : public ReferenceCounted
{
public:
	// An RAII step of the transform stack: concatenates `transform` to the
	// current one for the life of the object.
	class Transform
	{
	public:
		Transform (CDrawContext& context, const CGraphicsTransform& transform);
		~Transform () noexcept;
		Transform (const Transform&) = delete;
		Transform& operator= (const Transform&) = delete;

	private:
		CDrawContext& context;
		bool pushed;
	};

	~CDrawContext () noexcept override;

	const CRect& getSurfaceRect () const { return surfaceRect; }

	// Bracket a pass of drawing into the context's surface; endDraw makes what
	// was drawn visible to those who read the surface (an offscreen bitmap).
	virtual void beginDraw () {}
	virtual void endDraw () {}

	// Device pixels per unit of the surface.
	double getScaleFactor () const { return scaleFactor; }
	virtual void setScaleFactor (double factor) { scaleFactor = factor; }

	// The transform from the current view's coordinates to the surface's.
	const CGraphicsTransform& getCurrentTransform () const { return transformStack.back (); }
	void pushTransform (const CGraphicsTransform& transform);
	// A pop without a push goes to the assertion handler and changes nothing.
	void popTransform ();

	// The clip, in the current view's coordinates.
	CRect& getClipRect (CRect& clip) const;
	virtual void setClipRect (const CRect& clip);
	void resetClipRect ();

	float getGlobalAlpha () const { return currentState.globalAlpha; }
	virtual void setGlobalAlpha (float alpha) { currentState.globalAlpha = alpha; }

	BitmapInterpolationQuality getBitmapInterpolationQuality () const { return currentState.bitmapQuality; }
	void setBitmapInterpolationQuality (BitmapInterpolationQuality quality) { currentState.bitmapQuality = quality; }

	// Saves and restores the draw state (clip, alpha, quality), as a stack. A
	// restore without a save goes to the assertion handler and changes nothing.
	virtual void saveGlobalState ();
	virtual void restoreGlobalState ();

	// Draws `bitmap` into `dest`, in the current view's coordinates: the
	// bitmap's point `offset` (in the bitmap's size) lands at dest's top-left
	// corner.
	virtual void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                         float alpha = 1.f) = 0;
	// Covers `dstRect` with copies of the bitmap's `srcRect`, row by row from
	// dstRect's top-left corner, each cut at dstRect's right and bottom edges
	// and drawn by one drawBitmap call.
	virtual void fillRectWithBitmap (CBitmap* bitmap, const CRect& srcRect, const CRect& dstRect, float alpha);

protected:
	explicit CDrawContext (const CRect& surfaceRect);

	struct State
	{
		CRect clipRect;
		float globalAlpha {1.f};
		BitmapInterpolationQuality bitmapQuality {BitmapInterpolationQuality::kDefault};
	};

	const State& getCurrentState () const { return currentState; }

private:
	CRect surfaceRect;
	double scaleFactor {1.};
	State currentState;
	std::vector<State> stateStack;
	std::vector<CGraphicsTransform> transformStack {CGraphicsTransform ()};
};

} // VSTGUI
