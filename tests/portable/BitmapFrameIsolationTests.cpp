// Drawing one frame of a sheet shows that frame whole and nothing of its
// neighbours, wherever the destination's corner falls on the device grid:
// on whole pixels, a quarter, a half or three quarters into one.
#include "Canvas.h"
#include "FrameSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

struct Sheet
{
	const char* name;
	uint32_t frameWidth, frameHeight, columns, rows;
};

const Sheet sheets[] = {
    {"Strip61", 5, 4, 1, 61},
    {"Strip93", 3, 3, 1, 93},
    {"ThreeColumnSheet", 6, 5, 3, 2},
};

// Device pixels per view unit come from the context's scale factor or from
// a view transform.
struct Scaling
{
	const char* name;
	double contextScale, viewScale;
	double devicePixelsPerUnit () const { return contextScale * viewScale; }
};

const Scaling scalings[] = {
    {"Context1", 1., 1.},
    {"Context2", 2., 1.},
    {"ViewTransform2", 1., 2.},
};

enum class Path
{
	drawBitmap,
	drawCGImageRef
};

const char* nameOf (Path path)
{
	return path == Path::drawBitmap ? "drawBitmap" : "drawCGImageRef";
}

// Device pixels of one frame as the canvas shows it, read row by row.
class ShownFrame
{
public:
	ShownFrame (const Canvas& canvas, const FrameSheet& sheet) : canvas (canvas), sheet (sheet) {}

	// Whether exactly a width by height block of device pixels is drawn, all
	// inside `bounds` (device pixels), each a real pixel of frame `frame`,
	// every device row showing one row of the frame and every device column
	// one column, in order, with none of the frame's rows or columns missing.
	::testing::AssertionResult isExactly (uint32_t frame, size_t width, size_t height, const CRect& bounds) const
	{
		size_t drawn = 0, left = SIZE_MAX, top = SIZE_MAX, right = 0, bottom = 0;
		for (size_t y = 0; y < canvas.deviceHeight (); ++y)
		{
			for (size_t x = 0; x < canvas.deviceWidth (); ++x)
			{
				const auto word = canvas.deviceWordAt (x, y);
				if (word == 0)
					continue;
				if (!bounds.pointInside (CPoint (x + 0.5, y + 0.5)))
					return failure (x, y) << "drawn outside the destination";
				const auto pixel = sheet.decode (word);
				if (!pixel)
					return failure (x, y) << "shows " << std::hex << word << ", no pixel of the sheet";
				if (pixel->frame != frame)
					return failure (x, y) << "shows " << *pixel;
				++drawn;
				left = std::min (left, x);
				top = std::min (top, y);
				right = std::max (right, x + 1);
				bottom = std::max (bottom, y + 1);
			}
		}
		if (drawn != width * height || right - left != width || bottom - top != height)
			return ::testing::AssertionFailure () << drawn << " pixels drawn, expected a block of " << width
			                                      << " x " << height;
		return rowsAndColumnsInOrder (left, top, width, height);
	}

private:
	::testing::AssertionResult failure (size_t x, size_t y) const
	{
		return ::testing::AssertionFailure () << "device pixel (" << x << ", " << y << ") ";
	}

	FramePixel at (size_t x, size_t y) const { return *sheet.decode (canvas.deviceWordAt (x, y)); }

	::testing::AssertionResult rowsAndColumnsInOrder (size_t left, size_t top, size_t width, size_t height) const
	{
		std::set<uint32_t> rows, columns;
		for (size_t y = top; y < top + height; ++y)
		{
			for (size_t x = left; x < left + width; ++x)
			{
				const auto pixel = at (x, y);
				if (pixel.row != at (left, y).row || pixel.column != at (x, top).column)
					return failure (x, y) << "leaves its device row's frame row or its column's frame column";
				if ((x > left && pixel.column < at (x - 1, y).column) || (y > top && pixel.row < at (x, y - 1).row))
					return failure (x, y) << "out of order";
				rows.insert (pixel.row);
				columns.insert (pixel.column);
			}
		}
		if (rows.size () != sheet.frameHeight () || columns.size () != sheet.frameWidth ())
			return ::testing::AssertionFailure () << rows.size () << " rows and " << columns.size ()
			                                      << " columns of the frame shown";
		return ::testing::AssertionSuccess ();
	}

	const Canvas& canvas;
	const FrameSheet& sheet;
};

using FrameCase = std::tuple<Sheet, double, Scaling, double>;

class BitmapFrameIsolation : public ::testing::TestWithParam<FrameCase>
{
protected:
	BitmapFrameIsolation ()
	: sheet (std::get<0> (GetParam ()).frameWidth, std::get<0> (GetParam ()).frameHeight,
	         std::get<0> (GetParam ()).columns, std::get<0> (GetParam ()).rows)
	, platformBitmap (sheet.makeBitmap ())
	, bitmap (platformBitmap.get ())
	{
		platformBitmap->setFrameGrid (sheet.columns (), sheet.rows (), std::get<1> (GetParam ()));
	}

	// One frame in the bitmap's reported size.
	CPoint frameSize () const
	{
		return CPoint (bitmap.getWidth () / sheet.columns (), bitmap.getHeight () / sheet.rows ());
	}

