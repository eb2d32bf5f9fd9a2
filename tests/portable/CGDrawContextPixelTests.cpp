// Which image pixels land where when bitmaps are drawn into a bitmap context.
// Every image pixel tells its frame, column and row (FrameSheet.h), with
// codes that no blend of pixels imitates.
#include "Canvas.h"
#include "FrameSheet.h"
#include "PositionImage.h"
#include "TwoFactorStrip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

// Sheet coordinates (x, y, in pixels of the whole sheet) of a view point.
using SheetPoint = std::pair<double, double>;

// The sheet pixels nearest to a coordinate that lie in [first, last]: the
// one it lies in, or on the edge between two, both. A tie may go either way
// inside a frame, never out of it.
std::vector<uint32_t> nearest (double coordinate, uint32_t first, uint32_t last)
{
	std::vector<uint32_t> pixels;
	const double whole = std::floor (coordinate);
	for (double pixel : {whole, coordinate == whole ? whole - 1 : whole})
	{
		if (pixel >= first && pixel <= last && (pixels.empty () || pixels.front () != pixel))
			pixels.push_back (static_cast<uint32_t> (pixel));
	}
	return pixels;
}

// Expects every device pixel of `area` (view coordinates; `step` is the size
// of a device pixel) to show exactly a pixel of `sheet` nearest to where
// `source` maps the device pixel's centre, and one of frame `frame`.
template <typename SourceOf>
void expectArea (const Canvas& canvas, const FrameSheet& sheet, uint32_t frame, const CRect& area, double step,
                 SourceOf source)
{
	const uint32_t left = (frame % sheet.columns ()) * sheet.frameWidth ();
	const uint32_t top = (frame / sheet.columns ()) * sheet.frameHeight ();
	int mismatches = 0;
	for (double y = area.top + step / 2; y < area.bottom; y += step)
	{
		for (double x = area.left + step / 2; x < area.right; x += step)
		{
			const SheetPoint expected = source (x, y);
			const auto word = canvas.wordAt (x, y);
			bool matches = false;
			for (auto column : nearest (expected.first, left, left + sheet.frameWidth () - 1))
			{
				for (auto row : nearest (expected.second, top, top + sheet.frameHeight () - 1))
					matches |= word == sheet.wordAt (column, row);
			}
			if (!matches && ++mismatches <= 5)
			{
				const auto shown = sheet.decode (word);
				auto failure = ::testing::AssertionFailure ();
				failure << "at (" << x << ", " << y << ") expected sheet point (" << expected.first << ", "
				        << expected.second << ") of frame " << frame << ", got ";
				if (shown)
					failure << *shown;
				else
					failure << "word " << std::hex << word << ", no pixel of the sheet";
				ADD_FAILURE () << failure.message ();
			}
		}
	}
	EXPECT_EQ (mismatches, 0);
}

// The 3-column strip of 300 x 100 pixels at grid scale 0.5: 150 x 50 points,
// each frame 50 x 50 points of 100 x 100 pixels.
const FrameSheet threeColumns (100, 100, 3, 1);

SharedPointer<CBitmap> threeColumnStrip ()
{
	return makeGriddedBitmap (threeColumns, 1., 0.5);
}

// The sheet point of frame `frame` of a 3-column strip of frames
// `frameWidth` pixels wide, shown at view (x, y) when the frame's top-left
// corner is at `corner`, at two sheet pixels a point.
auto stripFrameAt (uint32_t frame, CPoint corner, double frameWidth = 100)
{
	return [=] (double x, double y) {
		return SheetPoint (frame * frameWidth + (x - corner.x) * 2, (y - corner.y) * 2);
	};
}

TEST (BitmapPixels, OnlyTheThirdFrameOfTheStripShowsInTheRectangle)
{
	Canvas canvas (200, 200);
	auto strip = threeColumnStrip ();
	strip->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));

	expectArea (canvas, threeColumns, 2, CRect (10, 20, 60, 70), 1., stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

TEST (BitmapPixels, TheOffsetSelectsTheFrameItLiesInOrOneAGridPixelShort)
{
	const struct
	{
		double offset;
		int frame; // -1: nothing shows
	} cases[] = {{99.5, 2}, {99.4, 2}, {99, 1}, {49.3, 1}, {0.4, 0}, {149.5, -1}, {50, 1}, {0, 0}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.offset);
		Canvas canvas (200, 200);
		threeColumnStrip ()->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (c.offset, 0));
		if (c.frame < 0)
			EXPECT_FALSE (canvas.drawnOutside (CRect ()));
		else
			expectArea (canvas, threeColumns, c.frame, CRect (10, 20, 60, 70), 1.,
			            stripFrameAt (c.frame, CPoint (10, 20)));
		EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
	}
}

