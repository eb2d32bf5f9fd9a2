// Drawing an image straight with pixman, the library under cairo, for the
// common case: unsmoothed, opaque, axis-aligned, into a clip of whole pixels.
// Cairo's paint would make the same pixman call after a long way through its
// state and compositors; every other case goes that way still.
#pragma once

#include "PixelBox.h"

#include <CoreGraphics/CGAffineTransform.h>

#include <cairo.h>
#include <pixman.h>

namespace CGStandIn {

// A pixman image over the pixels of a cairo image surface of premultiplied
// ARGB, or null for another format. The caller unrefs it.
pixman_image_t* pixmanImageOver (cairo_surface_t* surface);

// Draws `image` (a cairo ARGB32 image surface) with nearest-neighbour
// sampling over `target` (a pixman image over `targetSurface`) within `clip`,
// as cairo's paint with the operator OVER does, where `imageToCairo` maps
// image pixels (first row on top) to cairo's device space. False, having
// drawn nothing, when the image or its transform is not such a case.
bool drawImageDirectly (pixman_image_t* target, cairo_surface_t* targetSurface, const PixelBox& clip,
                        cairo_surface_t* image, const CGAffineTransform& imageToCairo);

} // namespace CGStandIn
