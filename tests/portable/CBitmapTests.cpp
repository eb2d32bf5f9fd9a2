// The size a bitmap reports, and how it chooses and accepts platform bitmaps.
#include "AssertionRecorder.h"

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace VSTGUI;
using Tolvik::Testing::AssertionRecorder;

SharedPointer<CGBitmap> platformBitmap (double width, double height, double scaleFactor = 1.)
{
	auto bitmap = makeOwned<CGBitmap> (CPoint (width, height));
	bitmap->setScaleFactor (scaleFactor);
	return bitmap;
}

TEST (CBitmapSize, FollowsTheFrameGridOfItsFirstPlatformBitmap)
{
	const double nan = std::nan ("");
	const struct
	{
		double pixelsWide, pixelsHigh, factor;
		uint32_t columns, rows;
		double gridScale;
		double width, height;
	} cases[] = {
	    {300, 100, 1., 3, 1, 0.5, 150, 50},
	    {300, 100, 1., 4, 1, 0.5, 148, 50},
	    {256, 100, 1., 5, 1, 0.75, 190, 75},
	    {20, 100, 1., 7, 1, 0.25, 5, 25},          // rounding to frames would give 0
	    {301, 100, 1., 1, 1, 0.5, 150, 50},
	    {301, 100, 1., 0, 1, 0.5, 150, 50},        // no rounding with 0 columns
	    {600, 100, 2., 3, 1, 0.5, 150, 25},
	    {640, 100, 2., 4, 1, 0.75, 240, 37.5},
	    {301, 100, 2., 1, 1, 0.5, 75, 25},
	    {302, 100, 2., 4, 1, 0.5, 74, 25},
	    {301, 301, 2., 1, 1, 1., 150.5, 150.5},    // scale 1: the library's size
	    {100, 3000, 1., 1, 31, 0.75, 75, 2232},
	    {300, 100, 1., 7, 1, 1., 300, 100},        // scale 1: no rounding to frames
	    {300, 100, 1., 3, 1, nan, 0, 0},
	    {300, 100, 1., 3, 1, 0., 0, 0},
	    {300, 100, 1., 3, 1, HUGE_VAL, 0, 0},      // beyond any integer: 0
	    {0, 0, 1., 3, 1, 0.5, 0, 0},
	    {1e12, 100, 1., 7, 1, 0.5, 1783793662, 50}, // 5e11 keeps its low 32 bits, then whole frames
	    {300, 100, 1., 4294967295u, 1, 0.5, 150, 50},
	    {300, 100, 1., 1, 1, -0.5, 4294967146, 4294967246}, // a negative product wraps
	};
	for (const auto& c : cases)
	{
		auto first = platformBitmap (c.pixelsWide, c.pixelsHigh, c.factor);
		first->setFrameGrid (c.columns, c.rows, c.gridScale);
		CBitmap bitmap (first.get ());
		SCOPED_TRACE (std::to_string (c.pixelsWide) + " x " + std::to_string (c.pixelsHigh) + " at " +
		              std::to_string (c.factor) + ", grid " + std::to_string (c.columns) + " x " +
		              std::to_string (c.rows) + " scale " + std::to_string (c.gridScale));
		EXPECT_EQ (bitmap.getWidth (), c.width);
		EXPECT_EQ (bitmap.getHeight (), c.height);
		EXPECT_EQ (bitmap.getSize (), CPoint (c.width, c.height));
	}
}

TEST (CBitmapSize, IsPixelSizeOverFactorWithoutOrAfterResettingAGrid)
{
	auto first = platformBitmap (300, 120, 2.);
	CBitmap bitmap (first.get ());
	EXPECT_EQ (bitmap.getSize (), CPoint (150, 60));

	first->setFrameGrid (3, 2, 0.5);
	EXPECT_EQ (bitmap.getSize (), CPoint (75, 30));
	first->resetFrameGrid ();
	EXPECT_EQ (bitmap.getSize (), CPoint (150, 60));
}

TEST (CBitmapSize, IsZeroWithoutPlatformBitmap)
{
	CBitmap bitmap (nullptr);
	EXPECT_EQ (bitmap.getPlatformBitmap (), nullptr);
	EXPECT_EQ (bitmap.getSize (), CPoint (0, 0));
}

TEST (CBitmapSize, IgnoresAGridOnALaterPlatformBitmap)
{
	CBitmap bitmap (platformBitmap (300, 100).get ());
	auto second = platformBitmap (600, 200, 2.);
	ASSERT_TRUE (bitmap.addBitmap (second));
	second->setFrameGrid (3, 1, 0.5);
	EXPECT_EQ (bitmap.getSize (), CPoint (300, 100));
}

