// The macOS drawing context: draws through a Core Graphics context.
//
// Bitmaps are always drawn without antialiasing and with nearest-neighbour
// sampling, at whole-number sizes and offsets; a bitmap whose first platform
// bitmap carries a frame grid with a scale other than 1 shows exactly one
// frame of the scaled sheet.
#pragma once

#include "../../coffscreencontext.h"

#include <CoreGraphics/CoreGraphics.h>

namespace VSTGUI {

class CGBitmap;

// Also the platform's offscreen context, when made over a bitmap.
class CGDrawContext : public COffscreenContext
{
public:
	// Draws into `cgContext` (retained), whose user space has one unit per
	// point and follows Core Graphics' own convention: y grows upwards from
	// the bottom-left corner of `surfaceRect`. The draw context's own
	// coordinates grow downwards from surfaceRect's top-left corner. The
	// context's graphics state is restored when the draw context goes.
	CGDrawContext (CGContextRef cgContext, const CRect& surfaceRect);
	// Draws into the pixels of `bitmap`, which it keeps (as getBitmap) at the
	// bitmap's scale factor: the surface is the bitmap's size in units, from
	// (0, 0). Without pixels, or with a scale factor that is not above 0, it
	// has no Core Graphics context and draws nothing.
	explicit CGDrawContext (CGBitmap* bitmap);
	~CGDrawContext () noexcept override;

	// Makes what was drawn into the bitmap show where the bitmap is drawn.
	void endDraw () override;

	void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                 float alpha = 1.f) override;
	void fillRectWithBitmap (CBitmap* bitmap, const CRect& srcRect, const CRect& dstRect, float alpha) override;

	// Saves the graphics state, clips to the draw state's clip and applies the
	// current transform, in a space where view y becomes -y (y grows
	// upwards, as images want it) or, with swapYAxis, in view coordinates.
	// integralOffset aligns the clip and the transform's offset to device
	// pixels. Null without a context or with an empty clip; otherwise pair it
	// with releaseCGContext.
	CGContextRef beginCGContext (bool swapYAxis, bool integralOffset);
	void releaseCGContext (CGContextRef context);
	CGContextRef getCGContext () const { return cgContext; }

	// Rounded to whole device pixels (halves away from zero), in user space.
	CGPoint pixelAlligned (const CGPoint& point) const;
	// Both corners rounded so.
	CGRect pixelAlligned (const CGRect& rect) const;

	// Antialiasing off and nearest-neighbour sampling, whatever the draw
	// state's bitmap interpolation quality.
	static void setCGDrawContextQuality (CGContextRef context);

	// Draws `image`, the image of one platform bitmap of `bitmap` at scale
	// factor `bitmapScaleFactor`, into `rect` with `offset` at its top-left
	// corner. Sizes, offsets and a frame grid come from bitmap's first
	// platform bitmap; `layer` is not used. The clip's corner is aligned to
	// device pixels, and where that moves it by half a pixel the image moves
	// with it; otherwise, where the clip covers a fraction of device pixels,
	// its far edges stay inside the part of the image it shows. So no device
	// pixel in the clip samples a neighbouring frame. Leaves quality, alpha,
	// scale and clip in the graphics state:
	// callers save and restore it around the call.
	// Allocates nothing and creates no Core Graphics object.
	void drawCGImageRef (CGContextRef context, CGImageRef image, CGLayerRef layer, double bitmapScaleFactor,
	                     const CRect& rect, const CPoint& offset, float alpha, CBitmap* bitmap);

private:
	// Saves the graphics state and puts the surface's top-left corner at the
	// origin of the draw context's coordinates.
	void beginSurface ();

	CGContextRef cgContext;
};

// The offscreen context of a platform frame: a CGDrawContext over a new
// CGBitmap of `width` x `height` units at `scaleFactor` pixels a unit, each
// side rounded up to whole pixels. Null when that gives no pixels or no
// bitmap context.
SharedPointer<COffscreenContext> createCGOffscreenContext (CCoord width, CCoord height, double scaleFactor);

} // VSTGUI
