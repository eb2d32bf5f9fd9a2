#include "CGImageInternal.h"

#include "CGDataProviderInternal.h"
#include "CGPixelFormat.h"

#include <cstring>

namespace {

// Cairo draws straight from the provider's bytes when it can use their row
// length, and from a copy made once here otherwise.
cairo_surface_t* makeSurface (const CGDataProvider& provider, cairo_format_t format, size_t width,
                              size_t height, size_t bytesPerRow)
{
	auto bytes = static_cast<unsigned char*> (const_cast<void*> (provider.data));
	if (CGStandIn::isUsableRowLength (format, width, bytesPerRow))
		return cairo_image_surface_create_for_data (bytes, format, static_cast<int> (width),
		                                            static_cast<int> (height), static_cast<int> (bytesPerRow));

	auto surface = cairo_image_surface_create (format, static_cast<int> (width), static_cast<int> (height));
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
		return surface;
	auto target = cairo_image_surface_get_data (surface);
	auto targetRowLength = static_cast<size_t> (cairo_image_surface_get_stride (surface));
	for (size_t row = 0; row < height; ++row)
		std::memcpy (target + row * targetRowLength, bytes + row * bytesPerRow, width * 4);
	cairo_surface_mark_dirty (surface);
	return surface;
}

} // namespace

CGImage::~CGImage ()
{
	if (surface)
		cairo_surface_destroy (surface);
	CGDataProviderRelease (provider);
	CGColorSpaceRelease (space);
}

CGImageRef CGImageCreate (size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel,
                          size_t bytesPerRow, CGColorSpaceRef space, CGBitmapInfo bitmapInfo,
                          CGDataProviderRef provider, const CGFloat*, bool, CGColorRenderingIntent)
{
	auto format = CGStandIn::cairoFormatFor (bitsPerComponent, bitsPerPixel, bitmapInfo);
	if (!format || !provider || !provider->data || !CGStandIn::isUsableSize (width, height) ||
	    bytesPerRow < width * 4 || provider->size / bytesPerRow < height)
		return nullptr;

	auto surface = makeSurface (*provider, *format, width, height, bytesPerRow);
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (surface);
		return nullptr;
	}
	auto image = new CGImage;
	image->width = width;
	image->height = height;
	image->bytesPerRow = bytesPerRow;
	image->bitmapInfo = bitmapInfo;
	image->provider = CGDataProviderRetain (provider);
	image->space = CGColorSpaceRetain (space);
	image->surface = surface;
	return image;
}

CGImageRef CGImageRetain (CGImageRef image)
{
	CFRetain (image);
	return image;
}

void CGImageRelease (CGImageRef image)
{
	CFRelease (image);
}

size_t CGImageGetWidth (CGImageRef image)
{
	return image ? image->width : 0;
}

size_t CGImageGetHeight (CGImageRef image)
{
	return image ? image->height : 0;
}

size_t CGImageGetBytesPerRow (CGImageRef image)
{
	return image ? image->bytesPerRow : 0;
}

CGBitmapInfo CGImageGetBitmapInfo (CGImageRef image)
{
	return image ? image->bitmapInfo : 0;
}

CGDataProviderRef CGImageGetDataProvider (CGImageRef image)
{
	return image ? image->provider : nullptr;
}
