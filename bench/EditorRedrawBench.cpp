// A full redraw of a representative editor: a 640 x 400 frame whose views
// draw bitmaps as a plug-in editor's do, measured against cairo painting the
// same images into the same places.
//
//   RepresentativeEditorRedraw          the frame's draw through CGDrawContext:
//                                       a background, 32 knobs showing one
//                                       frame each of a gridded 64-frame
//                                       strip, 8 two-state switches drawn
//                                       from a plain strip by offset and 4
//                                       meters;
//   RepresentativeEditorRedraw_RawCairo the same 45 images, clips and scales,
//                                       painted with cairo directly.
//
// The demo editor is not built yet; this stands in for its redraw.
#include "lib/cbitmap.h"
#include "lib/cframe.h"
#include "lib/platform/mac/cgbitmap.h"
#include "lib/platform/mac/cgdrawcontext.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <vector>

namespace {

using namespace VSTGUI;

constexpr int kEditorWidth = 640, kEditorHeight = 400;
constexpr int kKnobs = 32, kKnobFrames = 64, kKnobPixels = 96; // shown at 48 x 48 points
constexpr int kSwitches = 8, kSwitchWidth = 40, kSwitchHeight = 20;
constexpr int kMeters = 4, kMeterWidth = 20, kMeterHeight = 100;

// Opaque pixels that differ from their neighbours.
void fillPixels (uint8_t* bytes, uint32_t bytesPerRow, int width, int height)
{
	for (int row = 0; row < height; ++row)
	{
		auto words = reinterpret_cast<uint32_t*> (bytes + row * bytesPerRow);
		for (int column = 0; column < width; ++column)
			words[column] = 0xFF000000u | static_cast<uint32_t> (column * 0x010203 + row * 0x030201);
	}
}

SharedPointer<CBitmap> makeBitmap (int width, int height)
{
	auto platformBitmap = makeOwned<CGBitmap> (CPoint (width, height));
	if (auto pixels = platformBitmap->lockPixels (true))
		fillPixels (pixels->getAddress (), pixels->getBytesPerRow (), width, height);
	return makeOwned<CBitmap> (platformBitmap.get ());
}

// One image drawn into one place of the editor: its rectangle, the offset
// into the image in points, and the image's pixels per point.
struct Placement
{
	int image;
	CRect rect;
	CPoint offset;
	double pixelsPerPoint;
};

struct ImageSize
{
	int width, height;
};

// The editor's images (background, knob strip, switch strip, meter) and
// where each view puts one.
struct EditorLayout
{
	std::vector<ImageSize> images {{kEditorWidth, kEditorHeight},
	                               {kKnobPixels, kKnobPixels * kKnobFrames},
	                               {kSwitchWidth, kSwitchHeight * 2},
	                               {kMeterWidth, kMeterHeight}};
	std::vector<Placement> placements;

