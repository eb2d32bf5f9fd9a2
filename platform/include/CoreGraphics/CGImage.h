// Immutable bitmap images.
//
// This platform draws 8-bit, 32-bit-pixel images in the host's native
// premultiplied ARGB layout: kCGImageAlphaPremultipliedFirst (or
// kCGImageAlphaNoneSkipFirst) with kCGBitmapByteOrder32Host, at most 32767
// pixels a side. CGImageCreate returns NULL for anything else.
#pragma once

#include <CoreGraphics/CGColorSpace.h>
#include <CoreGraphics/CGDataProvider.h>
#include <CoreGraphics/CGGeometry.h>

typedef struct CGImage* CGImageRef;

enum CGImageAlphaInfo : uint32_t
{
	kCGImageAlphaNone = 0,
	kCGImageAlphaPremultipliedLast = 1,
	kCGImageAlphaPremultipliedFirst = 2,
	kCGImageAlphaLast = 3,
	kCGImageAlphaFirst = 4,
	kCGImageAlphaNoneSkipLast = 5,
	kCGImageAlphaNoneSkipFirst = 6,
	kCGImageAlphaOnly = 7
};

typedef uint32_t CGBitmapInfo;
enum : uint32_t
{
	kCGBitmapAlphaInfoMask = 0x1F,
	kCGBitmapByteOrderMask = 0x7000,
	kCGBitmapByteOrderDefault = 0 << 12,
	kCGBitmapByteOrder16Little = 1 << 12,
	kCGBitmapByteOrder32Little = 2 << 12,
	kCGBitmapByteOrder16Big = 3 << 12,
	kCGBitmapByteOrder32Big = 4 << 12,
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
	kCGBitmapByteOrder32Host = kCGBitmapByteOrder32Little,
#else
	kCGBitmapByteOrder32Host = kCGBitmapByteOrder32Big,
#endif
};

enum CGColorRenderingIntent : int32_t
{
	kCGRenderingIntentDefault = 0,
	kCGRenderingIntentAbsoluteColorimetric,
	kCGRenderingIntentRelativeColorimetric,
	kCGRenderingIntentPerceptual,
	kCGRenderingIntentSaturation
};

extern "C" {

// The provider is retained and must hold bytesPerRow * height bytes. The
// decode array and the interpolation flag are accepted and not used: the
// context's interpolation quality decides the sampling.
CGImageRef CGImageCreate (size_t width, size_t height, size_t bitsPerComponent, size_t bitsPerPixel,
                          size_t bytesPerRow, CGColorSpaceRef space, CGBitmapInfo bitmapInfo,
                          CGDataProviderRef provider, const CGFloat* decode, bool shouldInterpolate,
                          CGColorRenderingIntent intent);
CGImageRef CGImageRetain (CGImageRef image);
void CGImageRelease (CGImageRef image);

size_t CGImageGetWidth (CGImageRef image);
size_t CGImageGetHeight (CGImageRef image);
size_t CGImageGetBytesPerRow (CGImageRef image);
CGBitmapInfo CGImageGetBitmapInfo (CGImageRef image);
CGDataProviderRef CGImageGetDataProvider (CGImageRef image);

} // extern "C"
