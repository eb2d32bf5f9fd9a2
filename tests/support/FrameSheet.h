// A sheet of equal frames whose every pixel tells which frame, column and row
// it is, with codes that neither a neighbour's pixel nor a blend of pixels
// imitates.
#pragma once

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"

#include <cstdint>
#include <optional>
#include <ostream>

namespace Tolvik::Testing {

// A pixel of a frame sheet: which frame, and which column and row of it.
struct FramePixel
{
	uint32_t frame, column, row;
	bool operator== (const FramePixel& o) const { return frame == o.frame && column == o.column && row == o.row; }
};
std::ostream& operator<< (std::ostream& os, const FramePixel& p);

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

// A CBitmap over `sheet` at `scaleFactor`, with a frame grid of the sheet's
// columns and rows at `gridScale`.
VSTGUI::SharedPointer<VSTGUI::CBitmap> makeGriddedBitmap (const FrameSheet& sheet, double scaleFactor,
                                                          double gridScale);

} // namespace Tolvik::Testing
