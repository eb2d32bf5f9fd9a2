#include "DrawRules.h"

#include <algorithm>
#include <cmath>

namespace Tolvik::Fuzzing {

using namespace VSTGUI;

namespace {

// Cairo places edges in 24.8 fixed point.
constexpr double kRasterResolution = 1. / 256.;
// Device pixels an image pixel may cover for pixman to sample it exactly.
constexpr double kLargestSampledScale = 256.;
// A few units in the last place of a double, relative to its magnitude.
constexpr double kRoundingPerMagnitude = 1. / 281474976710656.; // 2^-48

// Truncated toward zero through a signed 64-bit integer whose low 32 bits
// are kept; NaN and values beyond that integer give 0.
uint32_t wholeUInt32 (double value)
{
	if (!(value >= -9223372036854775808. && value < 9223372036854775808.))
		return 0;
	return static_cast<uint32_t> (static_cast<uint64_t> (static_cast<int64_t> (value)));
}

struct Geometry
{
	uint32_t imageWidth, imageHeight, clipWidth, clipHeight, offsetX, offsetY;
};

struct Axis
{
	uint32_t image, clip, offset;
};

// One axis of the grid branch. A scale below 0 shows nothing in this build,
// as 0 and NaN do by the rules.
Axis gridAxis (uint32_t pixels, double gridScale, uint32_t frameCount, double offset, double reported,
               uint32_t plainOffset)
{
	const uint32_t sheet = gridScale > 0. ? wholeUInt32 (std::floor (pixels * gridScale)) : 0;
	const uint32_t frame = frameCount >= 2 ? sheet / frameCount : 0;
	if (frame == 0)
		return {sheet, sheet, plainOffset};
	const uint32_t image = frameCount * frame;
	const uint32_t start = wholeUInt32 (std::ceil (offset * image / reported));
	return {image, frame, start - start % frame};
}

// An empty or inverted rectangle clips everything away in this build.
uint32_t plainClip (double extent)
{
	return extent > 0. ? wholeUInt32 (extent) : 0;
}

Geometry geometryOf (const Scene& s)
{
	const CBitmap& bitmap = *s.bitmap;
	Geometry g {wholeUInt32 (bitmap.getWidth ()),        wholeUInt32 (bitmap.getHeight ()),
	            plainClip (s.rect.getWidth ()),          plainClip (s.rect.getHeight ()),
	            wholeUInt32 (s.offset.x),                wholeUInt32 (s.offset.y)};
	const auto& first = *s.first;
	const double gridScale = first.getFrameGridScale ();
	if (!first.isFrameGridSet () || gridScale == 1.)
		return g;
	const auto columns = gridAxis (wholeUInt32 (first.getSize ().x), gridScale, first.getFrameGridColumns (),
	                               s.offset.x, bitmap.getWidth (), g.offsetX);
	const auto rows = gridAxis (wholeUInt32 (first.getSize ().y), gridScale, first.getFrameGridRows (), s.offset.y,
	                            bitmap.getHeight (), g.offsetY);
	return {columns.image, rows.image, columns.clip, rows.clip, columns.offset, rows.offset};
}

// `value` rounded to a whole device pixel, halves away from zero. Within
// the rasteriser's resolution of a half the rounding may go either way: the
// context rounds in its own space, whose y runs the other way.
Span roundedToPixel (double value)
{
	const double below = std::floor (value);
	const double fraction = value - below;
	if (std::abs (fraction - 0.5) <= kRasterResolution)
		return {below, below + 1.};
	const double rounded = fraction < 0.5 ? below : below + 1.;
	return {rounded, rounded};
}

// The values' range grown by half a device pixel each way: aligning the
// clip's corner moves it by up to half a pixel.
Span grownByHalfAPixel (std::initializer_list<double> values)
{
	const auto [low, high] = std::minmax (values);
	return {low - 0.5, high + 0.5};
}

// Device coordinates of the view: the transform's move aligned to device
// pixels, as the context applies it.
struct DeviceMap
{
	double scale;
	Span move;
	double at (double view, bool low) const { return scale * view + (low ? move.low : move.high); }
};

DeviceMap deviceMapX (const Scene& s)
{
	return {s.contextScale * s.scaleX, roundedToPixel (s.contextScale * s.moveX)};
}

DeviceMap deviceMapY (const Scene& s)
{
	return {s.contextScale * s.scaleY, roundedToPixel (s.contextScale * s.moveY)};
}

// A sum of finite terms as large as `largestTerm` is off by a few of their
// last places, however small the sum: beyond the raster resolution the span
// widens by that much.
Span widenedForRounding (const Span& span, double largestTerm)
{
	const double error = largestTerm * kRoundingPerMagnitude;
	if (!std::isfinite (error) || error <= kRasterResolution)
		return span;
	return {span.low - error, span.high + error};
}

// The clip's corner (`corner`, the view coordinate of the clip's origin)
// aligned, and `extent` units from there.
Span alignedClip (const DeviceMap& map, double corner, double extent)
{
	const Span low = roundedToPixel (map.at (corner, true)), high = roundedToPixel (map.at (corner, false));
	const double size = map.scale * extent;
	const Span clip {std::min (low.low, low.low + size), std::max (high.high, high.high + size)};
	return widenedForRounding (clip, std::max ({std::abs (map.scale * corner), std::abs (map.move.high), std::abs (size)}));
}

Span destinationSpan (const DeviceMap& map, double from, double to)
{
	const Span destination =
	    grownByHalfAPixel ({map.at (from, true), map.at (from, false), map.at (to, true), map.at (to, false)});
	return widenedForRounding (destination, std::max ({std::abs (map.scale * from), std::abs (map.scale * to),
	                                                   std::abs (map.move.high)}));
}

// The context keeps the bounds of the clip's corners, and hands them to Core
// Graphics as a corner and a size: the far edges are that corner plus that
// size, which for the largest coordinates is not quite where they were.
DeviceBox contextClipOf (const Scene& s)
{
	const CRect clip = s.clipped ? CGraphicsTransform ().transform (s.clip) : CRect (0, 0, s.unitsWide, s.unitsHigh);
	const double right = clip.left + clip.getWidth (), top = clip.bottom - clip.getHeight ();
	const double c = s.contextScale;
	const Span x {roundedToPixel (c * clip.left).low, roundedToPixel (c * right).high};
	const Span y {roundedToPixel (c * top).low, roundedToPixel (c * clip.bottom).high};
	return {widenedForRounding (x, c * std::max (std::abs (clip.left), std::abs (clip.getWidth ()))),
	        widenedForRounding (y, c * std::max (std::abs (clip.bottom), std::abs (clip.getHeight ())))};
}

// The platform bitmap whose image the draw takes.
CGBitmap* drawnBitmap (const Scene& s)
{
	if (s.path != DrawPath::drawBitmap)
		return s.drawsSecondImage ? s.second.get () : s.first.get ();
	double scale = s.contextScale;
	if (s.scaleX == s.scaleY)
		scale *= s.scaleX;
	return dynamic_cast<CGBitmap*> (s.bitmap->getBestPlatformBitmapForScaleFactor (scale));
}

// The image pixels from `offset` to `offset + clip` of `image` units that
// show `pixels` pixels: with nearest sampling, every pixel that part touches.
Span shownPixels (uint32_t offset, uint32_t clip, uint32_t image, double pixels)
{
	const double perUnit = pixels / image;
	return {std::floor (offset * perUnit), std::ceil ((static_cast<double> (offset) + clip) * perUnit)};
}

bool drawsNothing (const Scene& s, CGBitmap* drawn)
{
	if (s.path == DrawPath::drawCGImageRefWithoutGeometry || (s.path == DrawPath::drawBitmap && s.alpha == 0.f))
		return true;
	if (!drawn || !drawn->getCGImage ())
		return true;
	if (s.clipped && CGraphicsTransform ().transform (s.clip).isEmpty ())
		return true;
	// A point left of or above the bitmap lies in no part of it.
	return s.offset.x < 0. || s.offset.y < 0.;
}

} // namespace

double reportedExtent (const IPlatformBitmap& first, double pixels, uint32_t frameCount)
{
	const double factor = first.getScaleFactor ();
	if (!first.isFrameGridSet () || first.getFrameGridScale () == 1.)
		return pixels / factor;
	uint32_t scaled = wholeUInt32 (std::floor (first.getFrameGridScale () * pixels));
	if (frameCount >= 2)
	{
		const uint32_t whole = scaled - scaled % frameCount;
		scaled = whole ? whole : scaled;
	}
	return scaled / factor;
}

bool Span::holdsCentre (double centre) const
{
	return centre > low - kRasterResolution && centre < high + kRasterResolution;
}

Allowance allowanceOf (const Scene& s)
{
	Allowance allowance;
	CGBitmap* drawn = drawnBitmap (s);
	if (drawsNothing (s, drawn))
		return allowance;
	allowance.drawsAnything = true;

	const Geometry g = geometryOf (s);
	const auto mapX = deviceMapX (s), mapY = deviceMapY (s);
	const double left = s.rect.left, top = s.rect.top;
	// The clip's origin is its bottom-left corner where y grows upwards.
	allowance.clip = {alignedClip (mapX, left, g.clipWidth), alignedClip (mapY, top + g.clipHeight, -1. * g.clipHeight)};
	allowance.contextClip = contextClipOf (s);

	const bool gridded = s.first->isFrameGridSet () && s.first->getFrameGridScale () != 1.;
	const CRect destination = gridded ? CRect (left, top, left + g.clipWidth, top + g.clipHeight) : s.rect;
	allowance.destination = {destinationSpan (mapX, destination.left, destination.right),
	                         destinationSpan (mapY, destination.top, destination.bottom)};

	allowance.opaque = static_cast<double> (s.alpha) * s.globalAlpha >= 1.;
	allowance.drawnSheet = drawn == s.first.get () ? &s.sheet : &s.secondSheet;
	const CPoint& pixels = drawn->getSize ();
	allowance.imageColumns = shownPixels (g.offsetX, g.clipWidth, g.imageWidth, pixels.x);
	allowance.imageRows = shownPixels (g.offsetY, g.clipHeight, g.imageHeight, pixels.y);
	allowance.sampledExactly = std::abs (mapX.scale) * g.imageWidth / pixels.x <= kLargestSampledScale &&
	                           std::abs (mapY.scale) * g.imageHeight / pixels.y <= kLargestSampledScale;
	return allowance;
}

} // Tolvik::Fuzzing
