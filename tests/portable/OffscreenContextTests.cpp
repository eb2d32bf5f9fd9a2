// Offscreen contexts: how the library asks a platform frame for one, and the
// Core Graphics context that draws into a bitmap's own pixels.
#include "Canvas.h"
#include "PositionImage.h"
#include "OffscreenPlatformFrame.h"

#include "lib/coffscreencontext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();

TEST (COffscreenContextCreate, MakesNoneWithoutASizeAFrameOrAPlatformContext)
{
	enum class Frame { open, closed, none };
	struct Case
	{
		const char* what;
		CCoord width, height;
		Frame frame;
		bool platformMakesContexts;
		size_t requests;
	};
	const Case cases[] = {
	    {"narrower than a unit", 0.99, 10, Frame::open, true, 0},
	    {"lower than a unit", 10, 0.5, Frame::open, true, 0},
	    {"no width", 0, 10, Frame::open, true, 0},
	    {"NaN width", kNaN, 10, Frame::open, true, 0},
	    {"NaN height", 10, kNaN, Frame::open, true, 0},
	    {"frame not open", 10, 10, Frame::closed, true, 0},
	    {"no frame", 10, 10, Frame::none, true, 0},
	    {"the platform frame makes none", 10, 10, Frame::open, false, 1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
		SharedPointer<OffscreenPlatformFrame> platform;
		if (c.frame == Frame::open)
		{
			platform = openOnOffscreenPlatform (*frame);
			ASSERT_TRUE (platform);
			platform->makesContexts = c.platformMakesContexts;
		}
		auto context = COffscreenContext::create (c.frame == Frame::none ? nullptr : frame.get (), c.width, c.height);
		EXPECT_FALSE (context);
		EXPECT_EQ (platform ? platform->requests.size () : 0u, c.requests);
	}
}

TEST (COffscreenContextCreate, AsksThePlatformFrameForTheSizeAndScale)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
	auto platform = openOnOffscreenPlatform (*frame);
	ASSERT_TRUE (platform);

	auto context = COffscreenContext::create (frame, 1, 30, 2.);
	ASSERT_TRUE (context);
	ASSERT_EQ (platform->requests.size (), 1u);
	EXPECT_EQ (platform->requests[0].width, 1);
	EXPECT_EQ (platform->requests[0].height, 30);
	EXPECT_EQ (platform->requests[0].scaleFactor, 2.);
	ASSERT_TRUE (context->getBitmap ());
	EXPECT_EQ (context->getBitmap ()->getSize (), CPoint (1, 30));
	EXPECT_EQ (context->getBitmap ()->getPlatformBitmap ()->getSize (), CPoint (2, 60));

	ASSERT_TRUE (COffscreenContext::create (frame, 40, 30));
	EXPECT_EQ (platform->requests.back ().scaleFactor, 1.) << "the default scale";
}

