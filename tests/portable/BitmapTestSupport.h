// Shared fixtures of the bitmap tests: images whose pixels tell where they
// come from, a canvas to draw them on, and a recorder of what reaches Core
// Graphics.
#pragma once

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"
#include "lib/platform/mac/cgdrawcontext.h"

#include <CoreGraphics/CGStandInDiagnostics.h>

#include <optional>
#include <ostream>
#include <string>
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

// A pixel of a frame sheet: which frame, and which column and row of it.
struct FramePixel
{
	uint32_t frame, column, row;
	bool operator== (const FramePixel& o) const { return frame == o.frame && column == o.column && row == o.row; }
};

// A sheet of `columns` by `rows` equal frames of frameWidth by frameHeight
// pixels, frames numbered row by row. Every pixel is opaque and tells what
// it is: each frame has its own fill (red), and each column and row of a
// frame its own code (green, blue), so a frame's border differs from its
// inside. Neighbouring frames, columns and rows get codes at least 89
// apart: neither a neighbour's pixel nor a blend of pixels passes for the
// pixel that belongs there. At most 256 frames, columns and rows.
class FrameSheet
{
public:
	FrameSheet (uint32_t frameWidth, uint32_t frameHeight, uint32_t columns, uint32_t rows);

	uint32_t frameWidth () const { return frameW; }
	uint32_t frameHeight () const { return frameH; }
	uint32_t columns () const { return across; }
	uint32_t rows () const { return down; }
	uint32_t frameCount () const { return across * down; }

	uint32_t word (const FramePixel& pixel) const;
	// The word of the sheet's pixel at (x, y).
	uint32_t wordAt (uint32_t x, uint32_t y) const;
	// The sheet pixel (x, y) as a frame pixel.
	FramePixel pixelAt (uint32_t x, uint32_t y) const;
	// The pixel that `word` is exactly, if it is one of this sheet's.
	std::optional<FramePixel> decode (uint32_t word) const;

	// A platform bitmap of the whole sheet.
	VSTGUI::SharedPointer<VSTGUI::CGBitmap> makeBitmap (double scaleFactor = 1.) const;

private:
	uint32_t frameW, frameH, across, down;
};
std::ostream& operator<< (std::ostream& os, const FramePixel& p);

// A CBitmap over `sheet` at `scaleFactor`, with a frame grid of the sheet's
// columns and rows at `gridScale`.
VSTGUI::SharedPointer<VSTGUI::CBitmap> makeGriddedBitmap (const FrameSheet& sheet, double scaleFactor,
                                                          double gridScale);

// The 3-column strip of 300 x 100 pixels (frames of 100 x 100) at grid scale
// 0.5 as its first platform bitmap (factor 1), and the same 300 x 100 pixels
// at factor 2 as its second.
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
	// The pixel in device column `column` of device row `row`, rows counted
	// from the top.
	uint32_t deviceWordAt (size_t column, size_t row) const;
	size_t deviceWidth () const;
	size_t deviceHeight () const;
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

// A platform bitmap of no platform that records the name of the last
// operation called and gives fixed answers: 3 x 4 pixels at factor 2, and a
// grid of 3 columns and 2 rows at scale 0.5.
class RecordingPlatformBitmap : public VSTGUI::IPlatformBitmap
{
public:
	bool load (const VSTGUI::CResourceDescription&) override { return record ("load"), true; }
	const VSTGUI::CPoint& getSize () const override { return record ("getSize"), size; }
	VSTGUI::SharedPointer<VSTGUI::IPlatformBitmapPixelAccess> lockPixels (bool) override
	{
		return record ("lockPixels"), nullptr;
	}
	void setScaleFactor (double) override { record ("setScaleFactor"); }
	double getScaleFactor () const override { return record ("getScaleFactor"), 2.; }
	void drawScaled (const VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>&,
	                 const VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>&) override
	{
		record ("drawScaled");
	}
	const uint8_t* getBytes () override { return record ("getBytes"), nullptr; }
	void setFrameGrid (uint32_t, uint32_t, double) override { record ("setFrameGrid"); }
	void resetFrameGrid () override { record ("resetFrameGrid"); }
	bool isFrameGridSet () const override { return record ("isFrameGridSet"), true; }
	double getFrameGridScale () const override { return record ("getFrameGridScale"), 0.5; }
	uint32_t getFrameGridColumns () const override { return record ("getFrameGridColumns"), 3; }
	uint32_t getFrameGridRows () const override { return record ("getFrameGridRows"), 2; }

	mutable std::string lastCall;

private:
	void record (const char* name) const { lastCall = name; }
	VSTGUI::CPoint size {3, 4};
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
