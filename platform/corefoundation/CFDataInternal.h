// The data object behind CFDataRef: an owned copy of some bytes.
#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFData.h>

struct __CFData : CFStandIn::Object
{
	// Copies `length` bytes; on allocation failure the copy is empty.
	__CFData (const void* bytes, size_t length);
	~__CFData () override;

	UInt8* bytes {nullptr};
	CFIndex length {0};
};
