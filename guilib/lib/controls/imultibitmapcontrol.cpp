#include "imultibitmapcontrol.h"

namespace VSTGUI {

int32_t IMultiBitmapControl::countFrames (const CBitmap* bitmap, CCoord heightOfOneImage)
{
	if (!bitmap || !(heightOfOneImage > 0.))
		return 0;
	const double frames = bitmap->getHeight () / heightOfOneImage;
	return frames < 1. ? 0 : frames >= INT32_MAX ? INT32_MAX : static_cast<int32_t> (frames);
}

int32_t IMultiBitmapControl::frameIndexFor (float normalized) const
{
	const int32_t last = subPixmaps - 1;
	const double index = static_cast<double> (normalized) * last + 0.5;
	if (last <= 0 || !(index >= 1.))
		return 0;
	return index >= last ? last : static_cast<int32_t> (index);
}

void IMultiBitmapControl::drawFrame (CDrawContext* context, CBitmap* strip, const CRect& rect, const CPoint& offset,
                                     float normalized) const
{
	if (!strip)
		return;
	const CPoint frameOffset (offset.x, offset.y + frameIndexFor (normalized) * heightOfOneImage);
	strip->draw (context, rect, frameOffset);
}

} // VSTGUI
