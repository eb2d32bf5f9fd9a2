// Code outside the bundles reaches a platform bitmap's operations through its
// table of virtual operations by position. These tests call each slot by its
// index, as such code does, and check which operation answers.
#include "RecordingPlatformBitmap.h"
#include "VirtualSlot.h"

#include "lib/cresourcedescription.h"
#include "lib/platform/mac/cgbitmap.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using Tolvik::Testing::RecordingPlatformBitmap;
using Tolvik::Testing::slotOf;

// The index of the first slot after those of the reference-counting base:
// that of a probe's first operation.
struct ProbeAfterBase : ReferenceCounted
{
	virtual void firstOwnOperation () {}
};

// Calls the bitmap's operation of that number, counted from the first slot
// after the base's.
template <typename Result, typename... Args>
Result callOperation (IPlatformBitmap* bitmap, size_t operation, Args... args)
{
	return Tolvik::Testing::callSlot<Result, Args...> (bitmap, slotOf (&ProbeAfterBase::firstOwnOperation) + operation,
	                                                   args...);
}

using PixelAccessPtr = SharedPointer<IPlatformBitmapPixelAccess>;
using BitmapPtr = SharedPointer<IPlatformBitmap>;

TEST (PlatformBitmapTable, HoldsTheThirteenOperationsInOrder)
{
	RecordingPlatformBitmap recorder;
	IPlatformBitmap* bitmap = &recorder;
	auto expectCall = [&] (size_t operation, const char* name) {
		EXPECT_EQ (recorder.lastCall, name) << "operation " << operation;
		recorder.lastCall.clear ();
	};

	CResourceDescription description (7);
	EXPECT_TRUE ((callOperation<bool, const CResourceDescription*> (bitmap, 0, &description)));
	expectCall (0, "load");
	EXPECT_EQ ((callOperation<const CPoint*> (bitmap, 1)), &recorder.getSize ());
	recorder.lastCall.clear ();
	callOperation<void> (bitmap, 1);
	expectCall (1, "getSize");
	// A class returned by value comes back through a hidden first argument.
	PixelAccessPtr pixels = callOperation<PixelAccessPtr, bool> (bitmap, 2, true);
	expectCall (2, "lockPixels");
	callOperation<void, double> (bitmap, 3, 2.);
	expectCall (3, "setScaleFactor");
	EXPECT_EQ ((callOperation<double> (bitmap, 4)), 2.);
	expectCall (4, "getScaleFactor");
	BitmapPtr none;
	callOperation<void, const BitmapPtr*, const BitmapPtr*> (bitmap, 5, &none, &none);
	expectCall (5, "drawScaled");
	EXPECT_EQ ((callOperation<const uint8_t*> (bitmap, 6)), nullptr);
	expectCall (6, "getBytes");
	callOperation<void, uint32_t, uint32_t, double> (bitmap, 7, 3u, 2u, 0.5);
	expectCall (7, "setFrameGrid");
	callOperation<void> (bitmap, 8);
	expectCall (8, "resetFrameGrid");
	EXPECT_TRUE ((callOperation<bool> (bitmap, 9)));
	expectCall (9, "isFrameGridSet");
	EXPECT_EQ ((callOperation<double> (bitmap, 10)), 0.5);
	expectCall (10, "getFrameGridScale");
	EXPECT_EQ ((callOperation<uint32_t> (bitmap, 11)), 3u);
	expectCall (11, "getFrameGridColumns");
	EXPECT_EQ ((callOperation<uint32_t> (bitmap, 12)), 2u);
	expectCall (12, "getFrameGridRows");
}

TEST (PlatformBitmapTable, TheMacBitmapAnswersTheGridSlots)
{
	auto bitmap = makeOwned<CGBitmap> (CPoint (300, 100));
	IPlatformBitmap* platformBitmap = bitmap.get ();
	callOperation<void, uint32_t, uint32_t, double> (platformBitmap, 7, 3u, 2u, 0.5);
	EXPECT_TRUE ((callOperation<bool> (platformBitmap, 9)));
	EXPECT_EQ ((callOperation<double> (platformBitmap, 10)), 0.5);
	EXPECT_EQ ((callOperation<uint32_t> (platformBitmap, 11)), 3u);
	EXPECT_EQ ((callOperation<uint32_t> (platformBitmap, 12)), 2u);
	callOperation<void> (platformBitmap, 8);
	EXPECT_FALSE (bitmap->isFrameGridSet ());
	EXPECT_EQ ((callOperation<const CPoint*> (platformBitmap, 1)), &bitmap->getSize ());
	EXPECT_NE ((callOperation<const uint8_t*> (platformBitmap, 6)), nullptr);
}

} // namespace
