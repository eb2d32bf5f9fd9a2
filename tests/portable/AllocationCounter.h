// Counts the allocations made through operator new on the calling thread
// while a counter is alive. This program replaces the global operator new
// and delete to do so; C allocations (malloc, as cairo makes them inside the
// Core Graphics stand-in) are not counted.
#pragma once

#include <cstddef>

namespace Tolvik::Testing {

class AllocationCounter
{
public:
	AllocationCounter ();
	~AllocationCounter ();
	AllocationCounter (const AllocationCounter&) = delete;
	AllocationCounter& operator= (const AllocationCounter&) = delete;

	size_t allocations () const;
};

} // namespace Tolvik::Testing
