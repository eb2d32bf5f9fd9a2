// The inline rounding of bitmap geometry gives exactly what the standard
// functions give.
#include "lib/wholenumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace VSTGUI;

// Equal values with equal signs, or both NaN.
bool same (double a, double b)
{
	return (std::isnan (a) && std::isnan (b)) || (a == b && std::signbit (a) == std::signbit (b));
}

TEST (WholeNumbers, MatchTheStandardFunctionsEverywhere)
{
	constexpr double inf = std::numeric_limits<double>::infinity ();
	const double justBelowHalf = std::nextafter (0.5, 0.);
	const double values[] = {0., -0., 0.25, 0.5, justBelowHalf, 0.75, 1., 1.5, 2.5, 10.5, 165.5, -0.25, -0.5,
	                         -justBelowHalf, -1.5, -2.5, -165.5, 4503599627370495.5, -4503599627370495.5,
	                         4503599627370496., 9007199254740993., 1e300, -1e300,
	                         std::numeric_limits<double>::denorm_min (), -std::numeric_limits<double>::denorm_min (),
	                         inf, -inf, std::nan ("")};
	for (double value : values)
	{
		EXPECT_TRUE (same (floorWhole (value), std::floor (value))) << value;
		EXPECT_TRUE (same (ceilWhole (value), std::ceil (value))) << value;
		EXPECT_TRUE (same (roundWhole (value), std::round (value))) << value;
	}
}

} // namespace
