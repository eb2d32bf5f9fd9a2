// Basic integer and status types of the macOS C interfaces, for the stand-ins
// of this platform layer.
#pragma once

#include <cstdint>

typedef uint8_t UInt8;
typedef int8_t SInt8;
typedef uint16_t UInt16;
typedef int16_t SInt16;
typedef uint32_t UInt32;
typedef int32_t SInt32;
typedef uint64_t UInt64;
typedef int64_t SInt64;
typedef double Float64;
typedef unsigned char Boolean;

typedef SInt32 OSStatus;

enum
{
	noErr = 0
};
