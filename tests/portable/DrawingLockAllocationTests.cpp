#include "AllocationCounter.h"

#include "lib/cframe.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;

TEST (FrameDrawingLock, AllocatesNothingOnAFreeWord)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 10, 10), nullptr);
	Tolvik::Testing::AllocationCounter counter;
	frame->IsGUIDrawingLocked ();
	frame->WaitForGUIDrawingLock ();
	frame->LockGUIDrawing ();
	frame->UnLockGUIDrawing ();
	frame->WaitForThenLockGUIDrawing ();
	frame->UnLockGUIDrawing ();
	EXPECT_EQ (counter.allocations (), 0u);
}

} // namespace