	// Draws `frame` with its top-left corner at `corner` and checks what shows.
	::testing::AssertionResult drawsOnlyTheFrame (uint32_t frame, Path path, CPoint corner)
	{
		const Scaling& scaling = std::get<2> (GetParam ());
		const CPoint size = frameSize ();
		const CRect rect (corner, size);
		const CPoint offset ((frame % sheet.columns ()) * size.x, (frame / sheet.columns ()) * size.y);
		Canvas canvas ((std::ceil (rect.right) + 2) * scaling.viewScale,
		               (std::ceil (rect.bottom) + 2) * scaling.viewScale, scaling.contextScale);
		{
			CDrawContext::Transform zoom (canvas.context (),
			                              CGraphicsTransform ().scale (scaling.viewScale, scaling.viewScale));
			draw (canvas.context (), path, rect, offset);
		}
		const double scale = scaling.devicePixelsPerUnit ();
		CRect bounds (rect.left * scale, rect.top * scale, rect.right * scale, rect.bottom * scale);
		bounds = CRect (std::floor (bounds.left), std::floor (bounds.top), std::ceil (bounds.right),
		                std::ceil (bounds.bottom));
		return ShownFrame (canvas, sheet)
		    .isExactly (frame, static_cast<size_t> (size.x * scale), static_cast<size_t> (size.y * scale), bounds);
	}

	void draw (CGDrawContext& context, Path path, const CRect& rect, const CPoint& offset)
	{
		if (path == Path::drawBitmap)
			return context.drawBitmap (&bitmap, rect, offset);
		auto cg = context.beginCGContext (false, true);
		ASSERT_NE (cg, nullptr);
		context.drawCGImageRef (cg, platformBitmap->getCGImage (), nullptr, platformBitmap->getScaleFactor (), rect,
		                        offset, 1.f, &bitmap);
		context.releaseCGContext (cg);
	}

	FrameSheet sheet;
	SharedPointer<CGBitmap> platformBitmap;
	CBitmap bitmap;
};

TEST_P (BitmapFrameIsolation, ShowsEveryFrameWholeAndNothingOfItsNeighbours)
{
	const double fraction = std::get<3> (GetParam ());
	const CPoint corner (2 + fraction, 3 + fraction);
	for (uint32_t frame = 0; frame < sheet.frameCount (); ++frame)
	{
		for (auto path : {Path::drawBitmap, Path::drawCGImageRef})
		{
			auto shown = drawsOnlyTheFrame (frame, path, corner);
			// One failing frame tells the story; the rest would repeat it.
			if (!shown)
				FAIL () << "frame " << frame << " through " << nameOf (path) << ": " << shown.message ();
		}
	}
}

std::string caseName (const ::testing::TestParamInfo<FrameCase>& info)
{
	const auto& [sheet, gridScale, scaling, fraction] = info.param;
	std::ostringstream name;
	name << sheet.name << "_GridScale" << gridScale * 100 << "_" << scaling.name << "_Corner" << fraction * 100;
	return name.str ();
}

INSTANTIATE_TEST_SUITE_P (Cases, BitmapFrameIsolation,
                          ::testing::Combine (::testing::ValuesIn (sheets), ::testing::Values (1., 1.5, 2.),
                                              ::testing::ValuesIn (scalings),
                                              ::testing::Values (0., 0.25, 0.5, 0.75)),
                          caseName);

} // namespace

// Where a frame covers a fraction of a device pixel more than a whole number
// of them, aligning the clip's corner can leave the clip's far edges up to
// half a pixel past the frame's: no pixel there may show the next frame.
TEST (BitmapFrameIsolationAtFractionalScales, NoPixelShowsANeighbouringFrame)
{
	const Scaling fractionalScalings[] = {
	    {"Context1.25", 1.25, 1.}, {"Context1.5", 1.5, 1.}, {"ViewTransform1.5", 1., 1.5}, {"Context2View0.75", 2., 0.75}};
	// Frames of 3 x 3 points; the middle one is frame 4.
	const FrameSheet sheet (6, 6, 3, 3);
	auto platformBitmap = sheet.makeBitmap ();
	platformBitmap->setFrameGrid (3, 3, 0.5);
	CBitmap bitmap (platformBitmap.get ());
	for (const auto& scaling : fractionalScalings)
	{
		for (double fraction : {0., 0.1, 0.3, 0.45, 0.6, 0.9})
		{
			SCOPED_TRACE (std::string (scaling.name) + " corner fraction " + std::to_string (fraction));
			Canvas canvas (40 / scaling.viewScale, 40 / scaling.viewScale, scaling.contextScale);
			{
				CDrawContext::Transform zoom (canvas.context (),
				                              CGraphicsTransform ().scale (scaling.viewScale, scaling.viewScale));
				bitmap.draw (&canvas.context (), CRect (10 + fraction, 10 + fraction, 13 + fraction, 13 + fraction),
				             CPoint (3, 3));
			}
			size_t drawn = 0;
			for (size_t y = 0; y < canvas.deviceHeight (); ++y)
			{
				for (size_t x = 0; x < canvas.deviceWidth (); ++x)
				{
					const auto word = canvas.deviceWordAt (x, y);
					if (word == 0)
						continue;
					++drawn;
					const auto pixel = sheet.decode (word);
					ASSERT_TRUE (pixel && pixel->frame == 4) << "device pixel (" << x << ", " << y << ") shows "
					                                         << (pixel ? *pixel : FramePixel {}) << " of " << std::hex << word;
				}
			}
			EXPECT_GT (drawn, 0u);
		}
	}
}
