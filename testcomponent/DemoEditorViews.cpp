#include "DemoEditorViews.h"

#include "lib/cbitmap.h"
#include "lib/cdrawcontext.h"
#include "lib/cframe.h"
#include "lib/cshadowviewcontainer.h"
#include "lib/controls/cknob.h"
#include "lib/controls/cslider.h"
#include "lib/platform/iplatformbitmap.h"

#include <cmath>
#include <functional>

namespace Tolvik::Testing {

using namespace VSTGUI;

namespace {

constexpr uint32_t kPanel = 0xffe8e4dc, kInk = 0xff2a2d34, kAccent = 0xffe0662a, kTrack = 0xff9aa0a8,
                   kHandle = 0xff3a6ea5, kMenuFace = 0xfff4f1ea, kMenuClicked = 0xffd8cfc0, kCard = 0xff5a8f5a;

// A bitmap of `width` x `height` pixels whose pixel (x, y) is colour (x, y),
// a premultiplied 0xAARRGGBB word.
SharedPointer<CBitmap> paint (uint32_t width, uint32_t height, const std::function<uint32_t (uint32_t, uint32_t)>& colour)
{
	auto bitmap = makeOwned<CBitmap> (width, height);
	auto pixels = bitmap->getPlatformBitmap ()->lockPixels (true);
	for (uint32_t y = 0; y < height; ++y)
	{
		auto row = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
		for (uint32_t x = 0; x < width; ++x)
			row[x] = colour (x, y);
	}
	return bitmap;
}

SharedPointer<CBitmap> solid (uint32_t width, uint32_t height, uint32_t colour)
{
	return paint (width, height, [colour] (uint32_t, uint32_t) { return colour; });
}

// The knob's sprite sheet: kFrames frames of 128 x 128 pixels stacked from
// top to bottom, a dial whose pointer turns from -135 to +135 degrees,
// shown through a frame grid at half size, 64 x 64 points a frame.
constexpr uint32_t kFrames = 31, kFramePixels = 128;

SharedPointer<CBitmap> knobSheet ()
{
	auto sheet = paint (kFramePixels, kFramePixels * kFrames, [] (uint32_t x, uint32_t y) {
		const uint32_t frame = y / kFramePixels;
		const double cx = x + 0.5 - kFramePixels / 2., cy = (y % kFramePixels) + 0.5 - kFramePixels / 2.;
		const double radius = std::hypot (cx, cy);
		if (radius > 60)
			return kPanel;
		const double turn = -135. + 270. * frame / (kFrames - 1);
		const double angle = std::atan2 (cx, -cy) * 180. / M_PI;
		if (radius > 16 && radius < 54 && std::abs (angle - turn) < 7)
			return kAccent;
		return radius > 56 ? kAccent : kInk;
	});
	sheet->getPlatformBitmap ()->setFrameGrid (1, kFrames, 0.5);
	return sheet;
}

// Counts the frame's draws; it lies beneath the other views.
class DrawCounter : public CView
{
public:
	DrawCounter (int& draws) : CView (CRect (0, 0, DemoEditorViews::kWidth, DemoEditorViews::kHeight)), draws (draws)
	{
		setMouseEnabled (false);
	}
	void draw (CDrawContext* context) override
	{
		++draws;
		CView::draw (context);
	}

private:
	int& draws;
};

// A view of one colour.
class Card : public CView
{
public:
	Card (const CRect& size, uint32_t colour)
	: CView (size), bitmap (solid (static_cast<uint32_t> (size.getWidth ()), static_cast<uint32_t> (size.getHeight ()), colour))
	{
	}
	void draw (CDrawContext* context) override
	{
		context->drawBitmap (bitmap, getViewSize (), CPoint (), 1.f);
		CView::draw (context);
	}

private:
	SharedPointer<CBitmap> bitmap;
};

} // namespace

void buildDemoEditor (CFrame& frame, IControlListener* listener, DemoEditorViews& views)
{
	frame.setBackground (solid (static_cast<uint32_t> (DemoEditorViews::kWidth),
	                            static_cast<uint32_t> (DemoEditorViews::kHeight), kPanel));
	frame.addView (new DrawCounter (views.draws));

	views.knob = new CAnimKnob (CRect (40, 40, 104, 104), listener, DemoEditorViews::kKnobTag, knobSheet ());
	views.knob->setDefaultValue (0.5f);
	views.knob->setValue (0.8f);
	frame.addView (views.knob);

	// 24 x 160 points; a 24 x 16 handle over 144 points of travel.
	views.slider = new CVerticalSlider (CRect (160, 40, 184, 200), listener, DemoEditorViews::kSliderTag, CPoint (0, 0),
	                                    144, solid (24, 16, kHandle), solid (24, 160, kTrack));
	views.slider->setDefaultValue (0.5f);
	views.slider->setValue (0.25f);
	frame.addView (views.slider);

	views.menu = new COptionMenu (CRect (230, 40, 370, 64), listener, DemoEditorViews::kMenuTag,
	                              solid (140, 24, kMenuFace), solid (140, 24, kMenuClicked), kCheckStyle);
	for (auto title : {"Warm", "Bright", "Dark"})
		views.menu->addEntry (title);
	views.menu->setValue (0.f);
	frame.addView (views.menu);

	views.shadow = new CShadowViewContainer (CRect (230, 120, 370, 200));
	views.shadow->setShadowOffset (CPoint (-6, -6));
	views.shadow->setShadowIntensity (0.5f);
	views.shadow->addView (new Card (CRect (10, 10, 120, 60), kCard));
	frame.addView (views.shadow);
}

} // Tolvik::Testing
