// The macOS platform bitmap: a Core Graphics image, or a pixel buffer from
// which one is made, and the frame grid that the library's bitmap drawing
// reads.
#pragma once

#include "../iplatformbitmap.h"

#include <CoreGraphics/CoreGraphics.h>

namespace VSTGUI {

class CGBitmap : public IPlatformBitmap
{
public:
	// A zeroed pixel buffer of `size` pixels.
	explicit CGBitmap (const CPoint& size);
	// Shows `image`, which it retains; there is no pixel buffer until one is needed.
	explicit CGBitmap (CGImageRef image);
	CGBitmap ();
	~CGBitmap () noexcept override;
	CGBitmap (const CGBitmap&) = delete;
	CGBitmap& operator= (const CGBitmap&) = delete;

	// This build decodes no image files: always false.
	bool load (const CResourceDescription& desc) override;
	const CPoint& getSize () const override { return size; }
	// Premultiplied pixels only (null for alphaPremultiplied false): the
	// native 32-bit layout of the pixel buffer, which it makes when needed.
	SharedPointer<IPlatformBitmapPixelAccess> lockPixels (bool alphaPremultiplied) override;
	void setScaleFactor (double factor) override { scaleFactor = factor; }
	double getScaleFactor () const override { return scaleFactor; }

	// Ignores both bitmaps: only makes sure of the pixel buffer, as allocBits does.
	void drawScaled (const SharedPointer<IPlatformBitmap>& source,
	                 const SharedPointer<IPlatformBitmap>& target) override;
	// The copy is autoreleased: it stays valid until the calling thread's
	// autorelease pool is drained (on a Mac, after the current event).
	const uint8_t* getBytes () override;

	void setFrameGrid (uint32_t columns, uint32_t rows, double scale) override
	{
		frameGridSet = true;
		frameGridScale = scale;
		frameGridColumns = columns;
		frameGridRows = rows;
	}
	void resetFrameGrid () override
	{
		frameGridSet = false;
		frameGridScale = 1.;
		frameGridColumns = 1;
		frameGridRows = 1;
	}
	bool isFrameGridSet () const override { return frameGridSet; }
	double getFrameGridScale () const override { return frameGridSet ? frameGridScale : 1.; }
	uint32_t getFrameGridColumns () const override { return frameGridColumns; }
	uint32_t getFrameGridRows () const override { return frameGridRows; }

	// The image to draw, owned by the bitmap: made from the pixel buffer when
	// there is none, and kept until the pixels change. Null without either.
	CGImageRef getCGImage ();
	// Drops the image, so that the next getCGImage makes it again from the
	// pixel buffer as it is then. Call it after drawing into the buffer.
	void freeCGImage ();

	// A bitmap context over the pixel buffer (made, with the bitmap's pixels,
	// when needed), one unit a pixel; the caller releases it, and the bitmap
	// must outlive it. Null without pixels or for a size the context cannot
	// take.
	CGContextRef createCGContext ();

protected:
	class PixelAccess;

	// Makes a zeroed pixel buffer of the pixel size, unless there is one.
	void allocBits ();
	// Makes sure of the pixel buffer and that it holds the bitmap's pixels;
	// false when there is none.
	bool preparePixelBuffer ();

	CPoint size;
	CGImageRef image {nullptr};
	// Owns `bits`: its release frees them.
	CGDataProviderRef dataProvider {nullptr};
	void* bits {nullptr};
	uint32_t bytesPerRow {0};
	double scaleFactor {1.};
	bool frameGridSet {false};
	double frameGridScale {1.};
	uint32_t frameGridColumns {1};
	uint32_t frameGridRows {1};
};

} // VSTGUI
