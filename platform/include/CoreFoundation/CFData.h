// Immutable byte buffers.
#pragma once

#include <CoreFoundation/CFBase.h>

typedef const struct __CFData* CFDataRef;

extern "C" {

// The first byte, valid as long as the data object lives.
const UInt8* CFDataGetBytePtr (CFDataRef data);
CFIndex CFDataGetLength (CFDataRef data);

} // extern "C"
