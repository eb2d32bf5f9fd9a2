// Affine transforms of Core Graphics:
//   x' = a * x + c * y + tx
//   y' = b * x + d * y + ty
#pragma once

#include <CoreGraphics/CGGeometry.h>

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

// The inverse, or t unchanged when t cannot be inverted.
inline CGAffineTransform CGAffineTransformInvert (CGAffineTransform t)
{
	CGFloat determinant = t.a * t.d - t.b * t.c;
	if (determinant == 0. || determinant != determinant)
		return t;
	CGFloat a = t.d / determinant, b = -t.b / determinant;
	CGFloat c = -t.c / determinant, d = t.a / determinant;
	return {a, b, c, d, -(a * t.tx + c * t.ty), -(b * t.tx + d * t.ty)};
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
