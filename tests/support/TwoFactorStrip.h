// A bitmap of two platform bitmaps: the 3-column strip of 300 x 100 pixels
// (frames of 100 x 100) at grid scale 0.5 as its first (factor 1), and the
// same 300 x 100 pixels at factor 2 as its second.
#pragma once

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"

namespace Tolvik::Testing {

struct TwoFactorStrip
{
	TwoFactorStrip ();
	VSTGUI::SharedPointer<VSTGUI::CGBitmap> first, second;
	VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap;
};

} // namespace Tolvik::Testing
