#include "CFDataInternal.h"

#include <cstdlib>
#include <cstring>

__CFData::__CFData (const void* source, size_t size)
{
	// One byte at least, so that even an empty copy has a distinct address.
	bytes = static_cast<UInt8*> (std::malloc (size ? size : 1));
	if (bytes && source && size)
	{
		std::memcpy (bytes, source, size);
		length = static_cast<CFIndex> (size);
	}
}

__CFData::~__CFData ()
{
	std::free (bytes);
}

const UInt8* CFDataGetBytePtr (CFDataRef data)
{
	return data ? data->bytes : nullptr;
}

CFIndex CFDataGetLength (CFDataRef data)
{
	return data ? data->length : 0;
}
