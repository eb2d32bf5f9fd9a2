// An affine transform of view coordinates:
//   x' = m11 * x + m12 * y + dx
//   y' = m21 * x + m22 * y + dy
#pragma once

#include "crect.h"

namespace VSTGUI {

struct CGraphicsTransform
{
	double m11 {1.};
	double m12 {0.};
	double m21 {0.};
	double m22 {1.};
	double dx {0.};
	double dy {0.};

	constexpr CGraphicsTransform () = default;
	constexpr CGraphicsTransform (double m11, double m12, double m21, double m22, double dx, double dy)
	: m11 (m11), m12 (m12), m21 (m21), m22 (m22), dx (dx), dy (dy)
	{
	}

	CGraphicsTransform& translate (double x, double y)
	{
		dx += x;
		dy += y;
		return *this;
	}
	CGraphicsTransform& translate (const CPoint& p) { return translate (p.x, p.y); }
	CGraphicsTransform& scale (double x, double y)
	{
		m11 *= x;
		m12 *= x;
		dx *= x;
		m21 *= y;
		m22 *= y;
		dy *= y;
		return *this;
	}

	constexpr bool isIdentity () const
	{
		return m11 == 1. && m12 == 0. && m21 == 0. && m22 == 1. && dx == 0. && dy == 0.;
	}

	// This transform applied after `other`: (this * other)(p) == this(other(p)).
	constexpr CGraphicsTransform operator* (const CGraphicsTransform& other) const
	{
		return {m11 * other.m11 + m12 * other.m21, m11 * other.m12 + m12 * other.m22,
		        m21 * other.m11 + m22 * other.m21, m21 * other.m12 + m22 * other.m22,
		        m11 * other.dx + m12 * other.dy + dx, m21 * other.dx + m22 * other.dy + dy};
	}

	constexpr CPoint transform (const CPoint& p) const
	{
		return {m11 * p.x + m12 * p.y + dx, m21 * p.x + m22 * p.y + dy};
	}

	// The bounds of the transformed rectangle's corners.
	CRect transform (const CRect& r) const
	{
		CPoint corners[] = {transform (CPoint (r.left, r.top)), transform (CPoint (r.right, r.top)),
		                    transform (CPoint (r.left, r.bottom)), transform (CPoint (r.right, r.bottom))};
		CRect result (corners[0].x, corners[0].y, corners[0].x, corners[0].y);
		for (const auto& c : corners)
		{
			result.left = c.x < result.left ? c.x : result.left;
			result.right = c.x > result.right ? c.x : result.right;
			result.top = c.y < result.top ? c.y : result.top;
			result.bottom = c.y > result.bottom ? c.y : result.bottom;
		}
		return result;
	}

	constexpr bool operator== (const CGraphicsTransform& o) const
	{
		return m11 == o.m11 && m12 == o.m12 && m21 == o.m21 && m22 == o.m22 && dx == o.dx && dy == o.dy;
	}
	constexpr bool operator!= (const CGraphicsTransform& o) const { return !(*this == o); }
};

} // VSTGUI
