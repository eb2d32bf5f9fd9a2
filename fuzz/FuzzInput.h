// The fuzzer's bytes read as a stream of choices. Each value starts with a
// selector byte: most selectors pick an entry of a table of values that
// matter (whole, half and quarter pixels, 0, NaN, infinities, the largest
// numbers), the top sixteen take the next bytes as a value of any bit
// pattern. Past the end every byte reads 0, so every table's first entry is
// the plain case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace Tolvik::Fuzzing {

class FuzzInput
{
public:
	FuzzInput (const uint8_t* data, size_t size) : data (data), size (size) {}

	uint8_t byte ();
	bool flag () { return byte () & 1; }
	// 0 to n - 1; n must not be 0.
	uint32_t below (uint32_t n) { return byte () % n; }
	double pick (std::initializer_list<double> table);
	uint32_t pick (std::initializer_list<uint32_t> table);
	// From the table only: for values that the caller converts to a narrower type.
	double pickFromTable (std::initializer_list<double> table);

private:
	static constexpr uint8_t kAnyBits = 0xF0;

	uint64_t bits (size_t count);

	const uint8_t* data;
	size_t size;
	size_t next {0};
};

} // Tolvik::Fuzzing
