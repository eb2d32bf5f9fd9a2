// Bitmap drawing on the Core Graphics context.
//
//   DrawCGImageRef        one frame of a gridded strip through drawCGImageRef,
//                         with the Core Graphics objects it creates per call;
//   GriddedDrawBitmap     the same through drawBitmap, the path views take;
//   RawCairoPaint         cairo painting the same image into the same clip,
//                         the reference: GriddedDrawBitmap is to take at
//                         most 1.2 times its time.
//
// This machine is a shared VM whose speed drifts over seconds; compare with
//   --benchmark_repetitions=12 --benchmark_enable_random_interleaving=true
// so that the runs being compared interleave.
#include "lib/cbitmap.h"
#include "lib/platform/mac/cgbitmap.h"
#include "lib/platform/mac/cgdrawcontext.h"

#include <CoreFoundation/CFStandInDiagnostics.h>

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstring>

namespace {

using namespace VSTGUI;

constexpr int kStripWidth = 300, kStripHeight = 100;
constexpr int kCanvasSize = 200;
const CRect kRect (10, 20, 60, 70);
const CPoint kThirdFrame (100, 0);

void fillStrip (uint8_t* bytes, uint32_t bytesPerRow)
{
	for (int row = 0; row < kStripHeight; ++row)
	{
		auto words = reinterpret_cast<uint32_t*> (bytes + row * bytesPerRow);
		for (int column = 0; column < kStripWidth; ++column)
			words[column] = 0xFF000000u | static_cast<uint32_t> (column * 0x010203 + row);
	}
}

// A 3-column strip of 300 x 100 pixels at grid scale 0.5, and a 200 x 200
// canvas to draw its third frame on.
struct StripScene
{
	StripScene ()
	{
		auto platformBitmap = makeOwned<CGBitmap> (CPoint (kStripWidth, kStripHeight));
		if (auto pixels = platformBitmap->lockPixels (true))
			fillStrip (pixels->getAddress (), pixels->getBytesPerRow ());
		platformBitmap->setFrameGrid (3, 1, 0.5);
		image = platformBitmap->getCGImage ();
		strip = makeOwned<CBitmap> (platformBitmap.get ());

		auto space = CGColorSpaceCreateDeviceRGB ();
		canvas = CGBitmapContextCreate (nullptr, kCanvasSize, kCanvasSize, 8, 0, space,
		                                kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
		CGColorSpaceRelease (space);
		context = makeOwned<CGDrawContext> (canvas, CRect (0, 0, kCanvasSize, kCanvasSize));
	}
	~StripScene ()
	{
		context.reset ();
		CGContextRelease (canvas);
	}

	SharedPointer<CBitmap> strip;
	CGImageRef image {nullptr};
	CGContextRef canvas {nullptr};
	SharedPointer<CGDrawContext> context;
};

void DrawCGImageRef (benchmark::State& state)
{
	StripScene scene;
	auto cg = scene.context->beginCGContext (false, true);
	const auto objectsBefore = CFStandIn::objectsCreated ();
	for (auto _ : state)
	{
		CGContextSaveGState (cg);
		scene.context->drawCGImageRef (cg, scene.image, nullptr, 1., kRect, kThirdFrame, 1.f, scene.strip);
		CGContextRestoreGState (cg);
	}
	state.counters["cg_objects_per_call"] = benchmark::Counter (
	    static_cast<double> (CFStandIn::objectsCreated () - objectsBefore), benchmark::Counter::kAvgIterations);
	scene.context->releaseCGContext (cg);
}
BENCHMARK (DrawCGImageRef);

void GriddedDrawBitmap (benchmark::State& state)
{
	StripScene scene;
	for (auto _ : state)
		scene.context->drawBitmap (scene.strip, kRect, kThirdFrame);
}
BENCHMARK (GriddedDrawBitmap);

void RawCairoPaint (benchmark::State& state)
{
	auto source = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, kStripWidth, kStripHeight);
	fillStrip (cairo_image_surface_get_data (source), static_cast<uint32_t> (cairo_image_surface_get_stride (source)));
	cairo_surface_mark_dirty (source);
	auto target = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, kCanvasSize, kCanvasSize);
	auto cairo = cairo_create (target);
	cairo_set_antialias (cairo, CAIRO_ANTIALIAS_NONE);
	for (auto _ : state)
	{
		cairo_save (cairo);
		cairo_rectangle (cairo, kRect.left, kRect.top, kRect.getWidth (), kRect.getHeight ());
		cairo_clip (cairo);
		cairo_translate (cairo, kRect.left - kThirdFrame.x, kRect.top);
		cairo_scale (cairo, 0.5, 0.5);
		cairo_set_source_surface (cairo, source, 0, 0);
		cairo_pattern_set_filter (cairo_get_source (cairo), CAIRO_FILTER_NEAREST);
		cairo_paint (cairo);
		cairo_restore (cairo);
	}
	cairo_destroy (cairo);
	cairo_surface_destroy (target);
	cairo_surface_destroy (source);
}
BENCHMARK (RawCairoPaint);

} // namespace

BENCHMARK_MAIN ();
