// A platform bitmap of no platform that records the name of the last
// operation called and gives fixed answers: 3 x 4 pixels at factor 2, and a
// grid of 3 columns and 2 rows at scale 0.5.
#pragma once

#include "lib/platform/iplatformbitmap.h"

#include <string>

namespace Tolvik::Testing {

class RecordingPlatformBitmap : public VSTGUI::IPlatformBitmap
{
public:
	bool load (const VSTGUI::CResourceDescription&) override { return record ("load"), true; }
	const VSTGUI::CPoint& getSize () const override { return record ("getSize"), size; }
	VSTGUI::SharedPointer<VSTGUI::IPlatformBitmapPixelAccess> lockPixels (bool) override
	{
		return record ("lockPixels"), nullptr;
	}
	void setScaleFactor (double) override { record ("setScaleFactor"); }
	double getScaleFactor () const override { return record ("getScaleFactor"), 2.; }
	void drawScaled (const VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>&,
	                 const VSTGUI::SharedPointer<VSTGUI::IPlatformBitmap>&) override
	{
		record ("drawScaled");
	}
	const uint8_t* getBytes () override { return record ("getBytes"), nullptr; }
	void setFrameGrid (uint32_t, uint32_t, double) override { record ("setFrameGrid"); }
	void resetFrameGrid () override { record ("resetFrameGrid"); }
	bool isFrameGridSet () const override { return record ("isFrameGridSet"), true; }
	double getFrameGridScale () const override { return record ("getFrameGridScale"), 0.5; }
	uint32_t getFrameGridColumns () const override { return record ("getFrameGridColumns"), 3; }
	uint32_t getFrameGridRows () const override { return record ("getFrameGridRows"), 2; }

	mutable std::string lastCall;

private:
	void record (const char* name) const { lastCall = name; }
	VSTGUI::CPoint size {3, 4};
};

} // namespace Tolvik::Testing
