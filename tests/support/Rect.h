// A Core Graphics rectangle as (x, y, width, height), for tables and messages.
#pragma once

#include <CoreGraphics/CoreGraphics.h>

#include <ostream>

namespace Tolvik::Testing {

struct Rect
{
	double x, y, width, height;
	bool operator== (const Rect& o) const
	{
		return x == o.x && y == o.y && width == o.width && height == o.height;
	}
};
Rect toRect (const CGRect& r);
Rect scaled (const Rect& r, double factor);
std::ostream& operator<< (std::ostream& os, const Rect& r);

} // namespace Tolvik::Testing
