// A draw context that draws nothing and records each drawBitmap call, for
// tests that look at what views and the library ask to draw, not at pixels.
#pragma once

#include "lib/cdrawcontext.h"

#include <vector>

namespace Tolvik::Testing {

class RecordingDrawContext : public VSTGUI::CDrawContext
{
public:
	RecordingDrawContext () : CDrawContext (VSTGUI::CRect (0, 0, 1000, 1000)) {}

	struct BitmapDraw
	{
		VSTGUI::CBitmap* bitmap;
		VSTGUI::CRect rect;
		VSTGUI::CPoint offset;
		float alpha;
	};

	void drawBitmap (VSTGUI::CBitmap* bitmap, const VSTGUI::CRect& rect, const VSTGUI::CPoint& offset,
	                 float alpha) override
	{
		bitmapDraws.push_back ({bitmap, rect, offset, alpha});
	}

	std::vector<BitmapDraw> bitmapDraws;
};

} // Tolvik::Testing
