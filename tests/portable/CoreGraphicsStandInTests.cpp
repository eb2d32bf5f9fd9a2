// The Core Graphics stand-in keeps Core Graphics' own conventions, so that
// code written for a Mac draws the same pixels here.
#include "PositionImage.h"
#include "Rect.h"

#include <CoreFoundation/CFStandInDiagnostics.h>
#include <CoreGraphics/CoreGraphics.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace Tolvik::Testing;

constexpr CGBitmapInfo kNativeARGB = kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host;

// A transparent bitmap context of its own pixels.
class BitmapContext
{
public:
	BitmapContext (size_t width, size_t height)
	{
		auto space = CGColorSpaceCreateDeviceRGB ();
		context = CGBitmapContextCreate (nullptr, width, height, 8, 0, space, kNativeARGB);
		CGColorSpaceRelease (space);
	}
	~BitmapContext () { CGContextRelease (context); }
	BitmapContext (const BitmapContext&) = delete;
	BitmapContext& operator= (const BitmapContext&) = delete;

	operator CGContextRef () const { return context; }
	// Pixel at column x of row y, rows counted from the top of memory.
	uint32_t at (size_t x, size_t y) const
	{
		auto bytes = static_cast<const uint8_t*> (CGBitmapContextGetData (context));
		return reinterpret_cast<const uint32_t*> (bytes + y * CGBitmapContextGetBytesPerRow (context))[x];
	}
	uint8_t alphaAt (size_t x, size_t y) const { return static_cast<uint8_t> (at (x, y) >> 24); }
	size_t drawnPixels () const
	{
		size_t count = 0;
		for (size_t y = 0; y < CGBitmapContextGetHeight (context); ++y)
			for (size_t x = 0; x < CGBitmapContextGetWidth (context); ++x)
				count += at (x, y) != 0;
		return count;
	}

private:
	CGContextRef context;
};

TEST (CGBitmapContextSpace, HasItsOriginAtTheBottomLeftWithYGrowingUp)
{
	BitmapContext context (4, 3);
	CGContextFillRect (context, CGRectMake (0, 0, 1, 1));
	EXPECT_EQ (context.at (0, 2), 0xFF000000u) << "the last row in memory is the bottom one";
	EXPECT_EQ (context.drawnPixels (), 1u);
	EXPECT_TRUE (CGAffineTransformEqualToTransform (CGContextGetCTM (context), CGAffineTransformIdentity));
}

TEST (CGContextDrawImage, DrawsTheImageUprightIntoItsRectangle)
{
	BitmapContext context (6, 5);
	auto image = createPositionImage (2, 2);
	CGContextSetInterpolationQuality (context, kCGInterpolationNone);
	CGContextDrawImage (context, CGRectMake (1, 1, 4, 2), image);
	// Image row 0 along the rectangle's top edge (y 3), which is memory row 2.
	EXPECT_EQ (context.at (1, 2), positionPixel (0, 0));
	EXPECT_EQ (context.at (4, 2), positionPixel (1, 0));
	EXPECT_EQ (context.at (1, 3), positionPixel (0, 1));
	EXPECT_EQ (context.at (3, 3), positionPixel (1, 1));
	EXPECT_EQ (context.drawnPixels (), 8u);
	CGImageRelease (image);
}

TEST (CGContextGState, SaveAndRestoreBringBackTransformAlphaQualityAndClip)
{
	BitmapContext context (10, 10);
	CGContextSaveGState (context);
	CGContextTranslateCTM (context, 2, 3);
	CGContextScaleCTM (context, 2, 2);
	EXPECT_TRUE (CGAffineTransformEqualToTransform (CGContextGetCTM (context), CGAffineTransformMake (2, 0, 0, 2, 2, 3)));
	auto device = CGContextConvertPointToDeviceSpace (context, CGPointMake (1, 1));
	EXPECT_EQ (device.x, 4.);
	EXPECT_EQ (device.y, 5.);
	auto user = CGContextConvertPointToUserSpace (context, device);
	EXPECT_EQ (user.x, 1.);
	EXPECT_EQ (user.y, 1.);
	CGContextSetAlpha (context, 0.);
	CGContextSetInterpolationQuality (context, kCGInterpolationHigh);
	CGContextClipToRect (context, CGRectMake (0, 0, 1, 1));
	CGContextRestoreGState (context);
	CGContextRestoreGState (context); // unmatched: ignored

	EXPECT_TRUE (CGAffineTransformEqualToTransform (CGContextGetCTM (context), CGAffineTransformIdentity));
	EXPECT_EQ (CGContextGetInterpolationQuality (context), kCGInterpolationDefault);
	CGContextFillRect (context, CGRectMake (0, 0, 10, 10));
	EXPECT_EQ (context.drawnPixels (), 100u) << "full alpha and no clip";
}

