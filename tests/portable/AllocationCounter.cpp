#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace Tolvik::Testing {
namespace {

thread_local bool counting = false;
thread_local size_t counted = 0;

void* allocate (std::size_t size)
{
	if (counting)
		++counted;
	if (void* memory = std::malloc (size ? size : 1))
		return memory;
	throw std::bad_alloc ();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
	if (counting)
		++counted;
	auto align = static_cast<std::size_t> (alignment);
	if (void* memory = std::aligned_alloc (align, (size + align - 1) / align * align))
		return memory;
	throw std::bad_alloc ();
}

} // namespace

AllocationCounter::AllocationCounter ()
{
	counted = 0;
	counting = true;
}

AllocationCounter::~AllocationCounter ()
{
	counting = false;
}

size_t AllocationCounter::allocations () const
{
	return counted;
}

} // namespace Tolvik::Testing

using Tolvik::Testing::allocate;
using Tolvik::Testing::allocateAligned;

// Every form, so that allocation and release always pair up.
void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
	try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
	try { return allocate (size); } catch (...) { return nullptr; }
}
void* operator new (std::size_t size, std::align_val_t alignment) { return allocateAligned (size, alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment) { return allocateAligned (size, alignment); }
void operator delete (void* memory) noexcept { std::free (memory); }
void operator delete[] (void* memory) noexcept { std::free (memory); }
void operator delete (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::size_t) noexcept { std::free (memory); }
void operator delete (void* memory, std::align_val_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::align_val_t) noexcept { std::free (memory); }
void operator delete (void* memory, std::size_t, std::align_val_t) noexcept { std::free (memory); }
void operator delete[] (void* memory, std::size_t, std::align_val_t) noexcept { std::free (memory); }
