#include "cgdrawcontext.h"

#include "../../cbitmap.h"
#include "../../framegridextent.h"
#include "../../uint32conversion.h"
#include "../../wholenumbers.h"
#include "cgbitmap.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {
namespace {

// The whole-number geometry of one image draw: the size the whole image is
// drawn at, the size of the clip, and how far the image moves left and up.
struct ImageGeometry
{
	uint32_t imageWidth, imageHeight;
	uint32_t clipWidth, clipHeight;
	uint32_t offsetX, offsetY;
};

struct GridAxis
{
	uint32_t image, clip, offset;
};

// An inverted rectangle clips everything away.
uint32_t clipExtent (double extent)
{
	return extent > 0. ? truncateToUInt32 (extent) : 0;
}

ImageGeometry plainGeometry (const CBitmap& bitmap, const CRect& rect, const CPoint& offset)
{
	const uint32_t width = truncateToUInt32 (bitmap.getWidth ());
	const uint32_t height = truncateToUInt32 (bitmap.getHeight ());
	return {width, height, clipExtent (rect.getWidth ()), clipExtent (rect.getHeight ()),
	        truncateToUInt32 (offset.x), truncateToUInt32 (offset.y)};
}

// One axis of a frame grid: the sheet is `pixels` scaled by `gridScale`,
// cut into `frameCount` frames, and the clip is the frame that `offset` (in
// the bitmap's reported extent) lies in, an offset less than a grid pixel
// short of a frame selecting that frame. With fewer than two frames, or
// frames smaller than a pixel, the clip is the whole sheet and the offset is
// the plain one. A scale of 0, below 0 or NaN shows nothing.
GridAxis gridAxis (uint32_t pixels, double gridScale, uint32_t frameCount, double offset, double reportedExtent,
                   uint32_t plainOffset)
{
	const auto extent = frameGridExtent (gridScale > 0. ? pixels * gridScale : 0., frameCount);
	if (extent.frame == 0)
		return {extent.sheet, extent.sheet, plainOffset};
	const uint32_t image = extent.wholeFrames (frameCount);
	const uint32_t start = truncateToUInt32 (ceilWhole (offset * image / reportedExtent));
	return {image, extent.frame, start - start % extent.frame};
}

// The rectangle's size plays no part: the clip is one frame.
ImageGeometry gridGeometry (const CBitmap& bitmap, const IPlatformBitmap& first, double gridScale,
                            const CPoint& offset)
{
	const CPoint& pixels = first.getSize ();
	auto columns = gridAxis (truncateToUInt32 (pixels.x), gridScale, first.getFrameGridColumns (), offset.x,
	                         bitmap.getWidth (), truncateToUInt32 (offset.x));
	auto rows = gridAxis (truncateToUInt32 (pixels.y), gridScale, first.getFrameGridRows (), offset.y,
	                      bitmap.getHeight (), truncateToUInt32 (offset.y));
	return {columns.image, rows.image, columns.clip, rows.clip, columns.offset, rows.offset};
}

// A device pixel's centre lies half a pixel from the pixel grid; an edge
// nearer to a centre than rasterizers resolve counts as on it.
constexpr double kOnPixelCentre = 1. / 256.;

bool isHalfAPixel (double move)
{
	return std::abs (std::abs (move) - 0.5) < kOnPixelCentre;
}

CGPoint farCorner (const CGRect& rect)
{
	return CGPointMake (rect.origin.x + rect.size.width, rect.origin.y + rect.size.height);
}

// The whole device coordinate up to which, going from `near` towards
// `partEdge`, every device pixel has its centre inside the part, clear of
// its edge by more than rasterizers resolve.
double lastWholeEdgeInside (double near, double partEdge)
{
	return partEdge > near ? ceilWhole (partEdge - 0.5 - kOnPixelCentre) : floorWhole (partEdge + 0.5 + kOnPixelCentre);
}

// `far` moved back towards `near` to `inside`, if that is nearer.
double pulledBack (double near, double far, double inside)
{
	return far > near ? std::min (far, inside) : std::max (far, inside);
}

// The aligned clip keeps its size, so its far edges may lie past the part's
// far edges by as much as the origin moved. Where the clip's size in device
// pixels is whole, no pixel centre lies in between; at device scales that
// make it a fraction, one can, and that pixel would show the neighbouring
// row or column. Such an edge comes back to the last whole pixel inside the
// part. Only for transforms that keep the axes.
void keepInsidePart (CGContextRef deviceSpace, CGRect& clip, CGPoint partFar)
{
	const auto ctm = CGContextGetCTM (deviceSpace);
	if (ctm.b != 0. || ctm.c != 0.)
		return;
	const auto near = CGContextConvertPointToDeviceSpace (deviceSpace, clip.origin);
	const auto far = CGContextConvertPointToDeviceSpace (deviceSpace, farCorner (clip));
	const auto kept = CGPointMake (pulledBack (near.x, far.x, lastWholeEdgeInside (near.x, partFar.x)),
	                               pulledBack (near.y, far.y, lastWholeEdgeInside (near.y, partFar.y)));
	if (kept.x == far.x && kept.y == far.y)
		return;
	const auto keptInUserSpace = CGContextConvertPointToUserSpace (deviceSpace, kept);
	clip.size = CGSizeMake (keptInUserSpace.x - clip.origin.x, keptInUserSpace.y - clip.origin.y);
}

// Rounds the clip's origin to device pixels, halves away from zero. The clip
// was the part of the image that it shows. Where rounding moves the origin by
// half a device pixel, the device pixels along the clip's edges have their
// centres on that part's edges, and nearest-neighbour sampling could show a
// neighbour's row or column there: the image then moves with the clip, so
// that the part's edges fall between device pixels. Otherwise the clip stays
// inside the part (keepInsidePart).
void alignToDevicePixels (CGContextRef deviceSpace, CGRect& clip, CGRect& destination)
{
	const auto corner = CGContextConvertPointToDeviceSpace (deviceSpace, clip.origin);
	auto partFar = CGContextConvertPointToDeviceSpace (deviceSpace, farCorner (clip));
	const auto aligned = CGPointMake (roundWhole (corner.x), roundWhole (corner.y));
	clip.origin = CGContextConvertPointToUserSpace (deviceSpace, aligned);

	const double moveX = isHalfAPixel (aligned.x - corner.x) ? aligned.x - corner.x : 0.;
	const double moveY = isHalfAPixel (aligned.y - corner.y) ? aligned.y - corner.y : 0.;
	if (moveX != 0. || moveY != 0.)
	{
		auto image = CGContextConvertPointToDeviceSpace (deviceSpace, destination.origin);
		image.x += moveX;
		image.y += moveY;
		destination.origin = CGContextConvertPointToUserSpace (deviceSpace, image);
		partFar.x += moveX;
		partFar.y += moveY;
	}
	keepInsidePart (deviceSpace, clip, partFar);
}

CGRect scaled (CGRect rect, double factor)
{
	auto scale = CGAffineTransformMakeScale (factor, factor);
	rect.origin = CGPointApplyAffineTransform (rect.origin, scale);
	rect.size = CGSizeApplyAffineTransform (rect.size, scale);
	return rect;
}

// The current transform as it acts in the space where view y becomes -y.
CGAffineTransform flippedTransform (const CGraphicsTransform& t)
{
	return CGAffineTransformMake (t.m11, -t.m21, -t.m12, t.m22, t.dx, -t.dy);
}

bool hasUsableScale (const CGBitmap* bitmap)
{
	return bitmap && bitmap->getScaleFactor () > 0. && std::isfinite (bitmap->getScaleFactor ());
}

// A bitmap's size in units of its scale factor; empty without a usable one.
CRect unitsOf (const CGBitmap* bitmap)
{
	if (!hasUsableScale (bitmap))
		return {};
	const CPoint& pixels = bitmap->getSize ();
	const double factor = bitmap->getScaleFactor ();
	return {0., 0., pixels.x / factor, pixels.y / factor};
}

} // namespace

