#include "PositionImage.h"

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

} // namespace Tolvik::Testing
