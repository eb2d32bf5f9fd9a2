// With Foundation in the process, CFAutorelease hands its references to the
// thread's Objective-C autorelease pool: the copy that CGBitmap::getBytes
// hands out lives until that pool is drained, and no longer.
#import <Foundation/Foundation.h>

#include "lib/platform/mac/cgbitmap.h"

#include <CoreFoundation/CFStandInDiagnostics.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

using namespace VSTGUI;

// A 10 x 4 bitmap whose first pixel word is 0x11223344, with its image made.
SharedPointer<CGBitmap> makeBitmap ()
{
	auto bitmap = makeOwned<CGBitmap> (CPoint (10, 4));
	if (auto pixels = bitmap->lockPixels (true))
	{
		const uint32_t word = 0x11223344u;
		std::memcpy (pixels->getAddress (), &word, sizeof word);
	}
	bitmap->getCGImage ();
	return bitmap;
}

uint32_t firstWord (const uint8_t* bytes)
{
	uint32_t word = 0;
	std::memcpy (&word, bytes, sizeof word);
	return word;
}

TEST (CFAutoreleaseWithFoundation, ADrainedPoolGivesUpTheCopiesMadeInIt)
{
	auto bitmap = makeBitmap ();
	const auto alive = CFStandIn::objectsAlive ();

	NSAutoreleasePool* outer = [[NSAutoreleasePool alloc] init];
	const uint8_t* kept = bitmap->getBytes ();
	ASSERT_NE (kept, nullptr);
	NSAutoreleasePool* inner = [[NSAutoreleasePool alloc] init];
	for (int copy = 0; copy < 3; ++copy)
		ASSERT_NE (bitmap->getBytes (), nullptr);
	EXPECT_EQ (CFStandIn::objectsAlive (), alive + 4);
	CFStandIn::drainAutoreleasePool ();
	EXPECT_EQ (CFStandIn::objectsAlive (), alive + 4) << "the thread's own list holds none of them";

	[inner drain];
	EXPECT_EQ (CFStandIn::objectsAlive (), alive + 1) << "the inner pool gave up its three";
	EXPECT_EQ (firstWord (kept), 0x11223344u) << "the outer pool's copy is still there";
	[outer drain];
	EXPECT_EQ (CFStandIn::objectsAlive (), alive);
}

TEST (CFAutoreleaseWithFoundation, AThreadWithoutAPoolKeepsItsOwnList)
{
	auto bitmap = makeBitmap ();
	const auto alive = CFStandIn::objectsAlive ();
	int64_t aliveAfterCopy = 0, aliveAfterDrain = 0;
	uint32_t word = 0;
	std::thread reader ([&] {
		word = firstWord (bitmap->getBytes ());
		aliveAfterCopy = CFStandIn::objectsAlive ();
		CFStandIn::drainAutoreleasePool ();
		aliveAfterDrain = CFStandIn::objectsAlive ();
	});
	reader.join ();
	EXPECT_EQ (word, 0x11223344u);
	EXPECT_EQ (aliveAfterCopy, alive + 1);
	EXPECT_EQ (aliveAfterDrain, alive);
}

} // namespace
