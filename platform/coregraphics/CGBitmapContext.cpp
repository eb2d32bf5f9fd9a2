#include "CGContextInternal.h"

#include "../corefoundation/CFDataInternal.h"
#include "CGPixelFormat.h"

#include <CoreGraphics/CGBitmapContext.h>

#include <cstdlib>

namespace {

void releaseCopiedData (void* info, const void*, size_t)
{
	CFRelease (static_cast<CFDataRef> (info));
}

} // namespace

CGContextRef CGBitmapContextCreate (void* data, size_t width, size_t height, size_t bitsPerComponent,
                                    size_t bytesPerRow, CGColorSpaceRef, uint32_t bitmapInfo)
{
	auto format = CGStandIn::cairoFormatFor (bitsPerComponent, 32, bitmapInfo);
	if (!format || !CGStandIn::isUsableSize (width, height))
		return nullptr;
	if (bytesPerRow == 0)
		bytesPerRow = static_cast<size_t> (cairo_format_stride_for_width (*format, static_cast<int> (width)));
	if (!CGStandIn::isUsableRowLength (*format, width, bytesPerRow))
		return nullptr;

	void* ownedData = nullptr;
	if (!data)
	{
		data = ownedData = std::calloc (height, bytesPerRow);
		if (!data)
			return nullptr;
	}
	auto surface = cairo_image_surface_create_for_data (static_cast<unsigned char*> (data), *format,
	                                                    static_cast<int> (width), static_cast<int> (height),
	                                                    static_cast<int> (bytesPerRow));
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (surface);
		std::free (ownedData);
		return nullptr;
	}
	return new CGContext (surface, ownedData, bitmapInfo);
}

void* CGBitmapContextGetData (CGContextRef context)
{
	if (!context)
		return nullptr;
	cairo_surface_flush (context->surface);
	return cairo_image_surface_get_data (context->surface);
}

size_t CGBitmapContextGetWidth (CGContextRef context)
{
	return context ? static_cast<size_t> (cairo_image_surface_get_width (context->surface)) : 0;
}

size_t CGBitmapContextGetHeight (CGContextRef context)
{
	return context ? static_cast<size_t> (cairo_image_surface_get_height (context->surface)) : 0;
}

size_t CGBitmapContextGetBytesPerRow (CGContextRef context)
{
	return context ? static_cast<size_t> (cairo_image_surface_get_stride (context->surface)) : 0;
}

CGImageRef CGBitmapContextCreateImage (CGContextRef context)
{
	if (!context)
		return nullptr;
	auto rowLength = CGBitmapContextGetBytesPerRow (context);
	auto height = CGBitmapContextGetHeight (context);
	auto copy = new __CFData (CGBitmapContextGetData (context), rowLength * height);
	auto provider = CGDataProviderCreateWithData (copy, CFDataGetBytePtr (copy), static_cast<size_t> (CFDataGetLength (copy)),
	                                              releaseCopiedData);
	auto space = CGColorSpaceCreateDeviceRGB ();
	auto image = CGImageCreate (CGBitmapContextGetWidth (context), height, 8, 32, rowLength, space, context->bitmapInfo,
	                            provider, nullptr, false, kCGRenderingIntentDefault);
	CGColorSpaceRelease (space);
	CGDataProviderRelease (provider);
	return image;
}