TEST (BitmapPixels, ASmallerRectangleStillShowsTheWholeFrame)
{
	Canvas canvas (200, 200);
	threeColumnStrip ()->draw (&canvas.context (), CRect (10, 20, 30, 35), CPoint (100, 0));
	expectArea (canvas, threeColumns, 2, CRect (10, 20, 60, 70), 1., stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

TEST (BitmapPixels, TheSheetShowsTheFrameOfTheOffsetsColumnAndRow)
{
	Canvas canvas (200, 200);
	const FrameSheet sheet (100, 100, 3, 2);
	makeGriddedBitmap (sheet, 1., 0.5)->draw (&canvas.context (), CRect (0, 0, 50, 50), CPoint (50, 50));
	// Frame 4, the second of the second row.
	expectArea (canvas, sheet, 4, CRect (0, 0, 50, 50), 1, [] (double x, double y) {
		return SheetPoint (100 + x * 2, 100 + y * 2);
	});
	EXPECT_FALSE (canvas.drawnOutside (CRect (0, 0, 50, 50)));
}

TEST (BitmapPixels, AFactorTwoBitmapCoversItsSizeInPoints)
{
	Canvas canvas (250, 150);
	// 400 x 200 pixels in one frame of one grid scale.
	const FrameSheet image (200, 200, 2, 1);
	makeGriddedBitmap (image, 2., 1.)->draw (&canvas.context (), CRect (20, 30, 250, 150));
	for (uint32_t half : {0, 1})
	{
		const double left = 20 + half * 100;
		expectArea (canvas, image, half, CRect (left, 30, left + 100, 130), 1., [] (double x, double y) {
			return SheetPoint ((x - 20) * 2, (y - 30) * 2);
		});
	}
	EXPECT_FALSE (canvas.drawnOutside (CRect (20, 30, 220, 130)));
}

TEST (BitmapPixels, AFactorTwoGridDrawsTheFrameAtTwiceItsReportedSize)
{
	Canvas canvas (200, 200);
	const FrameSheet sheet (200, 200, 3, 1);
	auto strip = makeGriddedBitmap (sheet, 2., 0.5);
	ASSERT_EQ (strip->getSize (), CPoint (150, 50));
	strip->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));
	// The third frame, pixels 400 to 599, at two image pixels a point.
	expectArea (canvas, sheet, 2, CRect (10, 20, 110, 120), 1., stripFrameAt (2, CPoint (10, 20), 200));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 110, 120)));
}

TEST (BitmapPixels, OnAFactorTwoContextTheFactorTwoImageMapsPixelForPixel)
{
	TwoFactorStrip strip;
	Canvas canvas (100, 100, 2.);
	strip.bitmap->draw (&canvas.context (), CRect (10, 20, 60, 70), CPoint (100, 0));
	// The first's grid: a 50 x 50-point frame, the third, of the second's
	// 300 x 100 pixels drawn at 150 x 50 points.
	expectArea (canvas, threeColumns, 2, CRect (10, 20, 60, 70), 0.5, stripFrameAt (2, CPoint (10, 20)));
	EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
}

// The bitmap's scale factor is undone in the context's transform and applied
// to the rectangles, which moves nothing on the device, however far from 1
// the factor is.
TEST (BitmapPixels, ABitmapsScaleFactorMovesNothingHoweverLargeOrSmall)
{
	for (double factor : {1e-300, 1e-160, 1e160, 1e300})
	{
		SCOPED_TRACE (factor);
		Canvas canvas (200, 200);
		makeGriddedBitmap (threeColumns, factor, 0.5)->draw (&canvas.context (), CRect (10, 20, 60, 70));
		expectArea (canvas, threeColumns, 0, CRect (10, 20, 60, 70), 1., stripFrameAt (0, CPoint (10, 20)));
		EXPECT_FALSE (canvas.drawnOutside (CRect (10, 20, 60, 70)));
	}
}

TEST (BitmapPixels, AFillDrawsThreeTilesTheLastPastTheFillsEdge)
{
	Canvas canvas (200, 100);
	auto strip = threeColumnStrip ();
	canvas.context ().fillRectWithBitmap (strip, CRect (0, 0, 50, 50), CRect (0, 0, 120, 50), 1.f);
	for (double left : {0., 50., 100.})
	{
		SCOPED_TRACE (left);
		expectArea (canvas, threeColumns, 0, CRect (left, 0, left + 50, 50), 1., stripFrameAt (0, CPoint (left, 0)));
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
	const FrameSheet image (2, 2, 1, 1);
	auto bitmap = makeGriddedBitmap (image, 1., 10.);
	for (auto quality : {BitmapInterpolationQuality::kDefault, BitmapInterpolationQuality::kLow,
	                     BitmapInterpolationQuality::kMedium, BitmapInterpolationQuality::kHigh})
	{
		SCOPED_TRACE (static_cast<int> (quality));
		Canvas canvas (50, 50);
		canvas.context ().setBitmapInterpolationQuality (quality);
		bitmap->draw (&canvas.context (), CRect (10.3, 10.3, 30.3, 30.3));
		// The clip's corner is aligned to (10, 10); the image starts at 10.3.
		expectArea (canvas, image, 0, CRect (10, 10, 30, 30), 1., [] (double x, double y) {
			return SheetPoint ((x - 10.3) / 10, (y - 10.3) / 10);
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
