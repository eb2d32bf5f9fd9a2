// The rectangles that bitmap drawing hands to Core Graphics, and the state it
// draws them in.
#include "Canvas.h"
#include "DrawRecorder.h"
#include "PositionImage.h"
#include "RecordingPlatformBitmap.h"
#include "Rect.h"
#include "TwoFactorStrip.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

struct Grid
{
	uint32_t columns, rows;
	double scale;
};

struct GeometryCase
{
	const char* name;
	uint32_t pixelsWide, pixelsHigh;
	double factor;
	bool gridded;
	Grid grid;
	CRect rect;
	CPoint offset;
	// In the space where view y becomes -y, before the bitmap's factor is
	// applied to both.
	Rect destination;
	Rect clip;
};

const GeometryCase geometryCases[] = {
    {"third frame of a 3-column strip", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {100, 0},
     {-90, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 99.5 rounds up to the third frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {99.5, 0},
     {-90, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 99.4 also rounds up to the third frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {99.4, 0},
     {-90, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 49.3 rounds up to the second frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {49.3, 0},
     {-40, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 99 is in the second frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {99, 0},
     {-40, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 0.4 is in the first frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {0.4, 0},
     {10, -70, 150, 50}, {10, -70, 50, 50}},
    {"offset 149.5 lies past the last frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 60, 70}, {149.5, 0},
     {-140, -70, 150, 50}, {10, -70, 50, 50}},
    {"a smaller rectangle still clips a whole frame", 300, 100, 1., true, {3, 1, 0.5}, {10, 20, 30, 35}, {100, 0},
     {-90, -70, 150, 50}, {10, -70, 50, 50}},
    {"3 by 2 sheet, second column of the second row", 300, 200, 1., true, {3, 2, 0.5}, {0, 0, 50, 50}, {50, 50},
     {-50, -50, 150, 100}, {0, -50, 50, 50}},
    {"grid scale 1 takes the plain path", 300, 100, 1., true, {3, 1, 1.}, {10, 20, 110, 120}, {200, 0},
     {-190, -120, 300, 100}, {10, -120, 100, 100}},
    // The clip's corner moves from 10.5 to 11, half a device pixel, and the
    // image with it: left at 10.5, device column 60 would sit on the edge
    // between image column 49, the clip's last, and column 50.
    {"plain sizes and offsets are truncated", 200, 100, 1., false, {}, {10.5, 20, 60.9, 70}, {0.9, 30.6},
     {11, -90, 200, 100}, {11, -70, 50, 50}},
    {"plain clip sizes are truncated, not rounded", 200, 100, 1., false, {}, {10, 20, 60.6, 70.7}, {0, 0},
     {10, -120, 200, 100}, {10, -70, 50, 50}},
    {"a strip's second frame from a half-pixel corner", 37, 1769, 1., true, {1, 61, 1.}, {6, 5.5, 43, 34.5},
     {0, 29}, {6, -1745, 37, 1769}, {6, -34, 37, 29}},
    {"a half-pixel corner moves the grid's image with the clip", 300, 100, 1., true, {3, 1, 0.5},
     {10.5, 20.5, 60.5, 70.5}, {100, 0}, {-89, -70, 150, 50}, {11, -70, 50, 50}},
    {"a quarter-pixel corner leaves the image where it is", 300, 100, 1., true, {3, 1, 0.5},
     {10.25, 20.25, 60.25, 70.25}, {100, 0}, {-89.75, -70.25, 150, 50}, {10, -70, 50, 50}},
    {"factor 2 without a grid", 400, 200, 2., false, {}, {0, 0, 200, 100}, {0, 0}, {0, -100, 200, 100},
     {0, -100, 200, 100}},
    {"factor 2 with a grid draws the frame at twice its reported size", 600, 200, 2., true, {3, 1, 0.5},
     {10, 20, 60, 70}, {100, 0}, {-190, -120, 300, 100}, {10, -120, 100, 100}},
    {"a sheet narrower than its column count", 20, 10, 1., true, {7, 1, 0.25}, {10, 20, 60, 70}, {3.7, 1.2},
     {7, -21, 5, 2}, {10, -22, 5, 2}},
    {"no columns: the whole sheet with the plain offset", 300, 100, 1., true, {0, 1, 0.5}, {10, 20, 60, 70},
     {30, 0}, {-20, -70, 150, 50}, {10, -70, 150, 50}},
    {"grid scale 0 clips everything away", 300, 100, 1., true, {3, 1, 0.}, {10, 20, 60, 70}, {0, 0},
     {10, -20, 0, 0}, {10, -20, 0, 0}},
    {"grid scale NaN clips everything away", 300, 100, 1., true, {3, 1, std::numeric_limits<double>::quiet_NaN ()},
     {10, 20, 60, 70}, {0, 0}, {10, -20, 0, 0}, {10, -20, 0, 0}},
    {"a negative grid scale clips everything away", 300, 100, 1., true, {3, 1, -0.5}, {10, 20, 60, 70}, {0, 0},
     {10, -20, 0, 0}, {10, -20, 0, 0}},
    {"an inverted rectangle clips everything away", 200, 100, 1., false, {}, {60, 70, 10, 20}, {0, 0},
     {60, -170, 200, 100}, {60, -70, 0, 0}},
    {"with a grid an inverted rectangle still shows the frame at its corner", 300, 100, 1., true, {3, 1, 0.5},
     {60, 70, 10, 20}, {0, 0}, {60, -120, 150, 50}, {60, -120, 50, 50}},
};

class BitmapGeometry : public ::testing::TestWithParam<GeometryCase>
{
};

TEST_P (BitmapGeometry, ReachesCoreGraphics)
{
	const auto& c = GetParam ();
	auto platformBitmap = makePositionBitmap (c.pixelsWide, c.pixelsHigh, c.factor);
	if (c.gridded)
		platformBitmap->setFrameGrid (c.grid.columns, c.grid.rows, c.grid.scale);
	CBitmap bitmap (platformBitmap.get ());
	Canvas canvas (200, 200);
	DrawRecorder recorder (canvas.cgContext ());

	canvas.context ().drawBitmap (&bitmap, c.rect, c.offset);

	ASSERT_EQ (recorder.draws.size (), 1u);
	ASSERT_FALSE (recorder.clips.empty ());
	EXPECT_EQ (toRect (recorder.draws.back ().rect), scaled (c.destination, c.factor));
	EXPECT_EQ (toRect (recorder.clips.back ()), scaled (c.clip, c.factor));
	EXPECT_EQ (recorder.draws.back ().image, platformBitmap->getCGImage ());
	// The bitmap's factor is undone in the transform: the 200 x 200 canvas
	// flipped, then scaled down by the factor.
	const auto& ctm = recorder.draws.back ().state.ctm;
	EXPECT_EQ (ctm.a, 1. / c.factor);
	EXPECT_EQ (ctm.d, 1. / c.factor);
	EXPECT_EQ (ctm.ty, 200.);
}

INSTANTIATE_TEST_SUITE_P (Cases, BitmapGeometry, ::testing::ValuesIn (geometryCases),
                          [] (const auto& info) {
	                          std::string name;
	                          for (const char* p = info.param.name; *p; ++p)
		                          name += std::isalnum (static_cast<unsigned char> (*p)) ? *p : '_';
	                          return name;
                          });

TEST (BitmapGeometryAtFactorTwo, TakesTheImageOfTheChosenBitmapAndTheGeometryOfTheFirst)
{
	TwoFactorStrip strip;
	ASSERT_EQ (strip.bitmap->getBestPlatformBitmapForScaleFactor (2.), strip.second);
	Canvas canvas (200, 200, 2.);
	DrawRecorder recorder (canvas.cgContext ());

	canvas.context ().drawBitmap (strip.bitmap, CRect (10, 20, 60, 70), CPoint (100, 0));

	ASSERT_EQ (recorder.draws.size (), 1u);
	EXPECT_EQ (recorder.draws.back ().image, strip.second->getCGImage ());
	EXPECT_EQ (toRect (recorder.draws.back ().rect), scaled (Rect {-90, -70, 150, 50}, 2.));
	EXPECT_EQ (toRect (recorder.clips.back ()), scaled (Rect {10, -70, 50, 50}, 2.));
}

TEST (BitmapGeometryInTransformedViews, ChoosesByTheTransformedScaleAndAlignsTheViewOffset)
{
	auto one = makePositionBitmap (100, 100, 1.);
	auto two = makePositionBitmap (200, 200, 2.);
	CBitmap bitmap (one.get ());
	ASSERT_TRUE (bitmap.addBitmap (two));
	Canvas canvas (200, 200);
	DrawRecorder recorder (canvas.cgContext ());
	{
		CDrawContext::Transform zoom (canvas.context (), CGraphicsTransform ().scale (2., 2.).translate (5.4, 0));
		canvas.context ().drawBitmap (&bitmap, CRect (0, 0, 100, 100));
	}
	{
		CDrawContext::Transform skew (canvas.context (), CGraphicsTransform (2., 0.5, 0., 2., 0., 0.));
		canvas.context ().drawBitmap (&bitmap, CRect (0, 0, 100, 100));
	}
	ASSERT_EQ (recorder.draws.size (), 2u);
	EXPECT_EQ (recorder.draws[0].image, two->getCGImage ()) << "scale factor 1 times m11 2";
	EXPECT_EQ (recorder.draws[0].state.ctm.tx, 5.) << "the view's offset is aligned to device pixels";
	EXPECT_EQ (recorder.draws[1].image, one->getCGImage ()) << "a skewed transform leaves the factor alone";
}

TEST (BitmapDrawState, IsUnsmoothedWhateverInterpolationQualityIsSet)
{
	auto plain = makeGriddedBitmap (30, 30, 1., 1, 1, 1.);
	auto gridded = makeGriddedBitmap (300, 100, 1., 3, 1, 0.5);
	Canvas canvas (40, 40);
	DrawRecorder recorder (canvas.cgContext ());
	for (auto quality : {BitmapInterpolationQuality::kDefault, BitmapInterpolationQuality::kLow,
	                     BitmapInterpolationQuality::kMedium, BitmapInterpolationQuality::kHigh})
	{
		for (CBitmap* bitmap : {plain.get (), gridded.get ()})
		{
			SCOPED_TRACE (bitmap == plain ? "plain" : "gridded");
			recorder.draws.clear ();
			canvas.context ().setBitmapInterpolationQuality (quality);
			canvas.context ().drawBitmap (bitmap, CRect (0, 0, 30, 30));
			ASSERT_EQ (recorder.draws.size (), 1u);
			EXPECT_FALSE (recorder.draws.back ().state.shouldAntialias);
			EXPECT_EQ (recorder.draws.back ().state.interpolationQuality, kCGInterpolationNone);
		}
	}
}

TEST (BitmapDrawState, DrawsAtAlphaTimesGlobalAlphaAndNotAtZero)
{
	auto bitmap = makeGriddedBitmap (30, 30, 1., 1, 1, 1.);
	Canvas canvas (40, 40);
	DrawRecorder recorder (canvas.cgContext ());
	canvas.context ().setGlobalAlpha (0.5f);
	canvas.context ().drawBitmap (bitmap, CRect (0, 0, 30, 30), CPoint (), 0.5f);
	ASSERT_EQ (recorder.draws.size (), 1u);
	EXPECT_EQ (recorder.draws.back ().state.alpha, 0.25);

	canvas.context ().drawBitmap (bitmap, CRect (0, 0, 30, 30), CPoint (), 0.f);
	EXPECT_EQ (recorder.draws.size (), 1u);
}

TEST (BitmapDrawState, IsRestoredAfterTheDraw)
{
	auto bitmap = makeGriddedBitmap (300, 100, 2., 3, 1, 0.5);
	Canvas canvas (200, 200);
	auto before = CGContextGetCTM (canvas.cgContext ());
	canvas.context ().drawBitmap (bitmap, CRect (10, 20, 60, 70));
	EXPECT_TRUE (CGAffineTransformEqualToTransform (CGContextGetCTM (canvas.cgContext ()), before));
	EXPECT_EQ (CGContextGetInterpolationQuality (canvas.cgContext ()), kCGInterpolationDefault);

	// The frame's clip is gone: a fill reaches the far corner.
	CGContextFillRect (canvas.cgContext (), CGRectMake (0, -200, 200, 200));
	EXPECT_EQ (canvas.wordAt (199, 199), 0xFF000000u);
}

TEST (BitmapDrawFailures, DrawNothingAndKeepNoReference)
{
	Canvas canvas (100, 100);
	DrawRecorder recorder (canvas.cgContext ());
	auto drawable = makePositionBitmap (30, 30);
	CBitmap bitmap (drawable.get ());
	CBitmap withoutPlatformBitmap (nullptr);
	auto empty = makeOwned<CGBitmap> ();
	CBitmap withoutImage (empty.get ());
	// A platform bitmap of another platform: never drawn here.
	auto foreign = makeOwned<RecordingPlatformBitmap> ();
	CBitmap ofAnotherPlatform (foreign.get ());
	const auto references = drawable->getNbReference ();

	canvas.context ().drawBitmap (nullptr, CRect (0, 0, 30, 30));
	canvas.context ().drawBitmap (&withoutPlatformBitmap, CRect (0, 0, 30, 30));
	canvas.context ().drawBitmap (&withoutImage, CRect (0, 0, 30, 30));
	canvas.context ().drawBitmap (&ofAnotherPlatform, CRect (0, 0, 30, 30));
	canvas.context ().drawBitmap (&bitmap, CRect (0, 0, 30, 30), CPoint (), 0.f);
	canvas.context ().setClipRect (CRect (10, 10, 10, 40));
	canvas.context ().drawBitmap (&bitmap, CRect (0, 0, 30, 30));
	EXPECT_TRUE (recorder.draws.empty ());
	EXPECT_EQ (drawable->getNbReference (), references);
	EXPECT_EQ (empty->getNbReference (), 2);
	EXPECT_EQ (foreign->getNbReference (), 2);

	CGDrawContext withoutCGContext (nullptr, CRect (0, 0, 100, 100));
	withoutCGContext.drawBitmap (&bitmap, CRect (0, 0, 30, 30));
	EXPECT_EQ (drawable->getNbReference (), references);
}

// No pixels, or more than an image can hold (its sides stop at 32767, and
// past 32-bit buffer arithmetic there is no buffer): no image, nothing drawn,
// with or without a grid, at any grid scale.
TEST (BitmapDrawFailures, ABitmapOfNoPixelsOrTooManyDrawsNothing)
{
	const CPoint sizes[] = {{0, 0}, {0, 4}, {10, 0}, {40000, 1}, {1e12, 100}};
	for (const auto& size : sizes)
	{
		for (double gridScale : {1., 0.5, 0., std::numeric_limits<double>::quiet_NaN ()})
		{
			SCOPED_TRACE (std::to_string (size.x) + " x " + std::to_string (size.y) + " grid scale " +
			              std::to_string (gridScale));
			auto platformBitmap = makeOwned<CGBitmap> (size);
			platformBitmap->setFrameGrid (3, 1, gridScale);
			CBitmap bitmap (platformBitmap.get ());
			EXPECT_EQ (platformBitmap->getCGImage (), nullptr);
			EXPECT_EQ (platformBitmap->getBytes (), nullptr);
			Canvas canvas (60, 60);
			DrawRecorder recorder (canvas.cgContext ());
			canvas.context ().drawBitmap (&bitmap, CRect (0, 0, 30, 30));
			canvas.context ().fillRectWithBitmap (&bitmap, CRect (0, 0, 10, 10), CRect (0, 0, 60, 60), 1.f);
			EXPECT_TRUE (recorder.draws.empty ());
			EXPECT_FALSE (canvas.drawnOutside (CRect ()));
		}
	}
}

TEST (BitmapDrawFailures, ACallerPassingNoUsableBitmapGetsNothingDrawn)
{
	// drawCGImageRef called directly, with nothing to take the geometry from.
	Canvas canvas (100, 100);
	DrawRecorder recorder (canvas.cgContext ());
	auto image = createPositionImage (30, 30);
	CBitmap withoutPlatformBitmap (nullptr);
	for (CBitmap* bitmap : {static_cast<CBitmap*> (nullptr), &withoutPlatformBitmap})
	{
		CGContextSaveGState (canvas.cgContext ());
		canvas.context ().drawCGImageRef (canvas.cgContext (), image, nullptr, 1., CRect (0, 0, 30, 30), CPoint (),
		                                  1.f, bitmap);
		CGContextRestoreGState (canvas.cgContext ());
	}
	EXPECT_TRUE (recorder.draws.empty ());
	CGImageRelease (image);
}

TEST (BitmapDrawFailures, ANegativeOffsetNamesNoPartOfTheBitmap)
{
	Canvas canvas (100, 100);
	DrawRecorder recorder (canvas.cgContext ());
	auto plain = makeGriddedBitmap (30, 30, 1., 1, 1, 1.);
	auto gridded = makeGriddedBitmap (300, 100, 1., 3, 1, 0.5);
	for (CBitmap* bitmap : {plain.get (), gridded.get ()})
	{
		for (auto offset : {CPoint (-1, 0), CPoint (0, -0.5), CPoint (-1e300, -1e300)})
			canvas.context ().drawBitmap (bitmap, CRect (10, 10, 60, 60), offset);
	}
	EXPECT_TRUE (recorder.draws.empty ());
	EXPECT_FALSE (canvas.drawnOutside (CRect ()));
}

TEST (BeginCGContext, MapsViewCoordinatesFlippedOrAsTheyAre)
{
	Canvas canvas (200, 100);
	CDrawContext::Transform moved (canvas.context (), CGraphicsTransform ().translate (5.4, 10.6));
	const struct
	{
		bool swapYAxis, integralOffset;
		CGPoint user;
		CGPoint device;
	} cases[] = {
	    {false, false, {10, -20}, {15.4, 100 - 30.6}},
	    {true, false, {10, 20}, {15.4, 100 - 30.6}},
	    {false, true, {10, -20}, {15, 100 - 31}},
	    {true, true, {10, 20}, {15, 100 - 31}},
	};
	for (const auto& c : cases)
	{
		auto context = canvas.context ().beginCGContext (c.swapYAxis, c.integralOffset);
		ASSERT_EQ (context, canvas.cgContext ());
		auto device = CGContextConvertPointToDeviceSpace (context, c.user);
		EXPECT_NEAR (device.x, c.device.x, 1e-9) << c.swapYAxis << c.integralOffset;
		EXPECT_NEAR (device.y, c.device.y, 1e-9) << c.swapYAxis << c.integralOffset;
		canvas.context ().releaseCGContext (context);
	}
}

TEST (PixelAlligned, RoundsToDevicePixelsHalvesAwayFromZero)
{
	Canvas canvas (200, 100, 2.);
	const std::pair<CGPoint, CGPoint> points[] = {
	    {{10.25, -20.25}, {10.5, -20}}, // device (20.5, 159.5) -> (21, 160)
	    {{10.2, -20.2}, {10, -20}},
	    {{-10.25, -0.5}, {-10.5, -0.5}},
	};
	for (auto [point, aligned] : points)
	{
		auto result = canvas.context ().pixelAlligned (point);
		EXPECT_EQ (result.x, aligned.x) << point.x;
		EXPECT_EQ (result.y, aligned.y) << point.y;
	}
	auto rect = canvas.context ().pixelAlligned (CGRectMake (0.3, -10.3, 5.4, 5.4));
	EXPECT_EQ (toRect (rect), (Rect {0.5, -10.5, 5, 5.5}));
}

} // namespace
