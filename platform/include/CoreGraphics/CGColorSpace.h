// Colour spaces: this platform knows device RGB only.
#pragma once

#include <CoreFoundation/CFBase.h>

typedef struct CGColorSpace* CGColorSpaceRef;

extern "C" {

CGColorSpaceRef CGColorSpaceCreateDeviceRGB ();
CGColorSpaceRef CGColorSpaceRetain (CGColorSpaceRef space);
void CGColorSpaceRelease (CGColorSpaceRef space);

} // extern "C"
