// The editor's table of virtual operations is shared with code built outside
// the bundles, which calls through it by position. These tests call each slot
// by its index, as such code does, and check which operation answers.
#include "RecordingEditor.h"
#include "VirtualSlot.h"

#include "lib/cframe.h"

#include <gtest/gtest.h>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CButtonState;
using VSTGUI::CMouseEventResult;
using VSTGUI::CPoint;
using VSTGUI::CRect;

struct EditorTest : ::testing::Test
{
	std::shared_ptr<EditorLog> log = std::make_shared<EditorLog> ();
	RecordingEditor* editor = new RecordingEditor (log);
	~EditorTest () override { delete editor; }

	std::string lastCall () const { return log->all ().empty () ? "" : log->all ().back ().name; }
};

TEST_F (EditorTest, SlotsWithoutArgumentsHoldTheirOperations)
{
	const std::pair<size_t, const char*> slots[] = {{0, "doIdle"}, {11, "idle"}, {13, "close"}};
	for (auto [index, name] : slots)
	{
		callSlot<void> (editor, index);
		EXPECT_EQ (lastCall (), name) << "slot " << index;
	}
}

TEST_F (EditorTest, KnobModeAndEditSlots)
{
	editor->setKnobMode (2);
	EXPECT_EQ ((callSlot<int32_t> (editor, 1)), 2);
	EXPECT_EQ (lastCall (), "getKnobMode");
	callSlot<void, int32_t> (editor, 2, 7);
	EXPECT_EQ (lastCall (), "beginEdit");
	EXPECT_EQ (log->all ().back ().index, 7);
	callSlot<void, int32_t> (editor, 3, -2);
	EXPECT_EQ (lastCall (), "endEdit");
	EXPECT_EQ (log->all ().back ().index, -2);
}

TEST_F (EditorTest, TheAddedMouseOperationsFollowEndEditDownBeforeUp)
{
	editor->setMouseDownAnswer (VSTGUI::kMouseEventHandled);
	editor->setMouseUpAnswer (VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	CPoint where (3, 4);
	CButtonState buttons (VSTGUI::kLButton | VSTGUI::kShift);

	EXPECT_EQ ((callSlot<CMouseEventResult, CPoint*, const CButtonState*> (editor, 4, &where, &buttons)),
	           VSTGUI::kMouseEventHandled);
	EXPECT_EQ (lastCall (), "onUnhandledMouseDown");
	EXPECT_EQ (log->all ().back ().argument, &where) << "the point is passed by reference";
	EXPECT_EQ (log->all ().back ().buttons, buttons);

	EXPECT_EQ ((callSlot<CMouseEventResult, CPoint*, const CButtonState*> (editor, 5, &where, &buttons)),
	           VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (lastCall (), "onUnhandledMouseUp");
}

TEST_F (EditorTest, SizeFrameAndComponentSlots)
{
	CRect a (0, 0, 10, 10), b (0, 0, 20, 20);
	editor->setSizeChangeAnswer (false);
	EXPECT_FALSE ((callSlot<bool, const CRect*, const CRect*> (editor, 6, &a, &b)));
	EXPECT_EQ (lastCall (), "beforeSizeChange");
	EXPECT_EQ (log->all ().back ().newSize, a) << "the new size comes first";
	EXPECT_EQ (log->all ().back ().oldSize, b);

	EXPECT_EQ ((callSlot<VSTGUI::CFrame*> (editor, 7)), nullptr);
	EXPECT_EQ (lastCall (), "getFrame");

	ERect* rect = nullptr;
	EXPECT_TRUE ((callSlot<bool, ERect**> (editor, 10, &rect)));
	EXPECT_EQ (lastCall (), "getRect");
	EXPECT_EQ (log->all ().back ().argument, &rect);

	int parent = 0;
	callSlot<bool, void*> (editor, 12, &parent);
	EXPECT_EQ (lastCall (), "open");
	EXPECT_EQ (log->all ().back ().argument, &parent);
}

TEST_F (EditorTest, SlotNineDeletesTheEditor)
{
	callSlot<void> (std::exchange (editor, nullptr), 9);
	EXPECT_EQ (lastCall (), "destroy");
}

} // namespace
