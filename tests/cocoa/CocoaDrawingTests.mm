// The library's views drawn into a real window through the Cocoa platform
// frame, read back from the X server: each Cocoa draw holds the frame's
// drawing lock, and the views show where they are, at the window's scale.
#import <AppKit/AppKit.h>

#include "SolidView.h"
#include "TestWindow.h"

#include "SleepGate.h"

#include "lib/cbitmap.h"
#include "lib/cdrawcontext.h"
#include "lib/cframe.h"
#include "lib/platform/iplatformbitmap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// An editor-like frame of 200 x 150 points open in a window.
struct OpenFrame
{
	TestWindow window {200, 150};
	CFrame* frame = new CFrame (CRect (0, 0, 200, 150), nullptr);
	SolidView* red = new SolidView (CRect (10, 20, 60, 70), 0xff0000);
	SolidView* blue = new SolidView (CRect (100, 30, 140, 90), 0x0000ff);
	CViewContainer* box = new CViewContainer (CRect (150, 100, 200, 150));

	OpenFrame ()
	{
		frame->addView (red);
		frame->addView (blue);
		frame->addView (box);
		frame->open (window.contentView ());
	}
	~OpenFrame () { frame->close (); }
};

TEST (Pixels, TheViewsShowWhereTheyAreAtTheWindowsScale)
{
	OpenFrame rig;
	const auto pixels = rig.window.readPixels ();
	const int s = static_cast<int> (rig.window.scale ());
	ASSERT_EQ (pixels.width, 200 * s);
	ASSERT_EQ (pixels.height, 150 * s);
	struct Area
	{
		const char* what;
		int left, top, right, bottom;
		uint32_t rgb;
	};
	const Area areas[] = {{"red", 10, 20, 60, 70, 0xff0000}, {"blue", 100, 30, 140, 90, 0x0000ff}};
	int wrong = 0;
	for (int y = 0; y < pixels.height; ++y)
		for (int x = 0; x < pixels.width; ++x)
		{
			uint32_t expected = 0xffffff;
			for (const auto& a : areas)
				if (x >= a.left * s && x < a.right * s && y >= a.top * s && y < a.bottom * s)
					expected = a.rgb;
			if (pixels.at (x, y) != expected && wrong++ < 5)
				ADD_FAILURE () << "pixel (" << x << ", " << y << ") is " << std::hex << pixels.at (x, y)
				               << ", not " << expected;
		}
	EXPECT_EQ (wrong, 0);
}

TEST (Pixels, AnInvalidatedViewIsDrawnAgain)
{
	OpenFrame rig;
	rig.window.readPixels ();
	rig.red->setVisible (false);
	rig.red->invalid ();
	rig.frame->invalidRect (CRect (10, 20, 60, 70));
	const auto pixels = rig.window.readPixels ();
	const int s = static_cast<int> (rig.window.scale ());
	EXPECT_EQ (pixels.at (30 * s, 40 * s), 0xffffffu);
	EXPECT_EQ (pixels.at (120 * s, 60 * s), 0x0000ffu);
}

// A Cocoa draw holds the frame's word while it draws the rectangle, and an
// edit that another thread makes meanwhile waits until the draw is over.
TEST (CocoaDraw, HoldsTheWordWhileItDrawsAndEditsWait)
{
	OpenFrame rig;
	rig.window.readPixels ();
	bool lockedWhileDrawing = false, editWaited = false;
	std::atomic<bool> edited {false};
	std::thread editor;
	SleepGate::close ();
	rig.red->whenDrawn = [&] {
		lockedWhileDrawing = rig.frame->IsGUIDrawingLocked ();
		if (editor.joinable ())
			return;
		editor = std::thread ([&] {
			rig.box->addView (new CView (CRect (0, 0, 5, 5)));
			edited = true;
			SleepGate::wake ();
		});
		SleepGate::waitForParkedOr (1, [&] { return edited.load (); });
		editWaited = !edited;
	};
	rig.red->invalid ();
	rig.window.readPixels ();
	EXPECT_TRUE (lockedWhileDrawing);
	EXPECT_TRUE (editWaited) << "the edit went on beside the draw";
	EXPECT_FALSE (rig.frame->IsGUIDrawingLocked ()) << "the word is free once the draw is over";
	SleepGate::open ();
	if (editor.joinable ())
		editor.join ();
	EXPECT_EQ (rig.box->getNbViews (), 1u);
	rig.red->whenDrawn = nullptr;
}

// Views edited on another thread invalidate there; the view is marked on the
// main thread, whose next display shows the change.
TEST (Pixels, AnEditOnAnotherThreadIsShownByTheNextDisplay)
{
	OpenFrame rig;
	rig.window.readPixels ();
	std::thread editor ([&] { rig.box->addView (new SolidView (CRect (0, 0, 50, 50), 0x00ff00)); });
	editor.join ();
	const auto pixels = rig.window.readPixels ();
	const int s = static_cast<int> (rig.window.scale ());
	EXPECT_EQ (pixels.at (170 * s, 120 * s), 0x00ff00u);
}

} // namespace
