// Code built apart from the library reaches some of its classes through
// their tables of virtual functions, by position. These helpers name a
// virtual function's position and call the function at a position, as such
// code does, for the C++ ABI of the platforms built for (the Itanium ABI).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace Tolvik::Testing {

// The slot index of a virtual member function in its class's table: its
// member pointer holds 1 + the slot's byte offset in the table.
template <typename Member>
size_t slotOf (Member member)
{
	static_assert (std::is_member_function_pointer_v<Member>);
	static_assert (sizeof (Member) == 2 * sizeof (uintptr_t));
	uintptr_t raw[2];
	std::memcpy (raw, &member, sizeof (raw));
	return (raw[0] - 1) / sizeof (void*);
}

// Calls the function in slot `index` of the table of `object`, passing the
// object first and then `args`. A class returned by value comes back through
// a hidden first argument, as for the member function itself.
template <typename Result, typename... Args, typename Object>
Result callSlot (Object* object, size_t index, Args... args)
{
	static_assert (std::is_polymorphic_v<Object>);
	const auto table = *reinterpret_cast<void* const* const*> (object);
	return reinterpret_cast<Result (*) (Object*, Args...)> (table[index]) (object, args...);
}

} // Tolvik::Testing
