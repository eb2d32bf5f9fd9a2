#include "CairoGeometry.h"

#include <algorithm>
#include <cmath>

namespace CGStandIn {
namespace {

// Far enough outside any surface to stand for infinity, well inside the
// fixed-point range.
constexpr double kReach = 1 << 20;

struct Box
{
	double left, top, right, bottom;
};

Box surfaceBox (CGSize surface)
{
	return {0., 0., surface.width, surface.height};
}

double bounded (double value, double low, double high)
{
	// NaN goes to `low`: a NaN corner makes no area.
	return value >= low ? (value <= high ? value : high) : low;
}

struct Corners
{
	CGPoint points[4];
};

Corners cornersOf (CGRect rect, const CGAffineTransform& t)
{
	const double right = rect.origin.x + rect.size.width, top = rect.origin.y + rect.size.height;
	return {{CGPointApplyAffineTransform (rect.origin, t), CGPointApplyAffineTransform (CGPointMake (right, rect.origin.y), t),
	         CGPointApplyAffineTransform (CGPointMake (right, top), t),
	         CGPointApplyAffineTransform (CGPointMake (rect.origin.x, top), t)}};
}

bool isAxisAligned (const CGAffineTransform& t)
{
	return (t.b == 0. && t.c == 0.) || (t.a == 0. && t.d == 0.);
}

// The rectangle's bounds, each edge kept within a pixel of the surface.
Box boundsNear (const Corners& corners, const Box& surface)
{
	auto [minX, maxX] = std::minmax ({corners.points[0].x, corners.points[2].x});
	auto [minY, maxY] = std::minmax ({corners.points[0].y, corners.points[2].y});
	return {bounded (minX, surface.left - 1, surface.right + 1), bounded (minY, surface.top - 1, surface.bottom + 1),
	        bounded (maxX, surface.left - 1, surface.right + 1), bounded (maxY, surface.top - 1, surface.bottom + 1)};
}

} // namespace

cairo_matrix_t cairoMatrixFrom (const CGAffineTransform& t)
{
	cairo_matrix_t m;
	cairo_matrix_init (&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
	return m;
}

Coverage surfaceCoverage (CGSize surfaceSize, CGRect rect, const CGAffineTransform& userToCairo)
{
	const auto corners = cornersOf (rect, userToCairo);
	const auto surface = surfaceBox (surfaceSize);
	if (isAxisAligned (userToCairo))
	{
		const auto box = boundsNear (corners, surface);
		if (!(box.right > surface.left && box.left < surface.right && box.bottom > surface.top &&
		      box.top < surface.bottom && box.right > box.left && box.bottom > box.top))
			return Coverage::none;
		const bool whole = box.left <= surface.left && box.top <= surface.top && box.right >= surface.right &&
		                   box.bottom >= surface.bottom;
		return whole ? Coverage::whole : Coverage::part;
	}
	// NaN corners meet nothing: every comparison with them is false.
	bool left = true, right = true, above = true, below = true;
	for (const auto& p : corners.points)
	{
		left &= !(p.x > surface.left);
		right &= !(p.x < surface.right);
		above &= !(p.y > surface.top);
		below &= !(p.y < surface.bottom);
	}
	return left || right || above || below ? Coverage::none : Coverage::part;
}

std::optional<PixelBox> wholePixelBox (CGSize surface, CGRect rect, const CGAffineTransform& userToCairo)
{
	if (!isAxisAligned (userToCairo))
		return std::nullopt;
	const auto box = boundsNear (cornersOf (rect, userToCairo), surfaceBox (surface));
	for (double edge : {box.left, box.top, box.right, box.bottom})
	{
		if (std::floor (edge) != edge)
			return std::nullopt;
	}
	const PixelBox pixels {static_cast<int32_t> (box.left), static_cast<int32_t> (box.top),
	                       static_cast<int32_t> (box.right), static_cast<int32_t> (box.bottom)};
	return pixels.intersected ({0, 0, static_cast<int32_t> (surface.width), static_cast<int32_t> (surface.height)});
}

void setRectanglePath (cairo_t* cairo, CGSize surface, CGRect rect, const CGAffineTransform& userToCairo)
{
	const auto corners = cornersOf (rect, userToCairo);
	cairo_identity_matrix (cairo);
	cairo_new_path (cairo);
	if (isAxisAligned (userToCairo))
	{
		// Exact: the part of the rectangle on the surface (and a pixel around).
		const auto box = boundsNear (corners, surfaceBox (surface));
		cairo_rectangle (cairo, box.left, box.top, box.right - box.left, box.bottom - box.top);
		return;
	}
	// Turned or sheared: the corners, each kept within reach.
	for (const auto& corner : corners.points)
		cairo_line_to (cairo, bounded (corner.x, -kReach, kReach), bounded (corner.y, -kReach, kReach));
	cairo_close_path (cairo);
}

} // namespace CGStandIn
