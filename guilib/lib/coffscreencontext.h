// A draw context whose surface is a bitmap of its own, made by the platform
// frame: views draw into it, and the bitmap is then drawn like any other.
#pragma once

#include "cbitmap.h"
#include "cdrawcontext.h"

namespace VSTGUI {

class COffscreenContext : public CDrawContext
{
public:
	// A context over a new bitmap of `width` x `height` units at
	// `scaleFactor` pixels a unit, made by the platform frame of `frame`.
	// None when a side is below 1 unit (or NaN), when there is no frame or
	// the frame is not open, or when the platform frame makes none.
	static SharedPointer<COffscreenContext> create (CFrame* frame, CCoord width, CCoord height,
	                                                double scaleFactor = 1.);

	// The bitmap that the context draws into; call endDraw before drawing it.
	CBitmap* getBitmap () const { return bitmap; }

protected:
	explicit COffscreenContext (const CRect& surfaceRect) : CDrawContext (surfaceRect) {}

	SharedPointer<CBitmap> bitmap;
};

} // VSTGUI
