// The image behind CGImageRef: its description, its provider and a cairo
// surface over the provider's bytes for drawing.
#pragma once

#include "../corefoundation/CFObject.h"

#include <CoreGraphics/CGImage.h>

#include <cairo.h>

struct CGImage : CFStandIn::Object
{
	~CGImage () override;

	size_t width {0};
	size_t height {0};
	size_t bytesPerRow {0};
	CGBitmapInfo bitmapInfo {0};
	CGDataProviderRef provider {nullptr};
	CGColorSpaceRef space {nullptr};
	cairo_surface_t* surface {nullptr};
};
