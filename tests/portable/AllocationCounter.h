// This test program replaces the global operator new and delete to count
// the allocations of each thread.
#pragma once

#include <cstdint>

namespace Tolvik::Testing {

uint64_t allocationsOnThisThread ();

} // Tolvik::Testing
