#include <libkern/OSAtomic.h>

#include <gtest/gtest.h>

namespace {

struct SwapCase
{
	int32_t before, oldValue, newValue;
	bool swapped;
	int32_t after;
};

TEST (OSAtomicCompareAndSwap32Barrier, SwapsOnlyWhenTheWordHoldsTheOldValue)
{
	const SwapCase cases[] = {
	    {0, 0, 1, true, 1},  {1, 0, 1, false, 1}, {1, 1, 0, true, 0},
	    {0, 1, 0, false, 0}, {0, 0, 0, true, 0},  {-7, -7, 42, true, 42},
	};
	for (const auto& c : cases)
	{
		volatile int32_t word = c.before;
		EXPECT_EQ (OSAtomicCompareAndSwap32Barrier (c.oldValue, c.newValue, &word), c.swapped)
		    << c.before << ": " << c.oldValue << " -> " << c.newValue;
		EXPECT_EQ (word, c.after);
	}
}

} // namespace
