#include "../corefoundation/CFObject.h"

#include <CoreGraphics/CGColorSpace.h>

// Device RGB is the only space; the object carries nothing else.
struct CGColorSpace : CFStandIn::Object
{
};

CGColorSpaceRef CGColorSpaceCreateDeviceRGB ()
{
	return new CGColorSpace;
}

CGColorSpaceRef CGColorSpaceRetain (CGColorSpaceRef space)
{
	CFRetain (space);
	return space;
}

void CGColorSpaceRelease (CGColorSpaceRef space)
{
	CFRelease (space);
}
