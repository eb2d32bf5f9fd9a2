#include "CGPixelFormat.h"

namespace CGStandIn {

std::optional<cairo_format_t> cairoFormatFor (size_t bitsPerComponent, size_t bitsPerPixel,
                                              CGBitmapInfo bitmapInfo)
{
	if (bitsPerComponent != 8 || bitsPerPixel != 32)
		return std::nullopt;
	if ((bitmapInfo & kCGBitmapByteOrderMask) != kCGBitmapByteOrder32Host)
		return std::nullopt;
	switch (bitmapInfo & kCGBitmapAlphaInfoMask)
	{
		case kCGImageAlphaPremultipliedFirst:
			return CAIRO_FORMAT_ARGB32;
		case kCGImageAlphaNoneSkipFirst:
			return CAIRO_FORMAT_RGB24;
		default:
			return std::nullopt;
	}
}

bool isUsableRowLength (cairo_format_t format, size_t width, size_t bytesPerRow)
{
	auto minimum = cairo_format_stride_for_width (format, static_cast<int> (width));
	return minimum > 0 && bytesPerRow >= static_cast<size_t> (minimum) && bytesPerRow % 4 == 0 &&
	       bytesPerRow <= static_cast<size_t> (INT32_MAX);
}

bool isUsableSize (size_t width, size_t height)
{
	return width > 0 && height > 0 && width <= kMaxPixelsASide && height <= kMaxPixelsASide;
}

} // namespace CGStandIn
