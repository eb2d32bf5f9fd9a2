// Conversion of doubles to the unsigned 32-bit integers of bitmap geometry.
#pragma once

#include <cstdint>

namespace VSTGUI {

// Truncates toward zero to a signed 64-bit integer and keeps its low 32
// bits: 0 to 4294967295 pass unchanged, negative values wrap modulo 2^32,
// and NaN or a value outside the signed 64-bit range gives 0. Unlike a plain
// cast, every input is defined.
constexpr uint32_t truncateToUInt32 (double value) noexcept
{
	constexpr double kInt64Limit = 9223372036854775808.; // 2^63
	if (!(value >= -kInt64Limit && value < kInt64Limit))
		return 0;
	return static_cast<uint32_t> (static_cast<uint64_t> (static_cast<int64_t> (value)));
}

} // VSTGUI
