#include "FrameSheet.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

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

} // namespace Tolvik::Testing