TEST (CGContextEdges, AreSoftWithAntialiasingAndHardWithout)
{
	for (bool antialias : {true, false})
	{
		BitmapContext context (10, 1);
		CGContextSetShouldAntialias (context, antialias);
		CGContextClipToRect (context, CGRectMake (2.5, 0, 5, 1));
		CGContextFillRect (context, CGRectMake (0, 0, 10, 1));
		if (antialias)
			EXPECT_EQ (context.alphaAt (2, 0), 128) << "half covered";
		else
			EXPECT_TRUE (context.alphaAt (2, 0) == 0 || context.alphaAt (2, 0) == 255);
		EXPECT_EQ (context.alphaAt (5, 0), 255);
	}
}

TEST (CGContextInterpolation, NoneSamplesNearestAndDefaultBlends)
{
	auto image = createPositionImage (2, 1);
	for (auto quality : {kCGInterpolationNone, kCGInterpolationDefault})
	{
		BitmapContext context (8, 1);
		CGContextSetInterpolationQuality (context, quality);
		CGContextDrawImage (context, CGRectMake (0, 0, 8, 1), image);
		bool onlyImagePixels = true;
		for (size_t x = 0; x < 8; ++x)
			onlyImagePixels &= context.at (x, 0) == positionPixel (0, 0) || context.at (x, 0) == positionPixel (1, 0);
		EXPECT_EQ (onlyImagePixels, quality == kCGInterpolationNone);
	}
	CGImageRelease (image);
}

TEST (CGContextDrawImage, ShowsTheSamePixelsWhateverWayItTakesToPixman)
{
	// Unsmoothed and opaque into a clip of whole pixels, an image goes
	// straight to pixman; a clip with a fractional edge (here far from the
	// image) sends it through cairo's paint. Both show the same pixels.
	auto image = createPositionImage (7, 5);
	const CGRect rects[] = {
	    {{1.25, 2.25}, {10.5, 7.5}}, // 1.5 device pixels an image pixel
	    {{0.3, 1.1}, {3.5, 2.5}},    // half a device pixel an image pixel
	    {{2, 1}, {21, 15}},          // three device pixels an image pixel
	    {{-3.2, -1.7}, {14, 10}},    // partly off the surface
	};
	for (const auto& rect : rects)
	{
		BitmapContext direct (24, 18), throughCairo (24, 18);
		for (CGContextRef context : {static_cast<CGContextRef> (direct), static_cast<CGContextRef> (throughCairo)})
		{
			CGContextSetInterpolationQuality (context, kCGInterpolationNone);
			CGContextSetShouldAntialias (context, false);
			CGContextClipToRect (context, CGRectMake (0, 0, 23, 17));
		}
		CGContextClipToRect (throughCairo, CGRectMake (0, 0, 23.5, 17));
		CGContextDrawImage (direct, rect, image);
		CGContextDrawImage (throughCairo, rect, image);
		int differences = 0;
		for (size_t y = 0; y < 18; ++y)
			for (size_t x = 0; x < 24; ++x)
				differences += direct.at (x, y) != throughCairo.at (x, y);
		EXPECT_EQ (differences, 0) << toRect (rect);
		EXPECT_GT (direct.drawnPixels (), 0u) << toRect (rect);
	}
	CGImageRelease (image);
}

TEST (CGContextClipToRect, SuccessiveClipsKeepWhatAllOfThemKeepUntilTheStateIsRestored)
{
	auto image = createPositionImage (4, 4);
	BitmapContext context (20, 20);
	CGContextSetInterpolationQuality (context, kCGInterpolationNone);
	CGContextSaveGState (context);
	CGContextClipToRect (context, CGRectMake (2, 2, 10, 10));
	CGContextClipToRect (context, CGRectMake (6, 0, 10, 20));
	CGContextDrawImage (context, CGRectMake (0, 0, 20, 20), image);
	EXPECT_EQ (context.drawnPixels (), 60u) << "6 x 10 pixels are in both clips";
	EXPECT_EQ (context.at (6, 8), positionPixel (1, 1)) << "image pixel (1, 1) lies under device pixel (6.5, 11.5)";
	EXPECT_EQ (context.at (5, 8), 0u);

	CGContextRestoreGState (context);
	CGContextDrawImage (context, CGRectMake (0, 0, 20, 20), image);
	EXPECT_EQ (context.drawnPixels (), 400u);
	CGImageRelease (image);
}

