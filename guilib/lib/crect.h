// A rectangle in view coordinates: left, top, right, bottom, in points.
// Width is right minus left and height is bottom minus top.
#pragma once

#include "cpoint.h"

namespace VSTGUI {

struct CRect
{
	constexpr CRect () = default;
	constexpr CRect (CCoord left, CCoord top, CCoord right, CCoord bottom)
	: left (left), top (top), right (right), bottom (bottom)
	{
	}
	constexpr CRect (const CPoint& origin, const CPoint& size)
	: left (origin.x), top (origin.y), right (origin.x + size.x), bottom (origin.y + size.y)
	{
	}

	constexpr CCoord getWidth () const { return right - left; }
	constexpr CCoord getHeight () const { return bottom - top; }
	constexpr CPoint getTopLeft () const { return {left, top}; }
	constexpr CPoint getSize () const { return {getWidth (), getHeight ()}; }

	CRect& setWidth (CCoord width)
	{
		right = left + width;
		return *this;
	}
	CRect& setHeight (CCoord height)
	{
		bottom = top + height;
		return *this;
	}
	CRect& setTopLeft (const CPoint& p)
	{
		CPoint size = getSize ();
		left = p.x;
		top = p.y;
		return setWidth (size.x).setHeight (size.y);
	}
	CRect& offset (CCoord dx, CCoord dy)
	{
		left += dx;
		right += dx;
		top += dy;
		bottom += dy;
		return *this;
	}

	constexpr bool isEmpty () const { return right <= left || bottom <= top; }
	constexpr bool pointInside (const CPoint& p) const
	{
		return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
	}

	constexpr bool operator== (const CRect& o) const
	{
		return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
	}
	constexpr bool operator!= (const CRect& o) const { return !(*this == o); }

	CCoord left {0.};
	CCoord top {0.};
	CCoord right {0.};
	CCoord bottom {0.};
};

} // VSTGUI
