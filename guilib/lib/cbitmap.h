// A bitmap as views use it: a size in points and one platform bitmap per
// scale factor, all showing the same image.
#pragma once

#include "cpoint.h"
#include "crect.h"
#include "platform/iplatformbitmap.h"
#include "vstguibase.h"

#include <vector>

namespace VSTGUI {

class CBitmap : public ReferenceCounted
{
public:
	// One platform bitmap of width by height pixels at scale factor 1.
	CBitmap (CCoord width, CCoord height);
	// One platform bitmap of `size` points at `scaleFactor` pixels a point.
	CBitmap (CPoint size, double scaleFactor);
	// Holds a reference to `platformBitmap`; null gives a bitmap without one.
	explicit CBitmap (IPlatformBitmap* platformBitmap);
	~CBitmap () noexcept override;

	// Draws through the context's drawBitmap: `offset`, in this bitmap's
	// size, lands at the rectangle's top-left corner.
	virtual void draw (CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint (0, 0),
	                   float alpha = 1.f);

	// The size in points of the first platform bitmap, 0 without one. A frame
	// grid on it with a scale other than 1 gives the scaled size, rounded down
	// to whole frames.
	virtual CCoord getWidth () const;
	virtual CCoord getHeight () const;
	CPoint getSize () const { return CPoint (getWidth (), getHeight ()); }

	// The first platform bitmap, whose size and grid the bitmap reports.
	IPlatformBitmap* getPlatformBitmap () const;
	// Adds a platform bitmap for another scale factor. Its pixel size divided
	// by its factor must equal getSize (); otherwise, or when that factor is
	// there already, it is refused.
	bool addBitmap (IPlatformBitmap* platformBitmap);
	// The platform bitmap of exactly that factor, else the nearest one (the
	// larger of two equally near), or null when there is none.
	IPlatformBitmap* getBestPlatformBitmapForScaleFactor (double scaleFactor) const;

protected:
	std::vector<SharedPointer<IPlatformBitmap>> bitmaps;
};

} // VSTGUI
