// The macOS platform bitmap: its constructors, frame grid, pixel buffer and
// the snapshots of its bytes.
#include "PositionImage.h"

#include "lib/cresourcedescription.h"

#include <CoreFoundation/CFStandInDiagnostics.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

// Shows the pixel buffer, which the tests check allocations by.
struct BufferProbeCGBitmap : CGBitmap
{
	using CGBitmap::CGBitmap;
	const void* pixelBuffer () const { return bits; }
	uint32_t rowLength () const { return bytesPerRow; }
};

void expectNoGrid (const IPlatformBitmap& bitmap)
{
	EXPECT_FALSE (bitmap.isFrameGridSet ());
	EXPECT_EQ (bitmap.getFrameGridScale (), 1.);
	EXPECT_EQ (bitmap.getFrameGridColumns (), 1u);
	EXPECT_EQ (bitmap.getFrameGridRows (), 1u);
}

TEST (CGBitmapConstruction, EveryConstructorStartsWithoutGridAtFactorOne)
{
	auto image = createPositionImage (10, 4);
	BufferProbeCGBitmap bySize (CPoint (10, 4));
	BufferProbeCGBitmap byImage (image);
	BufferProbeCGBitmap empty;
	for (const CGBitmap* bitmap : {static_cast<CGBitmap*> (&bySize), static_cast<CGBitmap*> (&byImage),
	                               static_cast<CGBitmap*> (&empty)})
	{
		expectNoGrid (*bitmap);
		EXPECT_EQ (bitmap->getScaleFactor (), 1.);
	}
	EXPECT_EQ (bySize.getSize (), CPoint (10, 4));
	EXPECT_NE (bySize.pixelBuffer (), nullptr);
	EXPECT_EQ (bySize.rowLength (), 40u);

	EXPECT_EQ (byImage.getSize (), CPoint (10, 4));
	EXPECT_EQ (byImage.pixelBuffer (), nullptr);
	EXPECT_EQ (byImage.getCGImage (), image);
	EXPECT_EQ (CFGetRetainCount (image), 2) << "the bitmap retains its image";

	EXPECT_EQ (empty.getSize (), CPoint (0, 0));
	EXPECT_EQ (empty.getCGImage (), nullptr);
	CGImageRelease (image);
}

TEST (CGBitmapConstruction, ASizeWhoseBufferArithmeticWouldWrapGetsNoBuffer)
{
	const CPoint sizes[] = {{-10, 4}, {10, -4}, {std::nan (""), 4}, {70000, 70000}, {1073741824, 1}};
	for (const auto& size : sizes)
	{
		BufferProbeCGBitmap bitmap (size);
		EXPECT_EQ (bitmap.pixelBuffer (), nullptr) << size.x << " x " << size.y;
		EXPECT_EQ (bitmap.getCGImage (), nullptr);
		EXPECT_EQ (bitmap.getBytes (), nullptr);
	}
}

TEST (CGBitmapFrameGrid, StoresEveryValueAndResetsAllFour)
{
	CGBitmap bitmap (CPoint (300, 100));
	const struct
	{
		uint32_t columns, rows;
		double scale;
	} grids[] = {{3, 2, 0.5}, {0, 0, 1.}, {1, 1, -2.}, {4294967295u, 7, 1e300}};
	for (const auto& grid : grids)
	{
		bitmap.setFrameGrid (grid.columns, grid.rows, grid.scale);
		EXPECT_TRUE (bitmap.isFrameGridSet ());
		EXPECT_EQ (bitmap.getFrameGridScale (), grid.scale);
		EXPECT_EQ (bitmap.getFrameGridColumns (), grid.columns);
		EXPECT_EQ (bitmap.getFrameGridRows (), grid.rows);
	}
	bitmap.setFrameGrid (5, 6, std::nan (""));
	EXPECT_TRUE (std::isnan (bitmap.getFrameGridScale ()));

	bitmap.resetFrameGrid ();
	expectNoGrid (bitmap);
	EXPECT_EQ (bitmap.getSize (), CPoint (300, 100)) << "the grid never changes the pixel size";
}

TEST (CGBitmapDrawScaled, AllocatesOnlyForAnImageMadeBitmap)
{
	BufferProbeCGBitmap bySize (CPoint (10, 4));
	const void* buffer = bySize.pixelBuffer ();
	bySize.drawScaled (nullptr, nullptr);
	EXPECT_EQ (bySize.pixelBuffer (), buffer);
	EXPECT_EQ (bySize.rowLength (), 40u);

	auto image = createPositionImage (10, 4);
	BufferProbeCGBitmap byImage (image);
	CGImageRelease (image);
	byImage.drawScaled (nullptr, nullptr);
	ASSERT_NE (byImage.pixelBuffer (), nullptr);
	EXPECT_EQ (byImage.rowLength (), 40u);
	const uint8_t zeros[160] = {};
	EXPECT_EQ (std::memcmp (byImage.pixelBuffer (), zeros, sizeof zeros), 0);
	EXPECT_EQ (byImage.getCGImage (), image) << "it draws nothing and keeps the image";

	const void* allocated = byImage.pixelBuffer ();
	byImage.drawScaled (makeOwned<CGBitmap> (), makeOwned<CGBitmap> ());
	EXPECT_EQ (byImage.pixelBuffer (), allocated);
}