// The platform frame's helper: whole pixels, each side rounded up, at the
// asked scale; none without a pixel or a bitmap context.
TEST (CreateCGOffscreenContext, MakesABitmapOfWholePixelsAtTheScale)
{
	struct Case
	{
		const char* what;
		CCoord width, height;
		double scaleFactor;
		bool made;
		CPoint pixels;
	};
	const Case cases[] = {
	    {"twice the units", 10, 5, 2., true, {20, 10}},
	    {"a part pixel rounds up", 10.25, 5, 1., true, {11, 5}},
	    {"below a unit, a whole pixel", 0.5, 4, 2., true, {1, 8}},
	    {"a fraction of a pixel", 0.2, 4, 2., true, {1, 8}},
	    {"no width", 0, 5, 1., false, {}},
	    {"no scale", 10, 5, 0., false, {}},
	    {"negative scale", 10, 5, -1., false, {}},
	    {"NaN height", 10, kNaN, 1., false, {}},
	    {"more pixels than an image takes", 40000, 1, 1., false, {}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		auto context = createCGOffscreenContext (c.width, c.height, c.scaleFactor);
		ASSERT_EQ (static_cast<bool> (context), c.made);
		if (!context)
			continue;
		auto platformBitmap = context->getBitmap ()->getPlatformBitmap ();
		EXPECT_EQ (platformBitmap->getSize (), c.pixels);
		EXPECT_EQ (platformBitmap->getScaleFactor (), c.scaleFactor);
		EXPECT_EQ (context->getScaleFactor (), c.scaleFactor);
		EXPECT_EQ (context->getSurfaceRect (),
		           CRect (0, 0, c.pixels.x / c.scaleFactor, c.pixels.y / c.scaleFactor));
	}
}

// The word of every pixel of a platform bitmap, rows from the top.
std::vector<uint32_t> pixelsOf (CGBitmap& bitmap)
{
	std::vector<uint32_t> words;
	if (auto pixels = bitmap.lockPixels (true))
	{
		for (uint32_t row = 0; row < bitmap.getSize ().y; ++row)
		{
			auto line = reinterpret_cast<const uint32_t*> (pixels->getAddress () + row * pixels->getBytesPerRow ());
			words.insert (words.end (), line, line + static_cast<uint32_t> (bitmap.getSize ().x));
		}
	}
	return words;
}

TEST (CGDrawContextOnABitmap, DrawsIntoTheBitmapsPixelsAtItsScaleTopRowFirst)
{
	auto target = makeOwned<CGBitmap> (CPoint (8, 6));
	target->setScaleFactor (2.);
	auto context = makeOwned<CGDrawContext> (target.get ());
	ASSERT_TRUE (context->getCGContext ());
	EXPECT_EQ (context->getSurfaceRect (), CRect (0, 0, 4, 3));
	EXPECT_EQ (context->getScaleFactor (), 2.);
	ASSERT_TRUE (context->getBitmap ());
	EXPECT_EQ (context->getBitmap ()->getPlatformBitmap (), target.get ()) << "the bitmap it draws into";

	// A 3 x 2 position image at factor 1, at (1, 1): each of its pixels covers
	// 2 x 2 pixels of the target.
	CBitmap source (makePositionBitmap (3, 2).get ());
	context->beginDraw ();
	context->drawBitmap (&source, CRect (1, 1, 4, 3));
	context->endDraw ();

	const auto words = pixelsOf (*target);
	ASSERT_EQ (words.size (), 48u);
	for (uint32_t y = 0; y < 6; ++y)
	{
		for (uint32_t x = 0; x < 8; ++x)
		{
			const uint32_t expected = x >= 2 && y >= 2 ? positionPixel ((x - 2) / 2, (y - 2) / 2) : 0u;
			EXPECT_EQ (words[y * 8 + x], expected) << "at pixel (" << x << ", " << y << ")";
		}
	}
}

TEST (CGDrawContextOnABitmap, EndDrawMakesTheImageAgainFromThePixels)
{
	auto context = createCGOffscreenContext (3, 2, 1.);
	ASSERT_TRUE (context);
	auto target = static_cast<CGBitmap*> (context->getBitmap ()->getPlatformBitmap ());
	CBitmap source (makePositionBitmap (3, 2).get ());
	context->drawBitmap (&source, CRect (0, 0, 3, 2));

	// Kept alive, so that a new image cannot take its address.
	auto before = CGImageRetain (target->getCGImage ());
	context->endDraw ();
	auto after = target->getCGImage ();
	EXPECT_NE (after, before) << "the image made before endDraw is dropped";
	CGImageRelease (before);

	Canvas canvas (3, 2);
	canvas.context ().drawBitmap (context->getBitmap (), CRect (0, 0, 3, 2));
	EXPECT_EQ (canvas.wordAt (2.5, 1.5), positionPixel (2, 1));
}

TEST (CGDrawContextOnABitmap, KeepsThePixelsOfABitmapMadeFromAnImage)
{
	auto image = createPositionImage (4, 2);
	auto target = makeOwned<CGBitmap> (image);
	CGImageRelease (image);
	CBitmap patch (makePositionBitmap (1, 1).get ()); // one pixel: (0, 0)

	auto first = makeOwned<CGDrawContext> (target.get ());
	first->drawBitmap (&patch, CRect (3, 0, 4, 1));
	// A second context before the first has ended its draw: the pixels drawn
	// so far stay.
	auto second = makeOwned<CGDrawContext> (target.get ());
	second->drawBitmap (&patch, CRect (2, 1, 3, 2));
	second->endDraw ();

	const auto words = pixelsOf (*target);
	ASSERT_EQ (words.size (), 8u);
	EXPECT_EQ (words[1], positionPixel (1, 0)) << "the image's own pixel";
	EXPECT_EQ (words[3], positionPixel (0, 0)) << "drawn by the first context";
	EXPECT_EQ (words[4 + 2], positionPixel (0, 0)) << "drawn by the second context";
	EXPECT_EQ (words[4 + 3], positionPixel (3, 1));
}

TEST (CGDrawContextOnABitmap, WithoutPixelsOrScaleItDrawsNothing)
{
	struct Case
	{
		const char* what;
		SharedPointer<CGBitmap> bitmap;
		double scaleFactor;
	};
	const Case cases[] = {
	    {"no pixels", makeOwned<CGBitmap> (), 1.},
	    {"too wide for a context", makeOwned<CGBitmap> (CPoint (40000, 1)), 1.},
	    {"scale 0", makeOwned<CGBitmap> (CPoint (4, 4)), 0.},
	    {"NaN scale", makeOwned<CGBitmap> (CPoint (4, 4)), kNaN},
	};
	CBitmap source (makePositionBitmap (2, 2).get ());
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		c.bitmap->setScaleFactor (c.scaleFactor);
		auto context = makeOwned<CGDrawContext> (c.bitmap.get ());
		EXPECT_FALSE (context->getCGContext ());
		context->drawBitmap (&source, CRect (0, 0, 2, 2));
		context->endDraw ();
	}
	CGDrawContext noBitmap (static_cast<CGBitmap*> (nullptr));
	EXPECT_FALSE (noBitmap.getBitmap ());
	noBitmap.endDraw ();
}

} // namespace
