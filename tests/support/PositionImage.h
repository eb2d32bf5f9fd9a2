// Images whose pixels tell where they come from: each pixel is opaque and
// holds its own column and row.
#pragma once

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"

#include <cstdint>

namespace Tolvik::Testing {

// A pixel of a position image: its alpha, column and row.
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
// A CBitmap over one position bitmap, with a frame grid of that many columns
// and rows at `gridScale`.
VSTGUI::SharedPointer<VSTGUI::CBitmap> makeGriddedBitmap (uint32_t width, uint32_t height, double scaleFactor,
                                                          uint32_t columns, uint32_t rows, double gridScale);

} // namespace Tolvik::Testing
