// Geometry handed to cairo. Cairo keeps path coordinates in 24.8 fixed
// point, which wraps around past about 8 million pixels, while Core
// Graphics takes any coordinates; these helpers bound what cairo sees.
#pragma once

#include "PixelBox.h"

#include <CoreGraphics/CGAffineTransform.h>

#include <cairo.h>

#include <optional>

namespace CGStandIn {

cairo_matrix_t cairoMatrixFrom (const CGAffineTransform& transform);

enum class Coverage
{
	none,
	part,
	whole
};

// How much of a surface of `surface` pixels the rectangle mapped through
// `userToCairo` covers. A turned or sheared rectangle that meets the surface
// counts as a part.
Coverage surfaceCoverage (CGSize surface, CGRect rect, const CGAffineTransform& userToCairo);

// The pixels of a surface of `surface` pixels that a clip to the rectangle
// mapped through `userToCairo` keeps, when that rectangle is axis-aligned
// with whole-pixel edges (then antialiasing changes nothing); none otherwise.
std::optional<PixelBox> wholePixelBox (CGSize surface, CGRect rect, const CGAffineTransform& userToCairo);

// Replaces cairo's path with the rectangle mapped through `userToCairo`,
// kept within reach of its surface of `surface` pixels, and leaves cairo's
// matrix the identity.
void setRectanglePath (cairo_t* cairo, CGSize surface, CGRect rect, const CGAffineTransform& userToCairo);

} // namespace CGStandIn
