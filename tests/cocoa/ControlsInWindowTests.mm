// Controls in a real window, clicked and dragged with Cocoa mouse events as
// the window server delivers them, through the Cocoa platform frame: checked
// on their values, on the editor's edits and on the pixels the X server shows.
#import <AppKit/AppKit.h>

#include "RecordingEditor.h"
#include "TestWindow.h"

#include "lib/cbitmap.h"
#include "lib/cframe.h"
#include "lib/controls/cknob.h"
#include "lib/controls/cslider.h"
#include "lib/platform/iplatformbitmap.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

constexpr uint32_t kColours[] = {0x102030, 0xe04010, 0x20c040, 0x3050e0, 0xd0d020};

// Frames of width x frameHeight points stacked from top to bottom, frame i
// filled with colours[i] (0xRRGGBB).
SharedPointer<CBitmap> solidStrip (uint32_t width, uint32_t frameHeight, std::initializer_list<uint32_t> colours)
{
	const auto height = frameHeight * static_cast<uint32_t> (colours.size ());
	auto bitmap = makeOwned<CBitmap> (width, height);
	auto pixels = bitmap->getPlatformBitmap ()->lockPixels (true);
	for (uint32_t y = 0; y < height; ++y)
	{
		auto row = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
		for (uint32_t x = 0; x < width; ++x)
			row[x] = 0xff000000 | *(colours.begin () + y / frameHeight);
	}
	return bitmap;
}

// A frame of 200 x 150 points open in a window, with a recording editor.
struct ControlsInWindow
{
	TestWindow window {200, 150};
	std::shared_ptr<EditorLog> log = std::make_shared<EditorLog> ();
	RecordingEditor editor {log};
	CFrame* frame = new CFrame (CRect (0, 0, 200, 150), &editor);

	ControlsInWindow () { frame->open (window.contentView ()); }
	~ControlsInWindow () { frame->close (); }

	void press (NSEventType type, CPoint where, NSInteger clickCount = 1)
	{
		window.send (type, NSMakePoint (where.x, where.y), 0, clickCount);
	}
	// Reads the window back and describes the pixels of `rect` (points) that
	// are not `rgb`, at most a few of them; empty when there are none.
	std::string pixelsOtherThan (const CRect& rect, uint32_t rgb)
	{
		const auto pixels = window.readPixels ();
		const int s = static_cast<int> (window.scale ());
		std::ostringstream wrong;
		int count = 0;
		for (int y = static_cast<int> (rect.top) * s; y < static_cast<int> (rect.bottom) * s; ++y)
			for (int x = static_cast<int> (rect.left) * s; x < static_cast<int> (rect.right) * s; ++x)
				if (pixels.at (x, y) != rgb && count++ < 4)
					wrong << "(" << x << ", " << y << ") is " << std::hex << pixels.at (x, y) << std::dec << "; ";
		if (count)
			wrong << count << " pixels are not " << std::hex << rgb;
		return wrong.str ();
	}
};

// The first click of the double-click turns the circular knob to the mouse,
// and the window shows it; the second resets it, and the window then shows
// the frame of the default.
TEST (ControlsInWindow, ADoubleClickResetsAKnobAndTheWindowShowsItsFrame)
{
	ControlsInWindow rig;
	auto knob = new CAnimKnob (CRect (20, 30, 60, 70), nullptr, 11,
	                           solidStrip (40, 40, {kColours[0], kColours[1], kColours[2], kColours[3], kColours[4]}));
	knob->setDefaultValue (0.5f);
	knob->setValue (0.f);
	rig.frame->addView (knob);
	EXPECT_EQ (rig.pixelsOtherThan (knob->getViewSize (), kColours[0]), "");

	const CPoint right (55, 50); // 5/6 of the way round
	rig.press (NSLeftMouseDown, right, 1);
	rig.press (NSLeftMouseUp, right, 1);
	EXPECT_NEAR (knob->getValue (), 5.f / 6.f, 1e-5) << "the first click turns the knob";
	EXPECT_EQ (rig.pixelsOtherThan (knob->getViewSize (), kColours[3]), "");
	rig.log->clear ();
	rig.press (NSLeftMouseDown, right, 2);
	rig.press (NSLeftMouseUp, right, 2);

	EXPECT_EQ (knob->getValue (), 0.5f);
	std::vector<std::string> edits;
	for (const auto& call : rig.log->all ())
		if (call.name == "beginEdit" || call.name == "endEdit")
			edits.push_back (call.name + " " + std::to_string (call.index));
	EXPECT_EQ (edits, (std::vector<std::string> {"beginEdit 11", "endEdit 11"}));
	EXPECT_EQ (rig.pixelsOtherThan (knob->getViewSize (), kColours[2]), "");
}

// Pressed in its grab zone beside the handle and dragged 30 points down, a
// vertical slider's handle moves 30 points, without a jump at the press.
TEST (ControlsInWindow, AVerticalSliderDraggedFromItsGrabZoneMovesWithTheMouse)
{
	ControlsInWindow rig;
	const uint32_t handleColour = kColours[1], trackColour = kColours[3];
	// 30 x 130 points at (100, 10); a 20 x 10 handle 5 points in, over 120
	// points of travel: at 0.5 it spans (105, 70) to (125, 80).
	auto slider = new CVerticalSlider (CRect (100, 10, 130, 140), nullptr, 12, CPoint (5, 0), 120,
	                                   solidStrip (20, 10, {handleColour}), solidStrip (30, 130, {trackColour}));
	slider->setValue (0.5f);
	rig.frame->addView (slider);
	EXPECT_EQ (rig.pixelsOtherThan (CRect (105, 70, 125, 80), handleColour), "");

	rig.press (NSLeftMouseDown, CPoint (102, 71));
	EXPECT_EQ (slider->getValue (), 0.5f);
	EXPECT_EQ (slider->getSliderMode (), CSliderMode::RelativeTouch);
	rig.press (NSLeftMouseDragged, CPoint (102, 86));
	rig.press (NSLeftMouseDragged, CPoint (102, 101));
	rig.press (NSLeftMouseUp, CPoint (102, 101));

	EXPECT_EQ (slider->getValue (), 0.25f);
	EXPECT_EQ (rig.pixelsOtherThan (CRect (105, 100, 125, 110), handleColour), "");
	EXPECT_EQ (rig.pixelsOtherThan (CRect (100, 10, 130, 100), trackColour), "");
	EXPECT_EQ (rig.pixelsOtherThan (CRect (100, 110, 130, 140), trackColour), "");
}

} // namespace
