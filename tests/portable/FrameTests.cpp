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
