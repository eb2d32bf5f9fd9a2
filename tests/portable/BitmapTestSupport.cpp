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

namespace {

// An odd factor walks all 256 values, and consecutive ones lie 89 or 167 apart.
constexpr uint32_t kCodeStep = 167, kCodeStepInverse = 23, kCodeStart = 41;
static_assert ((kCodeStep * kCodeStepInverse) % 256 == 1);

uint32_t encode (uint32_t value)
{
	return (value * kCodeStep + kCodeStart) & 0xFF;
}

uint32_t decodeValue (uint32_t code)
{
	return ((code - kCodeStart) * kCodeStepInverse) & 0xFF;
}

} // namespace

FrameSheet::FrameSheet (uint32_t frameWidth, uint32_t frameHeight, uint32_t columns, uint32_t rows)
: frameW (frameWidth), frameH (frameHeight), across (columns), down (rows)
{
}

uint32_t FrameSheet::word (const FramePixel& pixel) const
{
	return 0xFF000000u | encode (pixel.frame) << 16 | encode (pixel.column) << 8 | encode (pixel.row);
}

FramePixel FrameSheet::pixelAt (uint32_t x, uint32_t y) const
{
	return {(y / frameH) * across + x / frameW, x % frameW, y % frameH};
}

uint32_t FrameSheet::wordAt (uint32_t x, uint32_t y) const
{
	return word (pixelAt (x, y));
}

std::optional<FramePixel> FrameSheet::decode (uint32_t value) const
{
	const FramePixel pixel {decodeValue (value >> 16), decodeValue (value >> 8), decodeValue (value)};
	if (pixel.frame >= frameCount () || pixel.column >= frameW || pixel.row >= frameH || word (pixel) != value)
		return std::nullopt;
	return pixel;
}

SharedPointer<CGBitmap> FrameSheet::makeBitmap (double scaleFactor) const
{
	const uint32_t width = frameW * across, height = frameH * down;
	auto bitmap = makeOwned<CGBitmap> (CPoint (width, height));
	bitmap->setScaleFactor (scaleFactor);
	if (auto pixels = bitmap->lockPixels (true))
	{
		for (uint32_t y = 0; y < height; ++y)
		{
			auto words = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
			for (uint32_t x = 0; x < width; ++x)
				words[x] = wordAt (x, y);
		}
	}
	return bitmap;
}

std::ostream& operator<< (std::ostream& os, const FramePixel& p)
{
	return os << "frame " << p.frame << " column " << p.column << " row " << p.row;
}

SharedPointer<CBitmap> makeGriddedBitmap (const FrameSheet& sheet, double scaleFactor, double gridScale)
{
	auto platformBitmap = sheet.makeBitmap (scaleFactor);
	platformBitmap->setFrameGrid (sheet.columns (), sheet.rows (), gridScale);
	return makeOwned<CBitmap> (platformBitmap.get ());
}

TwoFactorStrip::TwoFactorStrip ()
: first (FrameSheet (100, 100, 3, 1).makeBitmap (1.)), second (FrameSheet (100, 100, 3, 1).makeBitmap (2.))
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
