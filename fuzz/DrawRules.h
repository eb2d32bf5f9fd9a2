// What the drawing rules let one draw of a scene show, worked out on their
// own from the scene's values: the size the bitmap reports, the whole-number
// geometry of the draw, and, in device pixels (rows from the top), where a
// pixel may be drawn and which pixels of the image it may show.
#pragma once

#include "DrawScene.h"

#include <cstdint>

namespace Tolvik::Fuzzing {

// The bitmap's width or height by the frame-grid rules: `pixels` of the
// first platform bitmap, scaled and rounded down to whole frames under a grid
// whose scale is not 1, over its scale factor.
double reportedExtent (const VSTGUI::IPlatformBitmap& first, double pixels, uint32_t frameCount);

// Device coordinates from `low` up to `high`. A pixel's centre belongs to
// the span also when it lies within the rasteriser's resolution of an end:
// an edge through a centre may keep that pixel or not.
struct Span
{
	double low, high;
	bool holdsCentre (double centre) const;
};

struct DeviceBox
{
	Span x, y;
	bool holdsPixel (uint32_t column, uint32_t row) const
	{
		return x.holdsCentre (column + 0.5) && y.holdsCentre (row + 0.5);
	}
};

struct Allowance
{
	// False when the rules draw nothing at all.
	bool drawsAnything {false};
	// The exact bound: the clip of the draw, its corner aligned to device
	// pixels, within the draw context's clip (corners aligned too).
	DeviceBox clip, contextClip;
	// The destination rectangle grown by half a device pixel each way, as far
	// as aligning the clip may take it: the rectangle, or on the grid branch
	// one frame at its top-left corner.
	DeviceBox destination;
	// With full alpha every pixel is one of the drawn image's, from the part
	// that the clip shows: image columns and rows from low up to high. Where
	// an image pixel is drawn more than 256 device pixels wide or high, the
	// rasteriser's 16.16 fixed point cannot tell a sample just inside a pixel
	// from one on its edge, and the part is not checked.
	bool opaque {false};
	bool sampledExactly {false};
	const Testing::FrameSheet* drawnSheet {nullptr};
	Span imageColumns, imageRows;
};

Allowance allowanceOf (const Scene& scene);

} // Tolvik::Fuzzing
