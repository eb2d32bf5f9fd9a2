#include "Canvas.h"

#include <cmath>

namespace Tolvik::Testing {

using namespace VSTGUI;

Canvas::Canvas (double width, double height, double scaleFactor) : scaleFactor (scaleFactor)
{
	auto space = CGColorSpaceCreateDeviceRGB ();
	cg = CGBitmapContextCreate (nullptr, static_cast<size_t> (width * scaleFactor),
	                            static_cast<size_t> (height * scaleFactor), 8, 0, space,
	                            kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
	CGColorSpaceRelease (space);
	CGContextScaleCTM (cg, scaleFactor, scaleFactor);
	drawContext = makeOwned<CGDrawContext> (cg, CRect (0, 0, width, height));
	drawContext->setScaleFactor (scaleFactor);
}

Canvas::~Canvas ()
{
	drawContext.reset ();
	CGContextRelease (cg);
}

uint32_t Canvas::wordAt (double x, double y) const
{
	return deviceWordAt (static_cast<size_t> (std::floor (x * scaleFactor)),
	                     static_cast<size_t> (std::floor (y * scaleFactor)));
}

uint32_t Canvas::deviceWordAt (size_t column, size_t row) const
{
	auto bytes = static_cast<const uint8_t*> (CGBitmapContextGetData (cg));
	return reinterpret_cast<const uint32_t*> (bytes + row * CGBitmapContextGetBytesPerRow (cg))[column];
}

size_t Canvas::deviceWidth () const
{
	return CGBitmapContextGetWidth (cg);
}

size_t Canvas::deviceHeight () const
{
	return CGBitmapContextGetHeight (cg);
}

ImagePixel Canvas::at (double x, double y) const
{
	return decodePixel (wordAt (x, y));
}

bool Canvas::drawnOutside (const CRect& rect) const
{
	const double width = CGBitmapContextGetWidth (cg) / scaleFactor;
	const double height = CGBitmapContextGetHeight (cg) / scaleFactor;
	const double step = 1. / scaleFactor;
	for (double y = step / 2; y < height; y += step)
	{
		for (double x = step / 2; x < width; x += step)
		{
			if (!rect.pointInside (CPoint (x, y)) && wordAt (x, y) != 0)
				return true;
		}
	}
	return false;
}

} // namespace Tolvik::Testing
