#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local uint64_t allocations = 0;

void* allocate (std::size_t size)
{
	++allocations;
	if (void* memory = std::malloc (size ? size : 1))
		return memory;
	throw std::bad_alloc ();
}

void* allocateNoThrow (std::size_t size) noexcept
{
	++allocations;
	return std::malloc (size ? size : 1);
}

} // namespace

namespace Tolvik::Testing {

uint64_t allocationsOnThisThread ()
{
	return allocations;
}

} // Tolvik::Testing

// Every unaligned form, so that each allocation and its release meet in
// malloc and free.
void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return allocateNoThrow (size); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return allocateNoThrow (size); }
void operator delete (void* memory) noexcept { std::free (memory); }
void operator delete[] (void* memory) noexcept { std::free (memory); }
void operator delete (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete (void* memory, const std::nothrow_t&) noexcept { std::free (memory); }
void operator delete[] (void* memory, const std::nothrow_t&) noexcept { std::free (memory); }
