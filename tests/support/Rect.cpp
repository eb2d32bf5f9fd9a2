#include "Rect.h"

namespace Tolvik::Testing {

Rect toRect (const CGRect& r)
{
	return {r.origin.x, r.origin.y, r.size.width, r.size.height};
}

Rect scaled (const Rect& r, double factor)
{
	return {r.x * factor, r.y * factor, r.width * factor, r.height * factor};
}

std::ostream& operator<< (std::ostream& os, const Rect& r)
{
	return os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

} // namespace Tolvik::Testing
