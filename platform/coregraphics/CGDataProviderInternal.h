// The data provider behind CGDataProviderRef: borrowed bytes and the
// callback that gives them back.
#pragma once

#include "../corefoundation/CFObject.h"

#include <CoreGraphics/CGDataProvider.h>

struct CGDataProvider : CFStandIn::Object
{
	CGDataProvider (void* info, const void* data, size_t size, CGDataProviderReleaseDataCallback release)
	: info (info), data (data), size (size), releaseData (release)
	{
	}
	~CGDataProvider () override;

	void* const info;
	const void* const data;
	const size_t size;
	const CGDataProviderReleaseDataCallback releaseData;
};
