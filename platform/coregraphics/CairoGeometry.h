// Geometry handed to cairo. Cairo keeps path coordinates in 24.8 fixed
// point, which wraps around past about 8 million pixels, while Core
// Graphics takes any coordinates; these helpers bound what cairo sees.
#pragma once

#include <CoreGraphics/CGAffineTransform.h>

#include <cairo.h>

namespace CGStandIn {

cairo_matrix_t cairoMatrixFrom (const CGAffineTransform& transform);

enum class Coverage
{
	none,
	part,
	whole
};

// How much of the surface the rectangle mapped through `userToCairo` covers.
// A turned or sheared rectangle that meets the surface counts as a part.
Coverage surfaceCoverage (cairo_t* cairo, CGRect rect, const CGAffineTransform& userToCairo);

// Replaces cairo's path with the rectangle mapped through `userToCairo`,
// kept within reach of the surface, and leaves cairo's matrix the identity.
void setRectanglePath (cairo_t* cairo, CGRect rect, const CGAffineTransform& userToCairo);

} // namespace CGStandIn
