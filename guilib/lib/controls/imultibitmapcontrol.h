// Controls that show their value as one frame of a strip: equal frames
// stacked from top to bottom in one bitmap, the first for the minimum and the
// last for the maximum.
#pragma once

#include "../cbitmap.h"

#include <cstdint>

namespace VSTGUI {

class IMultiBitmapControl
{
public:
	virtual void setHeightOfOneImage (const CCoord& height) { heightOfOneImage = height; }
	CCoord getHeightOfOneImage () const { return heightOfOneImage; }
	virtual void setNumSubPixmaps (int32_t count) { subPixmaps = count; }
	int32_t getNumSubPixmaps () const { return subPixmaps; }

	// How many whole frames of `heightOfOneImage` the bitmap's height holds,
	// as the bitmap reports it (a frame grid's scaled height included).
	static int32_t countFrames (const CBitmap* bitmap, CCoord heightOfOneImage);

protected:
	IMultiBitmapControl (CCoord heightOfOneImage, int32_t subPixmaps)
	: heightOfOneImage (heightOfOneImage), subPixmaps (subPixmaps)
	{
	}
	virtual ~IMultiBitmapControl () noexcept = default;

	// The frame that shows a normalized value: the nearest of the frames
	// spread evenly over the range.
	int32_t frameIndexFor (float normalized) const;
	// Draws that frame of `strip` into `rect`; `offset` is where the strip's
	// first frame starts in the bitmap.
	void drawFrame (CDrawContext* context, CBitmap* strip, const CRect& rect, const CPoint& offset,
	                float normalized) const;

	CCoord heightOfOneImage;
	int32_t subPixmaps;
};

} // VSTGUI
