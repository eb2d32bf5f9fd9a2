#include "RecordingEditor.h"

#include "lib/cframe.h"

#include <gtest/gtest.h>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CFrame;
using VSTGUI::CRect;

TEST (CFrame, KeepsItsRectangleAndEditor)
{
	auto log = std::make_shared<EditorLog> ();
	RecordingEditor editor (log);
	auto frame = VSTGUI::makeOwned<CFrame> (CRect (10, 20, 410, 320), &editor);

	EXPECT_EQ (frame->getViewSize (), CRect (10, 20, 410, 320));
	EXPECT_EQ (frame->getViewSize ().getWidth (), 400);
	EXPECT_EQ (frame->getViewSize ().getHeight (), 300);
	EXPECT_EQ (frame->getEditor (), &editor);
	EXPECT_EQ (frame->getFrame (), frame.get ()) << "a frame is on itself";
	EXPECT_EQ (static_cast<VSTGUI::CView*> (frame.get ())->getEditor (), &editor);

	frame.reset ();
	EXPECT_TRUE (log->all ().empty ()) << "the frame never calls or deletes its editor on its own";
}

TEST (CFrame, AcceptsANullEditor)
{
	auto frame = VSTGUI::makeOwned<CFrame> (CRect (0, 0, 1, 1), nullptr);
	EXPECT_EQ (frame->getEditor (), nullptr);
}

TEST (CView, HasNoEditorWithoutAFrame)
{
	auto view = VSTGUI::makeOwned<VSTGUI::CView> (CRect (0, 0, 5, 5));
	EXPECT_EQ (view->getFrame (), nullptr);
	EXPECT_EQ (view->getEditor (), nullptr);
}

} // namespace

// --- the frame's library core --------------------------------------------------

#include "EventLog.h"
#include "RecordingPlatformFrame.h"
#include "TestContainer.h"
#include "TestView.h"
#include "VirtualSlot.h"

#include <optional>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

TEST (CFrameSetSize, AsksTheEditorOnlyForARealChange)
{
	enum class Editor { none, agrees, refuses };
	struct Case
	{
		const char* what;
		Editor editor;
		CCoord width, height;
		bool result;
		CRect sizeAfter;
		bool asked;
	};
	const Case cases[] = {
	    {"same size", Editor::agrees, 400, 300, false, {10, 20, 410, 320}, false},
	    {"refused", Editor::refuses, 500, 300, false, {10, 20, 410, 320}, true},
	    {"agreed: keeps left and top", Editor::agrees, 500, 350, true, {10, 20, 510, 370}, true},
	    {"only the height changes", Editor::agrees, 400, 350, true, {10, 20, 410, 370}, true},
	    {"no editor", Editor::none, 500, 350, true, {10, 20, 510, 370}, false},
	};
	const CRect original (10, 20, 410, 320);
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		auto log = std::make_shared<EditorLog> ();
		RecordingEditor editor (log);
		editor.setSizeChangeAnswer (c.editor == Editor::agrees);
		auto frame = makeOwned<CFrame> (original, c.editor == Editor::none ? nullptr : &editor);
		auto platform = openOnRecordingPlatform (*frame);
		EXPECT_EQ (frame->setSize (c.width, c.height), c.result);
		EXPECT_EQ (frame->getViewSize (), c.sizeAfter);
		EXPECT_EQ (platform->sizes ().size (), c.result ? 1u : 0u);
		ASSERT_EQ (log->count ("beforeSizeChange"), c.asked ? 1u : 0u);
		if (c.asked)
		{
			const auto& call = log->all ().back ();
			EXPECT_EQ (call.newSize, CRect (10, 20, 10 + c.width, 20 + c.height)) << "the new size, at the same place";
			EXPECT_EQ (call.oldSize, original) << "the old size";
		}
	}
}

