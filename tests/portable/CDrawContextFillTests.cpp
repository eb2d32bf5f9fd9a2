// The library's generic bitmap fill: which drawBitmap calls cover a rectangle.
#include "RecordingDrawContext.h"

#include "lib/cbitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace VSTGUI;
using Tolvik::Testing::RecordingDrawContext;

TEST (CDrawContextFill, CoversTheRectangleRowByRowCuttingTheLastTiles)
{
	const struct
	{
		CRect source, fill;
		std::vector<CRect> tiles;
	} cases[] = {
	    {{0, 0, 50, 50}, {0, 0, 120, 50}, {{0, 0, 50, 50}, {50, 0, 100, 50}, {100, 0, 120, 50}}},
	    {{10, 20, 40, 40}, {5, 5, 65, 45}, {{5, 5, 35, 25}, {35, 5, 65, 25}, {5, 25, 35, 45}, {35, 25, 65, 45}}},
	    {{0, 0, 50, 20}, {0, 0, 40, 30}, {{0, 0, 40, 20}, {0, 20, 40, 30}}},
	    {{0, 0, 50, 50}, {7, 7, 8, 8}, {{7, 7, 8, 8}}},
	};
	for (const auto& c : cases)
	{
		RecordingDrawContext context;
		CBitmap bitmap (nullptr);
		context.fillRectWithBitmap (&bitmap, c.source, c.fill, 0.5f);
		ASSERT_EQ (context.bitmapDraws.size (), c.tiles.size ());
		for (size_t i = 0; i < c.tiles.size (); ++i)
		{
			EXPECT_EQ (context.bitmapDraws[i].rect, c.tiles[i]) << "tile " << i;
			EXPECT_EQ (context.bitmapDraws[i].offset, c.source.getTopLeft ());
			EXPECT_EQ (context.bitmapDraws[i].alpha, 0.5f);
		}
	}
}

TEST (CDrawContextFill, EndsOnRectanglesThatCannotBeTiled)
{
	constexpr double inf = std::numeric_limits<double>::infinity ();
	const double nan = std::nan ("");
	const struct
	{
		CRect source, fill;
		size_t mostTiles;
	} cases[] = {
	    {{0, 0, 0, 50}, {0, 0, 100, 100}, 0},
	    {{0, 0, 50, -1}, {0, 0, 100, 100}, 0},
	    {{0, 0, nan, 50}, {0, 0, 100, 100}, 0},
	    {{0, 0, inf, 50}, {0, 0, 100, 100}, 0},
	    {{0, 0, 50, 50}, {0, 0, inf, 100}, 0},
	    {{0, 0, 50, 50}, {nan, 0, 100, 100}, 0},
	    // A tile too small to move on from coordinates this large.
	    {{0, 0, 1, 1}, {1e17, 1e17, 1e17 + 1000, 1e17 + 1000}, 1},
	};
	for (const auto& c : cases)
	{
		RecordingDrawContext context;
		context.fillRectWithBitmap (nullptr, c.source, c.fill, 1.f);
		EXPECT_LE (context.bitmapDraws.size (), c.mostTiles);
	}
}

} // namespace