TEST (CGContextClipToRect, ClipsAnImageOffTheSurfaceAndAtAFractionalEdge)
{
	auto image = createPositionImage (4, 4);
	BitmapContext offSurface (20, 20), fractional (20, 20);
	for (CGContextRef context : {static_cast<CGContextRef> (offSurface), static_cast<CGContextRef> (fractional)})
		CGContextSetInterpolationQuality (context, kCGInterpolationNone);
	CGContextClipToRect (offSurface, CGRectMake (30, 0, 5, 20));
	CGContextDrawImage (offSurface, CGRectMake (0, 0, 20, 20), image);
	EXPECT_EQ (offSurface.drawnPixels (), 0u);

	CGContextSetShouldAntialias (fractional, false);
	CGContextClipToRect (fractional, CGRectMake (0, 0, 10.4, 20));
	CGContextDrawImage (fractional, CGRectMake (0, 0, 20, 20), image);
	EXPECT_EQ (fractional.drawnPixels (), 200u) << "the columns whose centres the clip holds";
	CGImageRelease (image);
}

TEST (CGContextGeometry, CoordinatesFarOutsideTheSurfaceNeitherWrapNorCrash)
{
	BitmapContext context (20, 2);
	// Past cairo's fixed-point range these would land on the surface.
	CGContextSaveGState (context);
	CGContextClipToRect (context, CGRectMake (16777219., 0, 5, 2));
	CGContextFillRect (context, CGRectMake (0, 0, 20, 2));
	CGContextRestoreGState (context);
	CGContextFillRect (context, CGRectMake (-4294967296. + 3, 0, 5, 2));
	auto image = createPositionImage (10, 2);
	CGContextDrawImage (context, CGRectMake (-4294967290., 0, 10, 2), image);
	CGContextDrawImage (context, CGRectMake (5, 0, 0, 2), image);
	CGContextDrawImage (context, CGRectMake (NAN, 0, 10, 2), image);
	EXPECT_EQ (context.drawnPixels (), 0u);

	CGContextClipToRect (context, CGRectMake (-1e12, -1e12, 2e12, 2e12));
	CGContextFillRect (context, CGRectMake (-1e12, -1e12, 2e12, 2e12));
	EXPECT_EQ (context.drawnPixels (), 40u);
	CGImageRelease (image);
}

TEST (CGAffineTransformInvert, UndoesScalesFarFromOneAndLeavesWhatHasNoInverse)
{
	const CGAffineTransform invertible[] = {
	    CGAffineTransformMakeScale (1e200, 1e200),      CGAffineTransformMakeScale (1e-200, 1e-200),
	    CGAffineTransformMakeScale (1e300, -1e-300),    {0., 1e200, -1e200, 0., 5., -7.},
	    {1e-160, 2e-160, -3e-160, 1e-160, 0., 0.},      {3., 1., 2., 4., 10., 20.},
	};
	for (const auto& t : invertible)
	{
		const auto inverse = CGAffineTransformInvert (t);
		for (auto point : {CGPointMake (0, 0), CGPointMake (1, 2), CGPointMake (-3.5, 1e-3)})
		{
			const auto back = CGPointApplyAffineTransform (CGPointApplyAffineTransform (point, t), inverse);
			EXPECT_NEAR (back.x, point.x, 1e-9) << t.a << " " << t.b << " " << t.c << " " << t.d;
			EXPECT_NEAR (back.y, point.y, 1e-9) << t.a << " " << t.b << " " << t.c << " " << t.d;
		}
	}
	const CGAffineTransform singular[] = {
	    {0., 0., 0., 0., 1., 2.}, {1., 2., 2., 4., 0., 0.}, {NAN, 0., 0., 1., 0., 0.}, {INFINITY, 0., 0., 1., 0., 0.}};
	for (const auto& t : singular)
	{
		const auto inverse = CGAffineTransformInvert (t);
		EXPECT_EQ (std::memcmp (&inverse, &t, sizeof t), 0) << "handed back unchanged: " << t.a << " " << t.d;
	}
}

struct ReleaseLog
{
	int calls = 0;
	void* info = nullptr;
	const void* data = nullptr;
	size_t size = 0;
};

void logRelease (void* info, const void* data, size_t size)
{
	auto log = static_cast<ReleaseLog*> (info);
	++log->calls;
	log->info = info;
	log->data = data;
	log->size = size;
}