TEST (CGBitmapDrawScaled, KeepsTheImagesPixelsForLaterPixelAccess)
{
	auto image = createPositionImage (10, 4);
	auto bitmap = makeOwned<CGBitmap> (image);
	CGImageRelease (image);
	bitmap->drawScaled (nullptr, nullptr);
	{
		auto pixels = bitmap->lockPixels (true);
		ASSERT_NE (pixels, nullptr);
		auto row = reinterpret_cast<const uint32_t*> (pixels->getAddress () + 1 * pixels->getBytesPerRow ());
		EXPECT_EQ (row[3], positionPixel (3, 1)) << "the image's pixels, not the zeros";
	}
	auto bytes = reinterpret_cast<const uint32_t*> (bitmap->getBytes ());
	ASSERT_NE (bytes, nullptr);
	EXPECT_EQ (bytes[1 * 10 + 3], positionPixel (3, 1)) << "the image made again from the buffer keeps them";
}

TEST (CGBitmapGetBytes, CopiesThePixelBufferAsItIsNow)
{
	auto bitmap = makePositionBitmap (10, 4);
	auto first = bitmap->getBytes ();
	ASSERT_NE (first, nullptr);
	auto words = reinterpret_cast<const uint32_t*> (first);
	EXPECT_EQ (words[0], positionPixel (0, 0));
	EXPECT_EQ (words[3 * 10 + 9], positionPixel (9, 3));

	if (auto pixels = bitmap->lockPixels (true))
		std::memset (pixels->getAddress (), 0x7F, 4 * 40);
	EXPECT_EQ (words[3 * 10 + 9], positionPixel (9, 3)) << "a snapshot does not follow the pixels";

	auto second = bitmap->getBytes ();
	EXPECT_NE (second, first) << "each call makes a fresh copy";
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (second)[0], 0x7F7F7F7Fu);
	CFStandIn::drainAutoreleasePool ();
}

TEST (CGBitmapGetBytes, CopiesTheBytesOfAnImageMadeBitmap)
{
	auto image = createPositionImage (10, 4);
	CGBitmap bitmap (image);
	CGImageRelease (image);
	auto bytes = bitmap.getBytes ();
	ASSERT_NE (bytes, nullptr);
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (bytes + CGImageGetBytesPerRow (image))[2], positionPixel (2, 1));
	EXPECT_EQ (CGBitmap ().getBytes (), nullptr) << "nothing to make an image from";
	CFStandIn::drainAutoreleasePool ();
}

TEST (CGBitmapGetBytes, TheCopyOutlivesTheBitmapUntilThePoolIsDrained)
{
	CFStandIn::drainAutoreleasePool ();
	const auto alive = CFStandIn::objectsAlive ();
	const uint8_t* bytes = nullptr;
	{
		auto bitmap = makePositionBitmap (10, 4);
		bytes = bitmap->getBytes ();
	}
	ASSERT_NE (bytes, nullptr);
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (bytes)[5], positionPixel (5, 0));
	EXPECT_EQ (CFStandIn::objectsAlive (), alive + 1) << "only the copy is left";
	CFStandIn::drainAutoreleasePool ();
	EXPECT_EQ (CFStandIn::objectsAlive (), alive);
}

TEST (CGBitmapGetBytes, CopiesMadeOnAThreadGoWithTheThread)
{
	auto bitmap = makePositionBitmap (10, 4);
	bitmap->getCGImage ();
	const auto alive = CFStandIn::objectsAlive ();
	uint32_t firstWord = 0;
	std::thread reader ([&] { firstWord = reinterpret_cast<const uint32_t*> (bitmap->getBytes ())[0]; });
	reader.join ();
	EXPECT_EQ (firstWord, positionPixel (0, 0));
	EXPECT_EQ (CFStandIn::objectsAlive (), alive);
}

TEST (CGBitmapPixels, LockingAnImageMadeBitmapCopiesTheImageAndUnlockingRemakesIt)
{
	auto image = createPositionImage (10, 4);
	BufferProbeCGBitmap bitmap (image);
	CGImageRelease (image);
	{
		auto pixels = bitmap.lockPixels (true);
		ASSERT_TRUE (pixels);
		EXPECT_EQ (pixels->getBytesPerRow (), 40u);
		EXPECT_EQ (pixels->getPixelFormat (), IPlatformBitmapPixelAccess::kBGRA);
		auto words = reinterpret_cast<uint32_t*> (pixels->getAddress ());
		EXPECT_EQ (words[10 + 3], positionPixel (3, 1));
		words[0] = 0xFF102030u;
	}
	ASSERT_NE (bitmap.getCGImage (), nullptr);
	EXPECT_EQ (reinterpret_cast<const uint32_t*> (bitmap.getBytes ())[0], 0xFF102030u);
	EXPECT_FALSE (bitmap.lockPixels (false)) << "only premultiplied pixels are handed out";
	EXPECT_FALSE (CGBitmap ().load (CResourceDescription ("knob.png")));
	CFStandIn::drainAutoreleasePool ();
}

} // namespace
