// Contexts that draw into memory, in the pixel layouts that CGImage.h lists.
#pragma once

#include <CoreGraphics/CGContext.h>

extern "C" {

// Draws into `data` (bytesPerRow * height bytes, kept valid by the caller
// for the life of the context), or into zeroed memory of the context's own
// when data is NULL; bytesPerRow 0 means width * 4. Returns NULL for a pixel
// layout, size or row length this platform cannot draw into.
CGContextRef CGBitmapContextCreate (void* data, size_t width, size_t height, size_t bitsPerComponent,
                                    size_t bytesPerRow, CGColorSpaceRef space, uint32_t bitmapInfo);

void* CGBitmapContextGetData (CGContextRef context);
size_t CGBitmapContextGetWidth (CGContextRef context);
size_t CGBitmapContextGetHeight (CGContextRef context);
size_t CGBitmapContextGetBytesPerRow (CGContextRef context);

// An image of the context's pixels as they are now, copied.
CGImageRef CGBitmapContextCreateImage (CGContextRef context);

} // extern "C"
