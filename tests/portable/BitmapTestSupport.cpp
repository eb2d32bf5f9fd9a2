#include "BitmapTestSupport.h"

#include <cmath>

namespace Tolvik::Testing {

using namespace VSTGUI;

uint32_t positionPixel (uint32_t column, uint32_t row)
{
	return 0xFF000000u | ((column & 0xFF) << 16) | (((column >> 8) & 0xFF) << 8) | (row & 0xFF);
}

ImagePixel decodePixel (uint32_t word)
{
	return {static_cast<uint8_t> (word >> 24), ((word >> 16) & 0xFF) | (((word >> 8) & 0xFF) << 8), word & 0xFF};
}

namespace {

void fillWithPositions (uint8_t* bytes, uint32_t bytesPerRow, uint32_t width, uint32_t height)
{
	for (uint32_t row = 0; row < height; ++row)
	{
		auto words = reinterpret_cast<uint32_t*> (bytes + row * bytesPerRow);
		for (uint32_t column = 0; column < width; ++column)
			words[column] = positionPixel (column, row);
	}
}

} // namespace

SharedPointer<CGBitmap> makePositionBitmap (uint32_t width, uint32_t height, double scaleFactor)
{
	auto bitmap = makeOwned<CGBitmap> (CPoint (width, height));
	bitmap->setScaleFactor (scaleFactor);
	if (auto pixels = bitmap->lockPixels (true))
		fillWithPositions (pixels->getAddress (), pixels->getBytesPerRow (), width, height);
	return bitmap;
}

CGImageRef createPositionImage (uint32_t width, uint32_t height)
{
	auto space = CGColorSpaceCreateDeviceRGB ();
	auto context = CGBitmapContextCreate (nullptr, width, height, 8, 0, space,
	                                      kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
	fillWithPositions (static_cast<uint8_t*> (CGBitmapContextGetData (context)),
	                   static_cast<uint32_t> (CGBitmapContextGetBytesPerRow (context)), width, height);
	auto image = CGBitmapContextCreateImage (context);
	CGContextRelease (context);
	CGColorSpaceRelease (space);
	return image;
}

SharedPointer<CBitmap> makeGriddedBitmap (uint32_t width, uint32_t height, double scaleFactor, uint32_t columns,
                                          uint32_t rows, double gridScale)
{
	auto platformBitmap = makePositionBitmap (width, height, scaleFactor);
	platformBitmap->setFrameGrid (columns, rows, gridScale);
	return makeOwned<CBitmap> (platformBitmap.get ());
}

TwoFactorStrip::TwoFactorStrip ()
: first (makePositionBitmap (300, 100, 1.)), second (makePositionBitmap (300, 100, 2.))
{
	first->setFrameGrid (3, 1, 0.5);
	bitmap = makeOwned<CBitmap> (first.get ());
	bitmap->addBitmap (second);
}

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
	auto column = static_cast<size_t> (std::floor (x * scaleFactor));
	auto row = static_cast<size_t> (std::floor (y * scaleFactor));
	auto bytes = static_cast<const uint8_t*> (CGBitmapContextGetData (cg));
	return reinterpret_cast<const uint32_t*> (bytes + row * CGBitmapContextGetBytesPerRow (cg))[column];
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

DrawRecorder::DrawRecorder (CGContextRef context) : context (context)
{
	CGStandIn::setObserver (context, this);
}

DrawRecorder::~DrawRecorder ()
{
	CGStandIn::setObserver (context, nullptr);
}

Rect toRect (const CGRect& r)
{
	return {r.origin.x, r.origin.y, r.size.width, r.size.height};
}

Rect scaled (const Rect& r, double factor)
{
	return {r.x * factor, r.y * factor, r.width * factor, r.height * factor};
}

std::ostream& operator<< (std::ostream& os, const Rect& r)
{
	return os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

} // namespace Tolvik::Testing
