#include "cgbitmap.h"

#include "../../uint32conversion.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstdlib>

namespace VSTGUI {
namespace {

constexpr CGBitmapInfo kPixelLayout = kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host;

void freeBits (void*, const void* data, size_t)
{
	std::free (const_cast<void*> (data));
}

// Rows of pixel width * 4 bytes, pixel height rows, in unsigned 32-bit
// arithmetic. A size for which that arithmetic would wrap (negative, NaN or
// too large) has no layout: a buffer shorter than the image it is said to
// hold would be read and written past its end.
bool pixelBufferLayout (const CPoint& size, uint32_t& rowLength, uint32_t& byteCount)
{
	const double rowBytes = size.x * 4.;
	if (!(rowBytes >= 0. && rowBytes <= UINT32_MAX && size.y >= 0. && size.y <= UINT32_MAX))
		return false;
	rowLength = truncateToUInt32 (rowBytes);
	const uint64_t count = uint64_t {rowLength} * truncateToUInt32 (size.y);
	if (count > UINT32_MAX)
		return false;
	byteCount = static_cast<uint32_t> (count);
	return true;
}

// Draws `image` into the pixel buffer, unscaled.
void copyImage (CGImageRef image, void* bits, const CPoint& size, uint32_t bytesPerRow)
{
	const size_t width = truncateToUInt32 (size.x), height = truncateToUInt32 (size.y);
	auto space = CGColorSpaceCreateDeviceRGB ();
	if (auto context = CGBitmapContextCreate (bits, width, height, 8, bytesPerRow, space, kPixelLayout))
	{
		CGContextSetInterpolationQuality (context, kCGInterpolationNone);
		CGContextDrawImage (context, CGRectMake (0., 0., width, height), image);
		CGContextRelease (context);
	}
	CGColorSpaceRelease (space);
}

} // namespace

// Keeps the bitmap alive while the pixels are out; giving it up drops the
// image made from the old pixels.
class CGBitmap::PixelAccess : public IPlatformBitmapPixelAccess
{
public:
	explicit PixelAccess (CGBitmap& bitmap) : bitmap (&bitmap) {}
	~PixelAccess () noexcept override { bitmap->freeCGImage (); }

	uint8_t* getAddress () const override { return static_cast<uint8_t*> (bitmap->bits); }
	uint32_t getBytesPerRow () const override { return bitmap->bytesPerRow; }
	PixelFormat getPixelFormat () const override
	{
		// Premultiplied first-alpha words of the host's byte order.
		return kCGBitmapByteOrder32Host == kCGBitmapByteOrder32Little ? kBGRA : kARGB;
	}

private:
	SharedPointer<CGBitmap> bitmap;
};

CGBitmap::CGBitmap (const CPoint& size) : size (size)
{
	allocBits ();
}

CGBitmap::CGBitmap (CGImageRef image) : image (CGImageRetain (image))
{
	size = CPoint (static_cast<CCoord> (CGImageGetWidth (image)), static_cast<CCoord> (CGImageGetHeight (image)));
}

CGBitmap::CGBitmap () = default;

CGBitmap::~CGBitmap () noexcept
{
	freeCGImage ();
	CGDataProviderRelease (dataProvider);
}

bool CGBitmap::load (const CResourceDescription&)
{
	return false;
}

SharedPointer<IPlatformBitmapPixelAccess> CGBitmap::lockPixels (bool alphaPremultiplied)
{
	if (!alphaPremultiplied || !preparePixelBuffer ())
		return nullptr;
	return makeOwned<PixelAccess> (*this);
}

CGContextRef CGBitmap::createCGContext ()
{
	if (!preparePixelBuffer ())
		return nullptr;
	// The pixels are about to change: an image of them is made again.
	freeCGImage ();
	auto space = CGColorSpaceCreateDeviceRGB ();
	auto context = CGBitmapContextCreate (bits, truncateToUInt32 (size.x), truncateToUInt32 (size.y), 8,
	                                      bytesPerRow, space, kPixelLayout);
	CGColorSpaceRelease (space);
	return context;
}

void CGBitmap::drawScaled (const SharedPointer<IPlatformBitmap>&, const SharedPointer<IPlatformBitmap>&)
{
	allocBits ();
}

const uint8_t* CGBitmap::getBytes ()
{
	auto cgImage = getCGImage ();
	if (!cgImage)
		return nullptr;
	auto copy = CGDataProviderCopyData (CGImageGetDataProvider (cgImage));
	if (!copy)
		return nullptr;
	// The caller frees nothing and the bitmap keeps nothing: the pool gives
	// the copy up once the caller is done with this event.
	CFAutorelease (copy);
	return CFDataGetBytePtr (copy);
}

CGImageRef CGBitmap::getCGImage ()
{
	if (!image && bits && dataProvider)
	{
		auto space = CGColorSpaceCreateDeviceRGB ();
		image = CGImageCreate (truncateToUInt32 (size.x), truncateToUInt32 (size.y), 8, 32, bytesPerRow, space,
		                       kPixelLayout, dataProvider, nullptr, false, kCGRenderingIntentDefault);
		CGColorSpaceRelease (space);
	}
	return image;
}

void CGBitmap::allocBits ()
{
	if (bits)
		return;
	uint32_t rowLength = 0, byteCount = 0;
	if (!pixelBufferLayout (size, rowLength, byteCount))
		return;
	bytesPerRow = rowLength;
	bits = std::calloc (byteCount ? byteCount : 1, 1);
	if (bits)
		dataProvider = CGDataProviderCreateWithData (nullptr, bits, byteCount, freeBits);
}

bool CGBitmap::preparePixelBuffer ()
{
	allocBits ();
	if (!bits)
		return false;
	// An image that was not made from the buffer holds the bitmap's pixels
	// (the buffer may be new, or zeros that drawScaled allocated): they go
	// into the buffer, which becomes the image's source once the image is
	// dropped.
	if (image && CGImageGetDataProvider (image) != dataProvider)
		copyImage (image, bits, size, bytesPerRow);
	return true;
}

void CGBitmap::freeCGImage ()
{
	CGImageRelease (image);
	image = nullptr;
}

} // VSTGUI
