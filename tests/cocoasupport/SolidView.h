// A view that covers its rectangle with one opaque colour, drawn as a bitmap
// through the draw context, so that a window's pixels show where it is.
#pragma once

#include "lib/cbitmap.h"
#include "lib/cview.h"

#include <cstdint>
#include <functional>

namespace Tolvik::Testing {

class SolidView : public VSTGUI::CView
{
public:
	// `rgb` is 0xRRGGBB.
	SolidView (const VSTGUI::CRect& size, uint32_t rgb);
	void draw (VSTGUI::CDrawContext* context) override;
	// Runs at the start of each draw.
	std::function<void ()> whenDrawn;

private:
	VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap;
};

} // Tolvik::Testing