TEST (CFrameEditor, KnobModeAndEditsGoThroughTheEditorWhenThereIsOne)
{
	using Edit = std::pair<std::string, int32_t>;
	struct Case
	{
		std::optional<int32_t> editorMode; // none: the frame has no editor
		int32_t expected;
	};
	for (const auto& c : {Case {-1, CFrame::kDefaultKnobMode}, Case {kLinearMode, kLinearMode},
	                      Case {std::nullopt, CFrame::kDefaultKnobMode}})
	{
		auto log = std::make_shared<EditorLog> ();
		RecordingEditor editor (log);
		if (c.editorMode)
			editor.setKnobMode (*c.editorMode);
		auto frame = makeOwned<CFrame> (CRect (0, 0, 1, 1), c.editorMode ? &editor : nullptr);
		EXPECT_EQ (frame->getKnobMode (), c.expected);

		log->clear ();
		frame->beginEdit (3);
		frame->endEdit (-7);
		std::vector<Edit> edits;
		for (const auto& call : log->all ())
			edits.emplace_back (call.name, call.index);
		const std::vector<Edit> expected {{"beginEdit", 3}, {"endEdit", -7}};
		EXPECT_EQ (edits, c.editorMode ? expected : std::vector<Edit> {});
	}
}

// The platform layer calls the frame through the interface's table by
// position.
TEST (IPlatformFrameCallback, OperationsHoldTheirSlots)
{
	using I = IPlatformFrameCallback;
	const size_t slots[] = {
	    slotOf (&I::platformDrawRect),      slotOf (&I::platformOnMouseDown),   slotOf (&I::platformOnMouseMoved),
	    slotOf (&I::platformOnMouseUp),     slotOf (&I::platformOnMouseExited), slotOf (&I::platformOnMouseWheel),
	    slotOf (&I::platformOnDragEnter),   slotOf (&I::platformOnDragMove),    slotOf (&I::platformOnDragLeave),
	    slotOf (&I::platformOnDrop),        slotOf (&I::platformOnKeyDown),     slotOf (&I::platformOnKeyUp),
	    slotOf (&I::platformOnActivate),    slotOf (&I::platformOnWindowActivate),
	    slotOf (&I::platformOnDeminiaturize), slotOf (&I::platformScaleFactorChanged),
	};
	for (size_t i = 0; i < std::size (slots); ++i)
		EXPECT_EQ (slots[i], i);

	// And the frame answers slot 14 with its whole-frame redraw.
	auto frame = makeOwned<CFrame> (CRect (0, 0, 30, 40), nullptr);
	auto platform = openOnRecordingPlatform (*frame);
	IPlatformFrameCallback* callback = frame;
	callSlot<void> (callback, 14);
	EXPECT_EQ (platform->invalidRects ().back (), CRect (0, 0, 30, 40));
}

TEST (CFrameDeminiaturize, InvalidatesTheWholeFrameAndClearsTheDirtyFlag)
{
	struct Case
	{
		const char* what;
		bool open, visible;
		size_t invalidations;
	};
	for (const auto& c : {Case {"open and visible", true, true, 1}, Case {"invisible", true, false, 0},
	                      Case {"without a platform frame", false, true, 0}})
	{
		auto frame = makeOwned<CFrame> (CRect (0, 0, 30, 40), nullptr);
		auto platform = c.open ? openOnRecordingPlatform (*frame) : makeOwned<RecordingPlatformFrame> ();
		frame->setVisible (c.visible);
		const auto before = platform->invalidRects ().size ();
		frame->setDirty (true);
		frame->LockGUIDrawing (); // neither waited for nor taken
		frame->platformOnDeminiaturize ();
		frame->UnLockGUIDrawing ();
		EXPECT_EQ (platform->invalidRects ().size () - before, c.invalidations) << c.what;
		EXPECT_FALSE (frame->isDirty ()) << c.what;
	}
}

TEST (CFrameCopy, IsAFreshFrameOfTheSameEditorWithItsLockFree)
{
	auto log = std::make_shared<EditorLog> ();
	RecordingEditor editor (log);
	auto frame = makeOwned<CFrame> (CRect (0, 0, 30, 40), &editor);
	frame->addView (new CView (CRect (0, 0, 1, 1)));
	frame->LockGUIDrawing ();
	auto copy = makeOwned<CFrame> (*frame);
	frame->UnLockGUIDrawing ();
	EXPECT_FALSE (copy->IsGUIDrawingLocked ());
	EXPECT_EQ (copy->getEditor (), &editor);
	EXPECT_EQ (copy->getFrame (), copy.get ());
	EXPECT_EQ (copy->getNbViews (), 0u);
	EXPECT_EQ (copy->getViewSize (), frame->getViewSize ());
}

