// Which image pixels land where when bitmaps are drawn into a bitmap context.
// Every image pixel holds its own column and row (BitmapTestSupport.h).
#include "BitmapTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

// Image coordinates (column, row) of a point.
using ImagePoint = std::pair<double, double>;

// The nearest image pixel of a coordinate is the one it lies in; a
// coordinate on the edge between two lies in both.
bool isNearest (uint32_t pixel, double coordinate)
{
	const double whole = std::floor (coordinate);
	return pixel == whole || (coordinate == whole && pixel + 1. == whole);
}

// Expects every device pixel of `area` (view coordinates; `step` is the size
// of a device pixel) to show, opaque and unblended, the image pixel nearest
// to where `source` maps the device pixel's centre.
template <typename SourceOf>
void expectArea (const Canvas& canvas, const CRect& area, double step, SourceOf source)
{
	int mismatches = 0;
	for (double y = area.top + step / 2; y < area.bottom; y += step)
	{
		for (double x = area.left + step / 2; x < area.right; x += step)
		{
			const ImagePoint expected = source (x, y);
			const auto word = canvas.wordAt (x, y);
			const auto shown = decodePixel (word);
			const bool matches = word == positionPixel (shown.column, shown.row) &&
			                     isNearest (shown.column, expected.first) && isNearest (shown.row, expected.second);
			if (!matches && ++mismatches <= 5)
				ADD_FAILURE () << "at (" << x << ", " << y << ") expected image point (" << expected.first << ", "
				               << expected.second << "), got column " << shown.column << " row " << shown.row
				               << " alpha " << int (shown.alpha);
		}
	}
	EXPECT_EQ (mismatches, 0);
}

// The 3-column strip of 300 x 100 pixels at grid scale 0.5: 150 x 50 points,
// each frame 50 x 50 points of 100 x 100 pixels.
SharedPointer<CBitmap> threeColumnStrip ()
{
	return makeGriddedBitmap (300, 100, 1., 3, 1, 0.5);
}

// The image point of a frame `frameWidth` pixels wide, frame number `frame`,
// shown at view (x, y) when the frame's top-left corner is at `corner`, at
// two image pixels a point.
auto stripFrameAt (uint32_t frame, CPoint corner, double frameWidth = 100)
{
	return [=] (double x, double y) {
		return ImagePoint (frame * frameWidth + (x - corner.x) * 2, (y - corner.y) * 2);
	};
}

TEST (BitmapPixels, OnlyTheThirdFrameOfTheStripShowsInTheRectangle)
{
	Canvas canvas (200, 200);
	auto strip = threeColumnStrip ();
	strip->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));

	expectArea (canvas, CRect (10, 20, 60, 70), 1., stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

TEST (BitmapPixels, TheOffsetSelectsTheFrameItLiesInOrOneAGridPixelShort)
{
	const struct
	{
		double offset;
		int frame; // -1: nothing shows
	} cases[] = {{99.5, 2}, {99, 1}, {0.4, 0}, {149.5, -1}, {50, 1}, {0, 0}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.offset);
		Canvas canvas (200, 200);
		threeColumnStrip ()->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (c.offset, 0));
		if (c.frame < 0)
			EXPECT_FALSE (canvas.drawnOutside (CRect ()));
		else
			expectArea (canvas, CRect (10, 20, 60, 70), 1., stripFrameAt (c.frame, CPoint (10, 20)));
		EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
	}
}

TEST (BitmapPixels, ASmallerRectangleStillShowsTheWholeFrame)
{
	Canvas canvas (200, 200);
	threeColumnStrip ()->draw (&canvas.context (), CRect (10, 20, 30, 35), CPoint (100, 0));
	expectArea (canvas, CRect (10, 20, 60, 70), 1., stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

TEST (BitmapPixels, TheSheetShowsTheFrameOfTheOffsetsColumnAndRow)
{
	Canvas canvas (200, 200);
	auto sheet = makeGriddedBitmap (300, 200, 1., 3, 2, 0.5);
	sheet->draw (&canvas.context (), CRect (0, 0, 50, 50), CPoint (50, 50));
	expectArea (canvas, CRect (0, 0, 50, 50), 1, [] (double x, double y) {
		return ImagePoint (100 + x * 2, 100 + y * 2);
	});
	EXPECT_FALSE (canvas.drawnOutside (CRect (0, 0, 50, 50)));
}

TEST (BitmapPixels, AFactorTwoBitmapCoversItsSizeInPoints)
{
	Canvas canvas (250, 150);
	auto bitmap = makeGriddedBitmap (400, 200, 2., 1, 1, 1.);
	bitmap->draw (&canvas.context (), CRect (20, 30, 250, 150));
	expectArea (canvas, CRect (20, 30, 220, 130), 1., [] (double x, double y) {
		return ImagePoint ((x - 20) * 2, (y - 30) * 2);
	});
	EXPECT_FALSE (canvas.drawnOutside (CRect (20, 30, 220, 130)));
}

TEST (BitmapPixels, AFactorTwoGridDrawsTheFrameAtTwiceItsReportedSize)
{
	Canvas canvas (200, 200);
	auto strip = makeGriddedBitmap (600, 200, 2., 3, 1, 0.5);
	ASSERT_EQ (strip->getSize (), CPoint (150, 50));
	strip->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));
	// The third frame, pixels 400 to 599, at two image pixels a point.
	expectArea (canvas, CRect (10, 20, 110, 120), 1., stripFrameAt (2, CPoint (10, 20), 200));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 110, 120)));
}

