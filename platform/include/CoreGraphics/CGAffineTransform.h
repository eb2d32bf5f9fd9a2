// Affine transforms of Core Graphics:
//   x' = a * x + c * y + tx
//   y' = b * x + d * y + ty
#pragma once

#include <CoreGraphics/CGGeometry.h>

#include <algorithm>
#include <cmath>

struct CGAffineTransform
{
	CGFloat a, b, c, d;
	CGFloat tx, ty;
};

inline constexpr CGAffineTransform CGAffineTransformIdentity = {1., 0., 0., 1., 0., 0.};

inline CGAffineTransform CGAffineTransformMake (CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx,
                                                CGFloat ty)
{
	return {a, b, c, d, tx, ty};
}

inline CGAffineTransform CGAffineTransformMakeScale (CGFloat sx, CGFloat sy)
{
	return {sx, 0., 0., sy, 0., 0.};
}

inline CGAffineTransform CGAffineTransformMakeTranslation (CGFloat tx, CGFloat ty)
{
	return {1., 0., 0., 1., tx, ty};
}

// t1 followed by t2.
inline CGAffineTransform CGAffineTransformConcat (CGAffineTransform t1, CGAffineTransform t2)
{
	return {t1.a * t2.a + t1.b * t2.c,   t1.a * t2.b + t1.b * t2.d,
	        t1.c * t2.a + t1.d * t2.c,   t1.c * t2.b + t1.d * t2.d,
	        t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

// A scale or translation applied before t.
inline CGAffineTransform CGAffineTransformScale (CGAffineTransform t, CGFloat sx, CGFloat sy)
{
	return CGAffineTransformConcat (CGAffineTransformMakeScale (sx, sy), t);
}

inline CGAffineTransform CGAffineTransformTranslate (CGAffineTransform t, CGFloat tx, CGFloat ty)
{
	return CGAffineTransformConcat (CGAffineTransformMakeTranslation (tx, ty), t);
}

namespace CGStandIn {

// The inverse of the matrix part of t, or false when it has none: a scale
// alone is inverted entry by entry, anything else through the determinant of
// the matrix divided by its largest entry, so that very large or very small
// scales neither overflow nor vanish on the way.
inline bool invertMatrix (const CGAffineTransform& t, CGAffineTransform& inverse)
{
	if (t.b == 0. && t.c == 0.)
	{
		inverse = {1. / t.a, 0., 0., 1. / t.d, 0., 0.};
		return std::isnormal (inverse.a) && std::isnormal (inverse.d);
	}
	const CGFloat largest = std::max ({std::abs (t.a), std::abs (t.b), std::abs (t.c), std::abs (t.d)});
	if (!std::isnormal (largest))
		return false;
	const CGFloat a = t.a / largest, b = t.b / largest, c = t.c / largest, d = t.d / largest;
	const CGFloat determinant = a * d - b * c;
	if (!std::isnormal (determinant))
		return false;
	inverse = {d / determinant / largest, -b / determinant / largest, -c / determinant / largest,
	           a / determinant / largest, 0., 0.};
	return std::isfinite (inverse.a) && std::isfinite (inverse.b) && std::isfinite (inverse.c) &&
	       std::isfinite (inverse.d);
}

} // namespace CGStandIn

// The inverse, or t unchanged when t cannot be inverted.
inline CGAffineTransform CGAffineTransformInvert (CGAffineTransform t)
{
	CGAffineTransform inverse;
	if (!CGStandIn::invertMatrix (t, inverse))
		return t;
	inverse.tx = -(inverse.a * t.tx + inverse.c * t.ty);
	inverse.ty = -(inverse.b * t.tx + inverse.d * t.ty);
	return inverse;
}

inline bool CGAffineTransformEqualToTransform (CGAffineTransform t1, CGAffineTransform t2)
{
	return t1.a == t2.a && t1.b == t2.b && t1.c == t2.c && t1.d == t2.d && t1.tx == t2.tx &&
	       t1.ty == t2.ty;
}

inline CGPoint CGPointApplyAffineTransform (CGPoint p, CGAffineTransform t)
{
	return CGPointMake (t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty);
}

inline CGSize CGSizeApplyAffineTransform (CGSize s, CGAffineTransform t)
{
	return CGSizeMake (t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height);
}
