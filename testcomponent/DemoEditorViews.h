// The views of the demo editor: a knob drawn from a gridded sprite sheet, a
// vertical slider, an option menu and a shadow container, on a frame of
// 400 x 240 points. The bitmaps are made here, frame by frame.
#pragma once

#include "lib/controls/coptionmenu.h"
#include "lib/controls/icontrollistener.h"

namespace VSTGUI {
class CAnimKnob;
class CFrame;
class CShadowViewContainer;
class CVerticalSlider;
class CView;
}

namespace Tolvik::Testing {

struct DemoEditorViews
{
	static constexpr double kWidth = 400, kHeight = 240;
	static constexpr int32_t kKnobTag = 1, kSliderTag = 2, kMenuTag = 3;

	VSTGUI::CAnimKnob* knob {nullptr};
	VSTGUI::CVerticalSlider* slider {nullptr};
	VSTGUI::COptionMenu* menu {nullptr};
	VSTGUI::CShadowViewContainer* shadow {nullptr};
	// Counts the frame's draws: it lies beneath everything and draws nothing.
	int draws {0};
};

// Puts the demo editor's views into `frame`; `listener` hears of their
// values.
void buildDemoEditor (VSTGUI::CFrame& frame, VSTGUI::IControlListener* listener, DemoEditorViews& views);

} // Tolvik::Testing