TEST (CFrameOpen, NeedsAParentAndAPlatformFrameAndAttachesTheTree)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 30, 40), nullptr);
	auto child = new CViewContainer (CRect (5, 5, 20, 20));
	auto grandchild = new CView (CRect (1, 2, 3, 4));
	child->addView (grandchild);
	frame->addView (child);
	int parent = 0;
	EXPECT_FALSE (frame->open (&parent)) << "no platform layer installed";
	EXPECT_FALSE (frame->open (nullptr));
	ASSERT_TRUE (openOnRecordingPlatform (*frame));
	EXPECT_FALSE (openOnRecordingPlatform (*frame)) << "already open";
	EXPECT_EQ (grandchild->getFrame (), frame.get ());
	EXPECT_EQ (grandchild->getParentView (), child);
	EXPECT_EQ (frame->getParentView (), nullptr);
	EXPECT_EQ (grandchild->getGlobalTransform (), CGraphicsTransform ().translate (5, 5));
}

TEST (CFrameModalViews, SessionsStackAndTheLegacyOneIsSingle)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 30, 40), nullptr);
	auto first = new CView (CRect ());
	auto second = new CView (CRect ());
	auto firstID = frame->beginModalViewSession (first);
	auto secondID = frame->beginModalViewSession (second);
	ASSERT_TRUE (firstID && secondID);
	EXPECT_EQ (frame->getModalView (), second);
	EXPECT_TRUE (frame->endModalViewSession (*secondID));
	EXPECT_FALSE (frame->endModalViewSession (*secondID));
	EXPECT_EQ (frame->getModalView (), first);

	auto legacy = new CView (CRect ());
	auto refused = makeOwned<CView> (CRect ());
	EXPECT_TRUE (frame->setModalView (legacy));
	EXPECT_FALSE (frame->setModalView (refused)) << "one legacy modal view at a time";
	EXPECT_EQ (frame->getModalView (), legacy);
	EXPECT_TRUE (frame->setModalView (nullptr));
	EXPECT_EQ (frame->getModalView (), first);
	EXPECT_EQ (frame->getNbViews (), 1u) << "ending a session removes its view";
}

TEST (CFrameMouseViews, FollowThePointerAndForgetRemovedViews)
{
	EventLog log;
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
	auto outer = new TestContainer (&log, "outer", CRect (0, 0, 50, 50));
	auto inner = new TestView (&log, "inner", CRect (10, 10, 20, 20));
	auto other = new TestView (&log, "other", CRect (60, 60, 70, 70));
	outer->addView (inner);
	frame->addView (outer);
	frame->addView (other);
	ASSERT_TRUE (openOnRecordingPlatform (*frame));
	log.clear ();

	frame->checkMouseViews (CPoint (15, 15), CButtonState ());
	EXPECT_TRUE (frame->isMouseView (outer) && frame->isMouseView (inner));
	frame->checkMouseViews (CPoint (65, 65), CButtonState ());
	EXPECT_EQ (log.entries (), (Names {"inner entered", "inner exited", "other entered"}));
	frame->removeView (other);
	EXPECT_FALSE (frame->isMouseView (other)) << "dropped without an exit";
	EXPECT_EQ (log.entries ().back (), "other destroyed");
}

TEST (CFrameFocus, TheFocusViewLosesFocusWhenReplacedOrRemoved)
{
	EventLog log;
	auto frame = makeOwned<CFrame> (CRect (0, 0, 100, 100), nullptr);
	ASSERT_TRUE (openOnRecordingPlatform (*frame));
	auto a = new TestView (&log, "a");
	auto b = new TestView (&log, "b");
	frame->addView (a);
	frame->addView (b);
	log.clear ();
	frame->setFocusView (a);
	frame->setFocusView (b);
	frame->setActiveFocusView (b);
	frame->removeView (b);
	EXPECT_EQ (frame->getFocusView (), nullptr);
	EXPECT_EQ (frame->getActiveFocusView (), nullptr);
	EXPECT_EQ (log.entries (), (Names {"a takeFocus", "a looseFocus", "b takeFocus", "b invalid", "b removed",
	                                   "b looseFocus", "b destroyed"}));
}

TEST (CFrameEvents, WorkQueuedOutsideAnEventRunsAtOnce)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 1, 1), nullptr);
	bool ran = false;
	frame->doAfterEventProcessing ([&] { ran = true; });
	EXPECT_TRUE (ran);
	EXPECT_FALSE (frame->inEventProcessing ());
}

} // namespace
