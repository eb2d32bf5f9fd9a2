// Drawing an image allocates nothing in the library and creates no Core
// Graphics object; what cairo allocates inside the stand-in's rendering is
// not the library's and is not counted.
#include "AllocationCounter.h"
#include "Canvas.h"
#include "PositionImage.h"

#include <CoreFoundation/CFStandInDiagnostics.h>

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

TEST (AllocationCounter, CountsOperatorNew)
{
	AllocationCounter counter;
	// Kept in a volatile so that the pair is not optimised away.
	void* volatile memory = ::operator new (16);
	::operator delete (memory);
	EXPECT_EQ (counter.allocations (), 1u);
}

TEST (DrawCGImageRef, AllocatesNothingAndCreatesNoCoreGraphicsObject)
{
	struct Case
	{
		const char* name;
		SharedPointer<CBitmap> bitmap;
		double factor;
		CRect rect;
		CPoint offset;
	} cases[] = {
	    {"plain", makeGriddedBitmap (200, 100, 1., 1, 1, 1.), 1., {10.5, 20, 60.9, 70}, {0.9, 30.6}},
	    {"gridded", makeGriddedBitmap (300, 100, 1., 3, 1, 0.5), 1., {10, 20, 60, 70}, {100, 0}},
	    {"gridded at factor 2", makeGriddedBitmap (600, 200, 2., 3, 1, 0.5), 2., {10, 20, 60, 70}, {100, 0}},
	};
	for (auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		Canvas canvas (200, 200);
		auto platformBitmap = dynamic_cast<CGBitmap*> (c.bitmap->getPlatformBitmap ());
		ASSERT_NE (platformBitmap, nullptr);
		auto image = platformBitmap->getCGImage ();
		auto context = canvas.context ().beginCGContext (false, true);
		ASSERT_NE (context, nullptr);

		const auto objectsBefore = CFStandIn::objectsCreated ();
		size_t allocations = 0;
		{
			AllocationCounter counter;
			canvas.context ().drawCGImageRef (context, image, nullptr, c.factor, c.rect, c.offset, 1.f, c.bitmap);
			allocations = counter.allocations ();
		}
		EXPECT_EQ (allocations, 0u);
		EXPECT_EQ (CFStandIn::objectsCreated (), objectsBefore);
		canvas.context ().releaseCGContext (context);
		EXPECT_NE (canvas.wordAt (20, 30), 0u) << "it did draw";
	}
}

} // namespace