TEST (CBitmapSize, HoldsNoReferenceAfterTheCall)
{
	auto first = platformBitmap (300, 100);
	first->setFrameGrid (3, 1, 0.5);
	CBitmap bitmap (first.get ());
	const auto references = first->getNbReference ();
	bitmap.getWidth ();
	bitmap.getHeight ();
	EXPECT_EQ (first->getNbReference (), references);
}

TEST (CBitmapConstructors, MakePlatformBitmapsWithoutAGrid)
{
	CBitmap byPixels (30, 20);
	CBitmap byPoints (CPoint (30, 20), 2.);
	ASSERT_NE (byPixels.getPlatformBitmap (), nullptr);
	ASSERT_NE (byPoints.getPlatformBitmap (), nullptr);
	EXPECT_EQ (byPixels.getPlatformBitmap ()->getSize (), CPoint (30, 20));
	EXPECT_EQ (byPoints.getPlatformBitmap ()->getSize (), CPoint (60, 40));
	EXPECT_EQ (byPoints.getPlatformBitmap ()->getScaleFactor (), 2.);
	EXPECT_EQ (byPoints.getSize (), CPoint (30, 20));
	EXPECT_FALSE (byPixels.getPlatformBitmap ()->isFrameGridSet ());
	EXPECT_FALSE (byPoints.getPlatformBitmap ()->isFrameGridSet ());
}

// Failed checks reach the assertion handler, which records their messages.
struct CBitmapAddBitmap : ::testing::Test
{
	// Adds and returns the assertion's message, or "" when there was none.
	std::string add (CBitmap& bitmap, IPlatformBitmap* platformBitmap, bool& added)
	{
		AssertionRecorder recorder;
		added = bitmap.addBitmap (platformBitmap);
		const auto reports = recorder.reports ();
		return reports.empty () ? "" : reports.front ();
	}
};

TEST_F (CBitmapAddBitmap, ChecksTheGriddedSize)
{
	auto first = platformBitmap (300, 300);
	first->setFrameGrid (1, 1, 0.5);
	CBitmap bitmap (first.get ());

	const struct
	{
		double width, height, factor;
		bool accepted;
	} cases[] = {
	    {300, 300, 2., true},
	    {600, 600, 2., false},
	    {300, 302, 2., false},
	    {450, 450, 3., true},
	};
	for (const auto& c : cases)
	{
		CBitmap target (first.get ());
		bool added = false;
		auto message = add (target, platformBitmap (c.width, c.height, c.factor), added);
		EXPECT_EQ (added, c.accepted) << c.width << " x " << c.height << " at " << c.factor;
		EXPECT_EQ (message, c.accepted ? "" : "wrong bitmap size");
	}
}

TEST_F (CBitmapAddBitmap, RefusesASecondBitmapOfTheSameFactorAndNull)
{
	CBitmap bitmap (platformBitmap (300, 100).get ());
	bool added = true;
	EXPECT_EQ (add (bitmap, platformBitmap (300, 100), added), "");
	EXPECT_FALSE (added);
	EXPECT_EQ (add (bitmap, nullptr, added), "arguments are required");
	EXPECT_FALSE (added);
}

TEST_F (CBitmapAddBitmap, AcceptsAnyFirstBitmap)
{
	CBitmap bitmap (nullptr);
	bool added = false;
	add (bitmap, platformBitmap (10, 10, 3.), added);
	EXPECT_TRUE (added);
	EXPECT_EQ (bitmap.getSize (), CPoint (10. / 3., 10. / 3.));
}

TEST (CBitmapBestPlatformBitmap, PrefersTheExactFactorThenTheNearestThenTheLarger)
{
	auto one = platformBitmap (100, 100, 1.);
	auto two = platformBitmap (200, 200, 2.);
	auto three = platformBitmap (300, 300, 3.);
	CBitmap bitmap (one.get ());
	ASSERT_TRUE (bitmap.addBitmap (three));
	ASSERT_TRUE (bitmap.addBitmap (two));

	const std::pair<double, IPlatformBitmap*> cases[] = {
	    {1., one}, {2., two}, {3., three}, {0.5, one}, {1.4, one}, {1.5, two}, {2.5, three}, {8., three}};
	for (auto [factor, expected] : cases)
		EXPECT_EQ (bitmap.getBestPlatformBitmapForScaleFactor (factor), expected) << factor;
	EXPECT_EQ (CBitmap (nullptr).getBestPlatformBitmapForScaleFactor (1.), nullptr);
}

} // namespace
