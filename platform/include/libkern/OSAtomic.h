// Atomic compare-and-swap with a full memory barrier, as libSystem offers it.
#pragma once

#include <cstdint>

// If *theValue equals oldValue, stores newValue and returns true; otherwise
// returns false and leaves *theValue alone. Either way the call is a full
// barrier: no load or store moves across it.
inline bool OSAtomicCompareAndSwap32Barrier (int32_t oldValue, int32_t newValue,
                                             volatile int32_t* theValue)
{
	return __atomic_compare_exchange_n (theValue, &oldValue, newValue, false, __ATOMIC_SEQ_CST,
	                                    __ATOMIC_SEQ_CST);
}