TEST (CGDataProvider, CallsItsReleaseOnceWhenTheLastReferenceGoes)
{
	ReleaseLog log;
	uint32_t pixels[4] = {positionPixel (0, 0), positionPixel (1, 0), positionPixel (0, 1), positionPixel (1, 1)};
	auto provider = CGDataProviderCreateWithData (&log, pixels, sizeof pixels, logRelease);
	auto space = CGColorSpaceCreateDeviceRGB ();
	auto image = CGImageCreate (2, 2, 8, 32, 8, space, kNativeARGB, provider, nullptr, false, kCGRenderingIntentDefault);
	ASSERT_NE (image, nullptr);
	CGColorSpaceRelease (space);
	CGDataProviderRelease (provider);
	EXPECT_EQ (CGImageGetDataProvider (image), provider) << "the image holds the provider";
	EXPECT_EQ (CFGetRetainCount (provider), 1);

	auto copy = CGDataProviderCopyData (CGImageGetDataProvider (image));
	pixels[0] = 0;
	EXPECT_EQ (CFDataGetLength (copy), 16);
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (CFDataGetBytePtr (copy))[0], positionPixel (0, 0));
	CFRelease (copy);

	EXPECT_EQ (log.calls, 0);
	CGImageRelease (image);
	EXPECT_EQ (log.calls, 1);
	EXPECT_EQ (log.info, &log);
	EXPECT_EQ (log.data, pixels);
	EXPECT_EQ (log.size, sizeof pixels);
}

TEST (CGImageCreate, RefusesWhatItCannotDraw)
{
	static uint8_t bytes[40 * 4];
	auto provider = CGDataProviderCreateWithData (nullptr, bytes, sizeof bytes, nullptr);
	auto space = CGColorSpaceCreateDeviceRGB ();
	const struct
	{
		size_t width, height, bitsPerComponent, bytesPerRow;
		CGBitmapInfo info;
		bool made;
	} cases[] = {
	    {10, 4, 8, 40, kNativeARGB, true},
	    {10, 4, 8, 40, kCGImageAlphaNoneSkipFirst | kCGBitmapByteOrder32Host, true},
	    {9, 4, 8, 38, kNativeARGB, true}, // rows cairo cannot use: copied
	    {10, 4, 8, 40, kCGImageAlphaPremultipliedLast | kCGBitmapByteOrder32Big, false},
	    {10, 4, 16, 40, kNativeARGB, false},
	    {10, 5, 8, 40, kNativeARGB, false}, // more rows than bytes
	    {10, 4, 8, 36, kNativeARGB, false}, // rows shorter than the pixels
	    {0, 4, 8, 40, kNativeARGB, false},
	    {32768, 1, 8, 40, kNativeARGB, false},
	};
	for (const auto& c : cases)
	{
		auto image = CGImageCreate (c.width, c.height, c.bitsPerComponent, 32, c.bytesPerRow, space, c.info, provider,
		                            nullptr, false, kCGRenderingIntentDefault);
		EXPECT_EQ (image != nullptr, c.made) << c.width << " x " << c.height << " rows of " << c.bytesPerRow;
		CGImageRelease (image);
	}
	EXPECT_EQ (CGImageCreate (10, 4, 8, 32, 40, space, kNativeARGB, nullptr, nullptr, false, kCGRenderingIntentDefault),
	           nullptr);
	EXPECT_EQ (CGBitmapContextCreate (nullptr, 40000, 1, 8, 0, space, kNativeARGB), nullptr);
	EXPECT_EQ (CGBitmapContextCreate (nullptr, 10, 1, 8, 39, space, kNativeARGB), nullptr);
	CGColorSpaceRelease (space);
	CGDataProviderRelease (provider);
}

TEST (CGBitmapContextCreateImage, CopiesThePixelsAsTheyAreNow)
{
	BitmapContext context (3, 3);
	CGContextFillRect (context, CGRectMake (0, 0, 3, 3));
	auto image = CGBitmapContextCreateImage (context);
	CGContextSetRGBFillColor (context, 1, 1, 1, 1);
	CGContextFillRect (context, CGRectMake (0, 0, 3, 3));
	auto bytes = CGDataProviderCopyData (CGImageGetDataProvider (image));
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (CFDataGetBytePtr (bytes))[4], 0xFF000000u);
	EXPECT_EQ (context.at (1, 1), 0xFFFFFFFFu);
	CFRelease (bytes);
	CGImageRelease (image);
}

TEST (CFStandInDiagnostics, CountObjectsAndAutoreleasedReferences)
{
	CFStandIn::drainAutoreleasePool ();
	const auto created = CFStandIn::objectsCreated ();
	const auto alive = CFStandIn::objectsAlive ();
	auto space = CGColorSpaceCreateDeviceRGB ();
	CGColorSpaceRetain (space);
	EXPECT_EQ (CFGetRetainCount (space), 2);
	CFAutorelease (space);
	CGColorSpaceRelease (space);
	EXPECT_EQ (CFStandIn::objectsCreated (), created + 1);
	EXPECT_EQ (CFStandIn::objectsAlive (), alive + 1);
	CFStandIn::drainAutoreleasePool ();
	EXPECT_EQ (CFStandIn::objectsAlive (), alive);
}

} // namespace
