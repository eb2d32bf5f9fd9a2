#include "cbitmap.h"

#include "cdrawcontext.h"
#include "framegridextent.h"
#include "vstguidebug.h"

#include <cmath>

namespace VSTGUI {
namespace {

using FrameCount = uint32_t (IPlatformBitmap::*) () const;

// `pixels` of the platform bitmap in points. Under a frame grid whose scale
// is not 1, the pixels are scaled and rounded down to whole frames first,
// unless that rounding leaves nothing. A negative scaled size wraps modulo
// 2^32 and a NaN one gives 0.
CCoord extentInPoints (const IPlatformBitmap& platformBitmap, double pixels, FrameCount frameCount)
{
	if (!platformBitmap.isFrameGridSet ())
		return pixels / platformBitmap.getScaleFactor ();
	const double gridScale = platformBitmap.getFrameGridScale ();
	if (gridScale == 1.)
		return pixels / platformBitmap.getScaleFactor ();

	const uint32_t frames = (platformBitmap.*frameCount) ();
	const uint32_t scaled = frameGridExtent (gridScale * pixels, frames).wholeFrames (frames);
	return static_cast<double> (scaled) / platformBitmap.getScaleFactor ();
}

} // namespace

CBitmap::CBitmap (CCoord width, CCoord height)
{
	CPoint size (width, height);
	if (auto platformBitmap = IPlatformBitmap::create (&size))
		bitmaps.push_back (platformBitmap);
}

CBitmap::CBitmap (CPoint size, double scaleFactor)
{
	CPoint pixels (size.x * scaleFactor, size.y * scaleFactor);
	if (auto platformBitmap = IPlatformBitmap::create (&pixels))
	{
		platformBitmap->setScaleFactor (scaleFactor);
		bitmaps.push_back (platformBitmap);
	}
}

CBitmap::CBitmap (IPlatformBitmap* platformBitmap)
{
	if (platformBitmap)
		bitmaps.emplace_back (platformBitmap);
}

CBitmap::~CBitmap () noexcept = default;

void CBitmap::draw (CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
	if (context)
		context->drawBitmap (this, rect, offset, alpha);
}

CCoord CBitmap::getWidth () const
{
	SharedPointer<IPlatformBitmap> first (getPlatformBitmap ());
	return first ? extentInPoints (*first, first->getSize ().x, &IPlatformBitmap::getFrameGridColumns) : 0.;
}

CCoord CBitmap::getHeight () const
{
	SharedPointer<IPlatformBitmap> first (getPlatformBitmap ());
	return first ? extentInPoints (*first, first->getSize ().y, &IPlatformBitmap::getFrameGridRows) : 0.;
}

IPlatformBitmap* CBitmap::getPlatformBitmap () const
{
	return bitmaps.empty () ? nullptr : bitmaps.front ().get ();
}

bool CBitmap::addBitmap (IPlatformBitmap* platformBitmap)
{
	if (!platformBitmap)
	{
		vstgui_assert (false, "arguments are required");
		return false;
	}
	const double factor = platformBitmap->getScaleFactor ();
	for (const auto& existing : bitmaps)
	{
		if (existing->getScaleFactor () == factor)
			return false;
	}
	if (!bitmaps.empty ())
	{
		const CPoint& pixels = platformBitmap->getSize ();
		if (pixels.x / factor != getWidth () || pixels.y / factor != getHeight ())
		{
			vstgui_assert (false, "wrong bitmap size");
			return false;
		}
	}
	bitmaps.emplace_back (platformBitmap);
	return true;
}

IPlatformBitmap* CBitmap::getBestPlatformBitmapForScaleFactor (double scaleFactor) const
{
	IPlatformBitmap* best = nullptr;
	double bestDistance = 0.;
	for (const auto& candidate : bitmaps)
	{
		const double factor = candidate->getScaleFactor ();
		if (factor == scaleFactor)
			return candidate.get ();
		const double distance = std::abs (factor - scaleFactor);
		if (!best || distance < bestDistance || (distance == bestDistance && factor > best->getScaleFactor ()))
		{
			best = candidate.get ();
			bestDistance = distance;
		}
	}
	return best;
}

} // VSTGUI