	EditorLayout ()
	{
		placements.push_back ({0, CRect (0, 0, kEditorWidth, kEditorHeight), CPoint (), 1.});
		for (int i = 0; i < kKnobs; ++i)
		{
			const CCoord left = 20 + (i % 8) * 70, top = 20 + (i / 8) * 70;
			placements.push_back ({1, CRect (left, top, left + 48, top + 48), CPoint (0, (i * 7 % kKnobFrames) * 48.), 2.});
		}
		for (int i = 0; i < kSwitches; ++i)
		{
			const CCoord left = 20 + i * 70, top = 310;
			placements.push_back ({2, CRect (left, top, left + kSwitchWidth, top + kSwitchHeight),
			                       CPoint (0, (i % 2) * kSwitchHeight), 1.});
		}
		for (int i = 0; i < kMeters; ++i)
		{
			const CCoord left = 580 + (i % 2) * 25, top = 20 + (i / 2) * 130;
			placements.push_back ({3, CRect (left, top, left + kMeterWidth, top + kMeterHeight), CPoint (), 1.});
		}
	}
};

// A view that draws its part of a bitmap, as knobs, switches and meters do.
class BitmapView : public CView
{
public:
	BitmapView (const Placement& placement, SharedPointer<CBitmap> bitmap)
	: CView (placement.rect), bitmap (std::move (bitmap)), offset (placement.offset)
	{
	}
	void draw (CDrawContext* context) override
	{
		bitmap->draw (context, getViewSize (), offset);
		CView::draw (context);
	}

private:
	SharedPointer<CBitmap> bitmap;
	CPoint offset;
};

// The knob strip carries a grid of 64 rows at grid scale 0.5: 48 x 48
// points a frame.
std::vector<SharedPointer<CBitmap>> makeEditorBitmaps (const EditorLayout& layout)
{
	std::vector<SharedPointer<CBitmap>> bitmaps;
	for (const auto& size : layout.images)
		bitmaps.push_back (makeBitmap (size.width, size.height));
	bitmaps[1]->getPlatformBitmap ()->setFrameGrid (1, kKnobFrames, 0.5);
	return bitmaps;
}

void RepresentativeEditorRedraw (benchmark::State& state)
{
	const EditorLayout layout;
	auto bitmaps = makeEditorBitmaps (layout);
	auto frame = makeOwned<CFrame> (CRect (0, 0, kEditorWidth, kEditorHeight), nullptr);
	for (const auto& placement : layout.placements)
		frame->addView (new BitmapView (placement, bitmaps[static_cast<size_t> (placement.image)]));

	auto space = CGColorSpaceCreateDeviceRGB ();
	auto canvas = CGBitmapContextCreate (nullptr, kEditorWidth, kEditorHeight, 8, 0, space,
	                                     kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
	CGColorSpaceRelease (space);
	auto context = makeOwned<CGDrawContext> (canvas, frame->getViewSize ());
	for (auto _ : state)
		frame->platformDrawRect (context, frame->getViewSize ());
	state.counters["views"] = static_cast<double> (layout.placements.size ());
	context = nullptr;
	frame->removeAll ();
	CGContextRelease (canvas);
}
BENCHMARK (RepresentativeEditorRedraw);

void RepresentativeEditorRedraw_RawCairo (benchmark::State& state)
{
	const EditorLayout layout;
	std::vector<cairo_surface_t*> images;
	for (const auto& size : layout.images)
	{
		auto image = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, size.width, size.height);
		fillPixels (cairo_image_surface_get_data (image), static_cast<uint32_t> (cairo_image_surface_get_stride (image)),
		            size.width, size.height);
		cairo_surface_mark_dirty (image);
		images.push_back (image);
	}
	auto target = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, kEditorWidth, kEditorHeight);
	auto cairo = cairo_create (target);
	cairo_set_antialias (cairo, CAIRO_ANTIALIAS_NONE);
	for (auto _ : state)
	{
		for (const auto& p : layout.placements)
		{
			cairo_save (cairo);
			cairo_rectangle (cairo, p.rect.left, p.rect.top, p.rect.getWidth (), p.rect.getHeight ());
			cairo_clip (cairo);
			cairo_translate (cairo, p.rect.left - p.offset.x, p.rect.top - p.offset.y);
			cairo_scale (cairo, 1. / p.pixelsPerPoint, 1. / p.pixelsPerPoint);
			cairo_set_source_surface (cairo, images[static_cast<size_t> (p.image)], 0, 0);
			cairo_pattern_set_filter (cairo_get_source (cairo), CAIRO_FILTER_NEAREST);
			cairo_paint (cairo);
			cairo_restore (cairo);
		}
	}
	state.counters["views"] = static_cast<double> (layout.placements.size ());
	cairo_destroy (cairo);
	cairo_surface_destroy (target);
	for (auto image : images)
		cairo_surface_destroy (image);
}
BENCHMARK (RepresentativeEditorRedraw_RawCairo);

} // namespace
