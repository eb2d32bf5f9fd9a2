// The platform's side of a bitmap: one pixel image at one scale factor,
// optionally laid out as a grid of equal frames shown at a grid scale.
//
// Code outside the bundles calls these operations through the table of
// virtual operations by position, so their order is part of the bundle's
// interface: never reorder, insert or remove one.
#pragma once

#include "../cpoint.h"
#include "../vstguibase.h"

#include <cstdint>

namespace VSTGUI {

class CResourceDescription;

// Direct access to a bitmap's pixels while the object lives; the bitmap
// shows the changes once it is given up.
class IPlatformBitmapPixelAccess : public ReferenceCounted
{
public:
	enum PixelFormat
	{
		kARGB,
		kRGBA,
		kABGR,
		kBGRA
	};

	virtual uint8_t* getAddress () const = 0;
	virtual uint32_t getBytesPerRow () const = 0;
	virtual PixelFormat getPixelFormat () const = 0;
};

class IPlatformBitmap : public ReferenceCounted
{
public:
	// A new platform bitmap of `size` pixels with its pixel buffer, or an
	// empty one when size is null.
	static SharedPointer<IPlatformBitmap> create (CPoint* size = nullptr);

	virtual bool load (const CResourceDescription& desc) = 0;
	// The pixel size.
	virtual const CPoint& getSize () const = 0;
	// Null when the pixels cannot be handed out in the asked form.
	virtual SharedPointer<IPlatformBitmapPixelAccess> lockPixels (bool alphaPremultiplied) = 0;
	// Device pixels per point of the image.
	virtual void setScaleFactor (double factor) = 0;
	virtual double getScaleFactor () const = 0;

	// Makes sure the bitmap has a pixel buffer; draws nothing.
	virtual void drawScaled (const SharedPointer<IPlatformBitmap>& source,
	                         const SharedPointer<IPlatformBitmap>& target) = 0;
	// A snapshot of the image's bytes in the image's own layout, or null when
	// there is no image. Each call makes a fresh copy; the caller frees nothing.
	virtual const uint8_t* getBytes () = 0;

	// The frame grid: columns and rows of equal frames, shown at `scale`
	// times the pixel size. No value is refused; a later call replaces all three.
	virtual void setFrameGrid (uint32_t columns, uint32_t rows, double scale) = 0;
	// Back to no grid: scale 1, one column, one row.
	virtual void resetFrameGrid () = 0;
	virtual bool isFrameGridSet () const = 0;
	// The stored scale while a grid is set, 1 otherwise.
	virtual double getFrameGridScale () const = 0;
	// The stored counts, set or not.
	virtual uint32_t getFrameGridColumns () const = 0;
	virtual uint32_t getFrameGridRows () const = 0;
};

} // VSTGUI
