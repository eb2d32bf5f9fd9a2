// One axis of a frame grid: the pixel extent scaled by the grid scale, in
// whole pixels of the scaled image, and the whole frames it is cut into.
#pragma once

#include "uint32conversion.h"
#include "wholenumbers.h"

#include <cstdint>

namespace VSTGUI {

struct FrameGridExtent
{
	// The scaled extent rounded down.
	uint32_t sheet;
	// One frame's extent: the sheet divided by the frame count, rounded
	// down; 0 with fewer than two frames or more frames than pixels.
	uint32_t frame;

	// The sheet rounded down to whole frames, or the whole sheet without frames.
	uint32_t wholeFrames (uint32_t frameCount) const { return frame ? frameCount * frame : sheet; }
};

// `scaledPixels` is the pixel extent times the grid scale; the caller
// decides what a scale of 0, below 0 or NaN gives before the product.
inline FrameGridExtent frameGridExtent (double scaledPixels, uint32_t frameCount)
{
	const uint32_t sheet = truncateToUInt32 (floorWhole (scaledPixels));
	return {sheet, frameCount >= 2 ? sheet / frameCount : 0};
}

} // VSTGUI
