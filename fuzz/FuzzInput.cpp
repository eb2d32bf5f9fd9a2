#include "FuzzInput.h"

#include <cstring>

namespace Tolvik::Fuzzing {

uint8_t FuzzInput::byte ()
{
	return next < size ? data[next++] : 0;
}

uint64_t FuzzInput::bits (size_t count)
{
	uint64_t value = 0;
	for (size_t i = 0; i < count; ++i)
		value = value << 8 | byte ();
	return value;
}

double FuzzInput::pick (std::initializer_list<double> table)
{
	const uint8_t selector = byte ();
	if (selector < kAnyBits)
		return table.begin ()[selector % table.size ()];
	const uint64_t pattern = bits (sizeof (double));
	double value;
	std::memcpy (&value, &pattern, sizeof value);
	return value;
}

uint32_t FuzzInput::pick (std::initializer_list<uint32_t> table)
{
	const uint8_t selector = byte ();
	if (selector < kAnyBits)
		return table.begin ()[selector % table.size ()];
	return static_cast<uint32_t> (bits (sizeof (uint32_t)));
}

double FuzzInput::pickFromTable (std::initializer_list<double> table)
{
	return table.begin ()[byte () % table.size ()];
}

} // Tolvik::Fuzzing
