#include "CGDataProviderInternal.h"

#include "../corefoundation/CFDataInternal.h"

CGDataProvider::~CGDataProvider ()
{
	if (releaseData)
		releaseData (info, data, size);
}

CGDataProviderRef CGDataProviderCreateWithData (void* info, const void* data, size_t size,
                                                CGDataProviderReleaseDataCallback releaseData)
{
	return new CGDataProvider (info, data, size, releaseData);
}

CFDataRef CGDataProviderCopyData (CGDataProviderRef provider)
{
	if (!provider)
		return nullptr;
	return new __CFData (provider->data, provider->size);
}

CGDataProviderRef CGDataProviderRetain (CGDataProviderRef provider)
{
	CFRetain (provider);
	return provider;
}

void CGDataProviderRelease (CGDataProviderRef provider)
{
	CFRelease (provider);
}