TEST (BitmapPixels, OnAFactorTwoContextTheFactorTwoImageMapsPixelForPixel)
{
	TwoFactorStrip strip;
	Canvas canvas (100, 100, 2.);
	strip.bitmap->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));
	// The first's grid: a 50 x 50-point frame, the third, of the second's
	// 300 x 100 pixels drawn at 150 x 50 points.
	expectArea (canvas, CRect (10, 20, 60, 70), 0.5, stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

TEST (BitmapPixels, AFillDrawsThreeTilesTheLastPastTheFillsEdge)
{
	Canvas canvas (200, 100);
	auto strip = threeColumnStrip ();
	canvas.context ().fillRectWithBitmap (strip, CRect (0, 0, 50, 50), CRect (0, 0, 120, 50), 1.f);
	for (double left : {0., 50., 100.})
	{
		SCOPED_TRACE (left);
		expectArea (canvas, CRect (left, 0, left + 50, 50), 1., stripFrameAt (0, CPoint (left, 0)));
	}
	EXPECT_FALSE (canvas.drawnOutside (CRect (0, 0, 150, 50)));
}

TEST (BitmapPixels, EmptyFillRectanglesDrawNothing)
{
	Canvas canvas (200, 100);
	auto strip = threeColumnStrip ();
	canvas.context ().fillRectWithBitmap (strip, CRect (0, 0, 0, 50), CRect (0, 0, 120, 50), 1.f);
	canvas.context ().fillRectWithBitmap (strip, CRect (0, 0, 50, 50), CRect (0, 50, 120, 50), 1.f);
	canvas.context ().fillRectWithBitmap (strip, CRect (0, 0, 50, 50), CRect (0, 0, 120, 50), 0.f);
	canvas.context ().fillRectWithBitmap (nullptr, CRect (0, 0, 50, 50), CRect (0, 0, 120, 50), 1.f);
	EXPECT_FALSE (canvas.drawnOutside (CRect ()));
}

TEST (BitmapPixels, AreSampledNearestNeighbourWithHardEdgesAtEveryQuality)
{
	// 2 x 2 pixels shown at 20 x 20 points from a fractional corner.
	auto bitmap = makeGriddedBitmap (2, 2, 1., 1, 1, 10.);
	for (auto quality : {BitmapInterpolationQuality::kDefault, BitmapInterpolationQuality::kLow,
	                     BitmapInterpolationQuality::kMedium, BitmapInterpolationQuality::kHigh})
	{
		SCOPED_TRACE (static_cast<int> (quality));
		Canvas canvas (50, 50);
		canvas.context ().setBitmapInterpolationQuality (quality);
		bitmap->draw (&canvas.context (), CRect (10.3, 10.3, 30.3, 30.3));
		// The clip's corner is aligned to (10, 10); the image starts at 10.3.
		expectArea (canvas, CRect (10, 10, 30, 30), 1., [] (double x, double y) {
			return ImagePoint ((x - 10.3) / 10, (y - 10.3) / 10);
		});
		EXPECT_FALSE (canvas.drawnOutside (CRect (10, 10, 30, 30)));
	}
}

TEST (BitmapPixels, HalfAlphaUnderHalfGlobalAlphaDrawsAtAQuarter)
{
	Canvas canvas (50, 50);
	canvas.context ().setGlobalAlpha (0.5f);
	auto bitmap = makeGriddedBitmap (30, 30, 1., 1, 1, 1.);
	bitmap->draw (&canvas.context (), CRect (0, 0, 30, 30), CPoint (), 0.5f);
	for (auto [x, y] : {std::pair (0.5, 0.5), std::pair (29.5, 29.5), std::pair (15.5, 3.5)})
	{
		auto pixel = canvas.at (x, y);
		EXPECT_NEAR (pixel.alpha, 255 * 0.25, 1.) << x << ", " << y;
	}
	EXPECT_FALSE (canvas.drawnOutside (CRect (0, 0, 30, 30)));
}

} // namespace
