#include "DirectImageDraw.h"

#include <cmath>

namespace CGStandIn {
namespace {

// Scales beyond these lose too much in pixman's 16.16 fixed point, and
// image coordinates beyond 2^15 do not fit it.
constexpr double kSmallestScale = 1. / 256., kLargestScale = 256., kFixedLimit = 32767.;

bool isDirectScale (double scale)
{
	const double size = std::abs (scale);
	return size >= kSmallestScale && size <= kLargestScale;
}

pixman_fixed_t toFixed (double value)
{
	return static_cast<pixman_fixed_t> (std::lround (value * 65536.));
}

// The whole pixels that the image's rectangle touches, within the clip.
PixelBox touchedPixels (const CGAffineTransform& imageToCairo, double width, double height, const PixelBox& clip)
{
	const double x0 = imageToCairo.tx, x1 = imageToCairo.tx + imageToCairo.a * width;
	const double y0 = imageToCairo.ty, y1 = imageToCairo.ty + imageToCairo.d * height;
	auto bound = [&] (double low, double high, int32_t min, int32_t max) {
		return std::pair<int32_t, int32_t> (static_cast<int32_t> (std::max<double> (std::floor (low), min)),
		                                    static_cast<int32_t> (std::min<double> (std::ceil (high), max)));
	};
	const auto [left, right] = bound (std::min (x0, x1), std::max (x0, x1), clip.left, clip.right);
	const auto [top, bottom] = bound (std::min (y0, y1), std::max (y0, y1), clip.top, clip.bottom);
	return {left, top, right, bottom};
}

} // namespace

pixman_image_t* pixmanImageOver (cairo_surface_t* surface)
{
	if (cairo_image_surface_get_format (surface) != CAIRO_FORMAT_ARGB32)
		return nullptr;
	return pixman_image_create_bits (PIXMAN_a8r8g8b8, cairo_image_surface_get_width (surface),
	                                 cairo_image_surface_get_height (surface),
	                                 reinterpret_cast<uint32_t*> (cairo_image_surface_get_data (surface)),
	                                 cairo_image_surface_get_stride (surface));
}

bool drawImageDirectly (pixman_image_t* target, cairo_surface_t* targetSurface, const PixelBox& clip,
                        cairo_surface_t* image, const CGAffineTransform& imageToCairo)
{
	if (!target || imageToCairo.b != 0. || imageToCairo.c != 0. || !isDirectScale (imageToCairo.a) ||
	    !isDirectScale (imageToCairo.d) || cairo_image_surface_get_format (image) != CAIRO_FORMAT_ARGB32)
		return false;
	const double width = cairo_image_surface_get_width (image), height = cairo_image_surface_get_height (image);
	const PixelBox area = touchedPixels (imageToCairo, width, height, clip);
	if (area.isEmpty ())
		return true;

	// Pixman samples the image at T (i + 0.5, j + 0.5) for the area's pixel
	// (i, j): T maps cairo's device space, moved to the area's corner, back
	// to image pixels.
	const double scaleX = 1. / imageToCairo.a, scaleY = 1. / imageToCairo.d;
	const double cornerX = (area.left - imageToCairo.tx) * scaleX, cornerY = (area.top - imageToCairo.ty) * scaleY;
	if (!(std::abs (cornerX) <= kFixedLimit && std::abs (cornerY) <= kFixedLimit))
		return false;
	auto source = pixmanImageOver (image);
	if (!source)
		return false;
	pixman_transform_t toImage;
	pixman_transform_init_identity (&toImage);
	toImage.matrix[0][0] = toFixed (scaleX);
	toImage.matrix[0][2] = toFixed (cornerX);
	toImage.matrix[1][1] = toFixed (scaleY);
	toImage.matrix[1][2] = toFixed (cornerY);
	pixman_image_set_transform (source, &toImage);
	pixman_image_set_filter (source, PIXMAN_FILTER_NEAREST, nullptr, 0);

	cairo_surface_flush (image);
	cairo_surface_flush (targetSurface);
	pixman_image_composite32 (PIXMAN_OP_OVER, source, nullptr, target, 0, 0, 0, 0, area.left, area.top,
	                          area.right - area.left, area.bottom - area.top);
	pixman_image_unref (source);
	cairo_surface_mark_dirty_rectangle (targetSurface, area.left, area.top, area.right - area.left,
	                                    area.bottom - area.top);
	return true;
}

} // namespace CGStandIn
