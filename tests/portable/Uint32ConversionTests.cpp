#include "lib/uint32conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using VSTGUI::truncateToUInt32;

TEST (TruncateToUInt32, TruncatesThroughSigned64BitsAndKeepsTheLow32)
{
	constexpr double inf = std::numeric_limits<double>::infinity ();
	const struct
	{
		double value;
		uint32_t expected;
	} cases[] = {
	    {0., 0u},
	    {-0., 0u},
	    {150.9, 150u},
	    {4294967295., 4294967295u},
	    {4294967296., 0u},       // 2^32: low 32 bits
	    {4294967297.5, 1u},
	    {-0.9, 0u},              // toward zero
	    {-1., 4294967295u},      // wraps modulo 2^32
	    {-150.5, 4294967146u},
	    {-9223372036854775808., 0u}, // -2^63: still in range, low bits 0
	    {9223372036854774784., 4294966272u}, // largest double below 2^63
	    {9223372036854775808., 0u},  // 2^63: out of range
	    {-1e300, 0u},
	    {1e300, 0u},
	    {inf, 0u},
	    {-inf, 0u},
	    {std::nan (""), 0u},
	};
	for (const auto& c : cases)
		EXPECT_EQ (truncateToUInt32 (c.value), c.expected) << c.value;
}

} // namespace