CGDrawContext::CGDrawContext (CGContextRef cgContext, const CRect& surfaceRect)
: COffscreenContext (surfaceRect), cgContext (CGContextRetain (cgContext))
{
	beginSurface ();
}

CGDrawContext::CGDrawContext (CGBitmap* platformBitmap)
: COffscreenContext (unitsOf (platformBitmap)),
  cgContext (hasUsableScale (platformBitmap) ? platformBitmap->createCGContext () : nullptr)
{
	if (!platformBitmap)
		return;
	bitmap = makeOwned<CBitmap> (platformBitmap);
	setScaleFactor (platformBitmap->getScaleFactor ());
	if (!cgContext)
		return;
	CGContextScaleCTM (cgContext, getScaleFactor (), getScaleFactor ());
	beginSurface ();
}

CGDrawContext::~CGDrawContext () noexcept
{
	if (!cgContext)
		return;
	CGContextRestoreGState (cgContext);
	CGContextRelease (cgContext);
}

void CGDrawContext::beginSurface ()
{
	CGContextSaveGState (cgContext);
	// View (x, y) lands at (x, -y) from here: the surface's top-left corner
	// is the origin.
	const CRect& surface = getSurfaceRect ();
	CGContextTranslateCTM (cgContext, -surface.left, surface.bottom);
}

void CGDrawContext::endDraw ()
{
	if (!bitmap)
		return;
	if (auto cgBitmap = dynamic_cast<CGBitmap*> (bitmap->getPlatformBitmap ()))
		cgBitmap->freeCGImage ();
}

CGContextRef CGDrawContext::beginCGContext (bool swapYAxis, bool integralOffset)
{
	const CRect& clip = getCurrentState ().clipRect;
	if (!cgContext || clip.isEmpty ())
		return nullptr;
	CGContextSaveGState (cgContext);

	CGRect cgClip = CGRectMake (clip.left, -clip.bottom, clip.getWidth (), clip.getHeight ());
	if (integralOffset)
		cgClip = pixelAlligned (cgClip);
	CGContextClipToRect (cgContext, cgClip);

	auto transform = flippedTransform (getCurrentTransform ());
	if (integralOffset)
	{
		auto offset = pixelAlligned (CGPointMake (transform.tx, transform.ty));
		transform.tx = offset.x;
		transform.ty = offset.y;
	}
	CGContextConcatCTM (cgContext, transform);
	if (swapYAxis)
		CGContextScaleCTM (cgContext, 1., -1.);
	return cgContext;
}

