// One bitmap draw, as the fuzzer's input describes it: a frame sheet whose
// pixels tell their frame, with or without a frame grid and a second
// platform bitmap; a transparent canvas with a draw context at a scale, under
// an axis-aligned view transform and a clip; and the rectangle, offset and
// alpha of the draw, through drawBitmap or drawCGImageRef.
#pragma once

#include "FuzzInput.h"

#include "Canvas.h"
#include "FrameSheet.h"

#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"
#include "lib/platform/mac/cgdrawcontext.h"

#include <cstdint>
#include <ostream>

namespace Tolvik::Fuzzing {

enum class DrawPath
{
	drawBitmap,
	// Called directly with the image of the first or the second platform bitmap.
	drawCGImageRef,
	// Called directly with no CBitmap, or one without platform bitmaps.
	drawCGImageRefWithoutGeometry
};

struct Scene
{
	explicit Scene (FuzzInput& in);

	// The canvas: units and device pixels per unit.
	uint32_t unitsWide, unitsHigh;
	double contextScale;
	// The view transform: x' = scaleX * x + moveX, y' = scaleY * y + moveY.
	double scaleX, scaleY, moveX, moveY;
	bool clipped;
	VSTGUI::CRect clip;

	Testing::FrameSheet sheet;
	VSTGUI::SharedPointer<VSTGUI::CGBitmap> first;
	// Null without a second platform bitmap, or when the bitmap refused it.
	Testing::FrameSheet secondSheet;
	VSTGUI::SharedPointer<VSTGUI::CGBitmap> second;
	VSTGUI::SharedPointer<VSTGUI::CBitmap> bitmap;

	DrawPath path;
	bool drawsSecondImage;
	VSTGUI::CRect rect;
	VSTGUI::CPoint offset;
	float alpha, globalAlpha;
	VSTGUI::BitmapInterpolationQuality quality;

	// Draws the scene on `canvas`, made with the scene's canvas values.
	void draw (Testing::Canvas& canvas);

private:
	void readCanvas (FuzzInput& in);
	void readTransformAndClip (FuzzInput& in);
	void readGrid (FuzzInput& in);
	void readSecondBitmap (FuzzInput& in);
	void readDraw (FuzzInput& in);
	double readOffset (FuzzInput& in, double frameExtent);
};

std::ostream& operator<< (std::ostream& os, const Scene& scene);

} // Tolvik::Fuzzing
