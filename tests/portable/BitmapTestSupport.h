// Shared fixtures of the bitmap tests: images whose pixels tell where they
// come from, a canvas to draw them on, and a recorder of what reaches Core
// Graphics.
#pragma once

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"
#include "lib/platform/mac/cgdrawcontext.h"

#include <CoreGraphics/CGStandInDiagnostics.h>

#include <ostream>
#include <vector>

namespace Tolvik::Testing {

// A pixel of a position image: opaque, with its own column and row.
struct ImagePixel
{
	uint8_t alpha {0};
	uint32_t column {0};
	uint32_t row {0};
};

// The pixel word of a position image at (column, row): red and green hold the
// column, blue the row (so rows stay below 256).
uint32_t positionPixel (uint32_t column, uint32_t row);
ImagePixel decodePixel (uint32_t word);

// A platform bitmap of that many pixels, each holding its position.
VSTGUI::SharedPointer<VSTGUI::CGBitmap> makePositionBitmap (uint32_t width, uint32_t height,
                                                            double scaleFactor = 1.);
// A Core Graphics image of that many pixels, each holding its position.
CGImageRef createPositionImage (uint32_t width, uint32_t height);
// A CBitmap over one position bitmap, with a frame grid when `gridScale` is given.
VSTGUI::SharedPointer<VSTGUI::CBitmap> makeGriddedBitmap (uint32_t width, uint32_t height, double scaleFactor,
                                                          uint32_t columns, uint32_t rows, double gridScale);

// The 3-column strip of 300 x 100 pixels at grid scale 0.5 as its first
// platform bitmap (factor 1), and 300 x 100 pixels at factor 2 as its second.
struct TwoFactorStrip
{
	TwoFactorStrip ();
	VSTGUI::SharedPointer<VSTGUI::CGBitmap> first, second;
	VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap;
};

// A transparent bitmap context of width by height points at `scaleFactor`
// pixels a point, and a CGDrawContext over it.
class Canvas
{
public:
	Canvas (double width, double height, double scaleFactor = 1.);
	~Canvas ();
	Canvas (const Canvas&) = delete;
	Canvas& operator= (const Canvas&) = delete;

	VSTGUI::CGDrawContext& context () { return *drawContext; }
	CGContextRef cgContext () const { return cg; }
	// The pixel under the view point (x, y).
	ImagePixel at (double x, double y) const;
	uint32_t wordAt (double x, double y) const;
	// Whether any pixel outside `rect` (view coordinates) was drawn.
	bool drawnOutside (const VSTGUI::CRect& rect) const;

private:
	double scaleFactor;
	CGContextRef cg;
	VSTGUI::SharedPointer<VSTGUI::CGDrawContext> drawContext;
};

// What reached CGContextClipToRect and CGContextDrawImage, as passed.
class DrawRecorder : public CGStandIn::ContextObserver
{
public:
	struct Draw
	{
		CGRect rect;
		CGImageRef image;
		CGStandIn::DrawState state;
	};

	explicit DrawRecorder (CGContextRef context);
	~DrawRecorder () override;

	void didClipToRect (CGRect rect, const CGStandIn::DrawState&) override { clips.push_back (rect); }
	void willDrawImage (CGRect rect, CGImageRef image, const CGStandIn::DrawState& state) override
	{
		draws.push_back ({rect, image, state});
	}

	std::vector<CGRect> clips;
	std::vector<Draw> draws;

private:
	CGContextRef context;
};

// (x, y, width, height), for tables and messages.
struct Rect
{
	double x, y, width, height;
	bool operator== (const Rect& o) const
	{
		return x == o.x && y == o.y && width == o.width && height == o.height;
	}
};
Rect toRect (const CGRect& r);
Rect scaled (const Rect& r, double factor);
std::ostream& operator<< (std::ostream& os, const Rect& r);

} // namespace Tolvik::Testing
