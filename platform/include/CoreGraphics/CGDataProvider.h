// Data providers: the bytes behind an image.
#pragma once

#include <CoreFoundation/CFData.h>

typedef struct CGDataProvider* CGDataProviderRef;

// Called once, when the provider is destroyed, with the arguments given to
// CGDataProviderCreateWithData.
typedef void (*CGDataProviderReleaseDataCallback) (void* info, const void* data, size_t size);

extern "C" {

// A provider of `size` bytes at `data`, which the caller keeps valid until
// `releaseData` (may be null) is called.
CGDataProviderRef CGDataProviderCreateWithData (void* info, const void* data, size_t size,
                                                CGDataProviderReleaseDataCallback releaseData);
// A new data object holding a copy of the provider's bytes.
CFDataRef CGDataProviderCopyData (CGDataProviderRef provider);
CGDataProviderRef CGDataProviderRetain (CGDataProviderRef provider);
void CGDataProviderRelease (CGDataProviderRef provider);

} // extern "C"
