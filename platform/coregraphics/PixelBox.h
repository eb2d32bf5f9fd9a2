// A box of whole device pixels in cairo's device space (y down), right and
// bottom exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace CGStandIn {

struct PixelBox
{
	int32_t left {0}, top {0}, right {0}, bottom {0};

	bool isEmpty () const { return right <= left || bottom <= top; }
	PixelBox intersected (const PixelBox& o) const
	{
		return {std::max (left, o.left), std::max (top, o.top), std::min (right, o.right), std::min (bottom, o.bottom)};
	}
};

} // namespace CGStandIn