void CGDrawContext::releaseCGContext (CGContextRef context)
{
	CGContextRestoreGState (context);
}

CGPoint CGDrawContext::pixelAlligned (const CGPoint& point) const
{
	auto device = CGContextConvertPointToDeviceSpace (cgContext, point);
	device.x = roundWhole (device.x);
	device.y = roundWhole (device.y);
	return CGContextConvertPointToUserSpace (cgContext, device);
}

CGRect CGDrawContext::pixelAlligned (const CGRect& rect) const
{
	auto origin = pixelAlligned (rect.origin);
	auto corner = pixelAlligned (CGPointMake (rect.origin.x + rect.size.width, rect.origin.y + rect.size.height));
	return CGRectMake (origin.x, origin.y, corner.x - origin.x, corner.y - origin.y);
}

void CGDrawContext::setCGDrawContextQuality (CGContextRef context)
{
	CGContextSetShouldAntialias (context, false);
	CGContextSetInterpolationQuality (context, kCGInterpolationNone);
}

void CGDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	if (!bitmap || alpha == 0.f)
		return;
	double scaleFactor = getScaleFactor ();
	const auto& t = getCurrentTransform ();
	if (t.m11 == t.m22 && t.m12 == 0. && t.m21 == 0.)
		scaleFactor *= t.m11;

	SharedPointer<IPlatformBitmap> platformBitmap (bitmap->getBestPlatformBitmapForScaleFactor (scaleFactor));
	auto cgBitmap = dynamic_cast<CGBitmap*> (platformBitmap.get ());
	auto image = cgBitmap ? cgBitmap->getCGImage () : nullptr;
	if (!image)
		return;
	if (auto context = beginCGContext (false, true))
	{
		drawCGImageRef (context, image, nullptr, cgBitmap->getScaleFactor (), dest, offset, alpha, bitmap);
		CGContextRestoreGState (context);
	}
}

void CGDrawContext::drawCGImageRef (CGContextRef context, CGImageRef image, CGLayerRef, double bitmapScaleFactor,
                                    const CRect& rect, const CPoint& offset, float alpha, CBitmap* bitmap)
{
	setCGDrawContextQuality (context);
	CGContextSetAlpha (context, static_cast<double> (alpha) * static_cast<double> (getGlobalAlpha ()));

	// Without a platform bitmap there is no geometry, and a point left of or
	// above the bitmap lies in no part of it: nothing to draw.
	auto first = bitmap ? bitmap->getPlatformBitmap () : nullptr;
	if (!first || offset.x < 0. || offset.y < 0.)
		return;
	// A grid whose scale is exactly 1 draws as no grid; NaN is not 1.
	const double gridScale = first->isFrameGridSet () ? first->getFrameGridScale () : 1.;
	const auto geometry =
	    gridScale != 1. ? gridGeometry (*bitmap, *first, gridScale, offset) : plainGeometry (*bitmap, rect, offset);

	auto destination = CGRectMake (rect.left - geometry.offsetX,
	                               -rect.top - (static_cast<double> (geometry.imageHeight) - geometry.offsetY),
	                               geometry.imageWidth, geometry.imageHeight);
	auto clip = CGRectMake (rect.left, -rect.top - geometry.clipHeight, geometry.clipWidth, geometry.clipHeight);
	if (bitmapScaleFactor != 1.)
	{
		// Device pixels of the image map one to one; the two scales cancel out.
		CGContextConcatCTM (context, CGAffineTransformMakeScale (1. / bitmapScaleFactor, 1. / bitmapScaleFactor));
		clip = scaled (clip, bitmapScaleFactor);
		destination = scaled (destination, bitmapScaleFactor);
	}
	alignToDevicePixels (cgContext, clip, destination);
	CGContextClipToRect (context, clip);
	CGContextDrawImage (context, destination, image);
}

void CGDrawContext::fillRectWithBitmap (CBitmap* bitmap, const CRect& srcRect, const CRect& dstRect, float alpha)
{
	if (!bitmap || alpha == 0.f || srcRect.isEmpty () || dstRect.isEmpty ())
		return;
	CDrawContext::fillRectWithBitmap (bitmap, srcRect, dstRect, alpha);
}

SharedPointer<COffscreenContext> createCGOffscreenContext (CCoord width, CCoord height, double scaleFactor)
{
	const double pixelWidth = std::ceil (width * scaleFactor), pixelHeight = std::ceil (height * scaleFactor);
	if (!(pixelWidth >= 1.) || !(pixelHeight >= 1.))
		return nullptr;
	auto platformBitmap = makeOwned<CGBitmap> (CPoint (pixelWidth, pixelHeight));
	platformBitmap->setScaleFactor (scaleFactor);
	auto context = makeOwned<CGDrawContext> (platformBitmap.get ());
	if (!context->getCGContext ())
		return nullptr;
	return context;
}

} // VSTGUI
