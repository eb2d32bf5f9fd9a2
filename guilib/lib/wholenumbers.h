// std::floor, std::ceil and std::round (halves away from zero), written
// inline: bitmap drawing rounds a dozen coordinates on every draw, and the
// maths library's functions are calls. Every input gives exactly what the
// standard functions give, signed zeros, infinities and NaN included.
#pragma once

#include <cmath>
#include <cstdint>

namespace VSTGUI {
namespace WholeNumbers {

// From 2^52 on, every double is a whole number.
constexpr double kAllWhole = 4503599627370496.;

// `value` with its fraction dropped, keeping the sign of a zero result.
inline double truncated (double value)
{
	return std::copysign (static_cast<double> (static_cast<int64_t> (value)), value);
}

} // WholeNumbers

inline double floorWhole (double value)
{
	if (!(std::abs (value) < WholeNumbers::kAllWhole))
		return value;
	const double whole = WholeNumbers::truncated (value);
	return whole > value ? whole - 1. : whole;
}

inline double ceilWhole (double value)
{
	if (!(std::abs (value) < WholeNumbers::kAllWhole))
		return value;
	const double whole = WholeNumbers::truncated (value);
	return whole < value ? whole + 1. : whole;
}

inline double roundWhole (double value)
{
	if (!(std::abs (value) < WholeNumbers::kAllWhole))
		return value;
	const double whole = WholeNumbers::truncated (value);
	const double fraction = value - whole;
	if (fraction >= 0.5)
		return whole + 1.;
	if (fraction <= -0.5)
		return whole - 1.;
	return whole;
}

} // VSTGUI
