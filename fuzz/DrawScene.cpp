#include "DrawScene.h"

#include "lib/vstguidebug.h"

#include <cmath>
#include <limits>

namespace Tolvik::Fuzzing {

using namespace VSTGUI;
using Testing::FrameSheet;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
constexpr double kInfinity = std::numeric_limits<double>::infinity ();
constexpr double kLargest = std::numeric_limits<double>::max ();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min ();

// Context scales and the step of unit counts that keeps the canvas whole
// device pixels: the bitmap context and the draw context's surface then
// meet exactly, as a window's backing store and its view do.
struct ContextScale
{
	double factor;
	uint32_t unitStep;
};
constexpr ContextScale kContextScales[] = {{1., 1}, {2., 1}, {1.5, 2}, {3., 1}, {1.25, 4}, {0.5, 2}, {2.5, 2}};
constexpr uint32_t kMostDevicePixels = 96;

uint32_t readUnits (FuzzInput& in, const ContextScale& scale)
{
	const uint32_t steps = kMostDevicePixels / static_cast<uint32_t> (scale.factor * scale.unitStep);
	return scale.unitStep * (1 + in.below (steps));
}

FrameSheet readSheet (FuzzInput& in)
{
	const uint32_t frameWidth = in.below (13), frameHeight = in.below (13);
	const uint32_t columns = 1 + in.below (6), rows = 1 + in.below (6);
	return FrameSheet (frameWidth, frameHeight, columns, rows);
}

// Reports during the scene's making (addBitmap refusing a second bitmap of
// the wrong size) are expected; the draw installs its own handler.
void ignoreReport (const char*, const char*, const char*) {}

double readScaleFactor (FuzzInput& in)
{
	return in.pick ({1., 2., 0.5, 1.5, 3., 0., -1., kNaN, kInfinity, 4., kSmallest});
}

// Whole numbers, halves, quarters and other fractions that round either way
// at the context scales, and the values that break arithmetic.
constexpr std::initializer_list<double> kPositions = {
    0., 2., 2.5, 2.25, 2.75, 10., 7.5, 0.3, 0.7, 0.9, 1.1, 10.6, -5., -0.5, 0.499, 3.125,
    1e9, -1e300, kNaN, kInfinity, -kInfinity, kLargest};

double readPosition (FuzzInput& in)
{
	return in.pick (kPositions);
}

double readTablePosition (FuzzInput& in)
{
	return in.pickFromTable (kPositions);
}

} // namespace

Scene::Scene (FuzzInput& in) : sheet (readSheet (in)), secondSheet (1, 1, 1, 1)
{
	first = sheet.makeBitmap (readScaleFactor (in));
	readGrid (in);
	bitmap = makeOwned<CBitmap> (first.get ());
	readSecondBitmap (in);
	readCanvas (in);
	readTransformAndClip (in);
	readDraw (in);
}

void Scene::readGrid (FuzzInput& in)
{
	if (!in.flag ())
		return;
	const uint32_t columns = in.pick ({sheet.columns (), 1u, 0u, 2u, sheet.columns () + 1, 0xFFFFFFFFu, 3u});
	const uint32_t rows = in.pick ({sheet.rows (), 1u, 0u, 2u, sheet.rows () + 1, 0xFFFFFFFFu, 3u});
	const double scale = in.pick ({0.5, 1., 2., 0.25, 0.75, 1.5, 3., 0., -0.5, kNaN, kInfinity, -kInfinity,
	                               1. / 3., 0.1, 1e300, kSmallest});
	first->setFrameGrid (columns, rows, scale);
}

// The same frames at `multiple` times the pixels, at a factor that often
// fits the size the bitmap reports.
void Scene::readSecondBitmap (FuzzInput& in)
{
	if (!in.flag ())
		return;
	const uint32_t multiple = 1 + in.below (3);
	secondSheet = FrameSheet (sheet.frameWidth () * multiple, sheet.frameHeight () * multiple, sheet.columns (),
	                          sheet.rows ());
	const double pixelsWide = secondSheet.frameWidth () * secondSheet.columns ();
	const double fitting = pixelsWide / bitmap->getWidth ();
	second = secondSheet.makeBitmap (in.pick ({fitting, first->getScaleFactor () * multiple, 2., 1., kNaN}));
	setAssertionHandler (ignoreReport);
	if (!bitmap->addBitmap (second))
		second = nullptr;
	setAssertionHandler (nullptr);
}

void Scene::readCanvas (FuzzInput& in)
{
	const auto& scale = kContextScales[in.below (std::size (kContextScales))];
	contextScale = scale.factor;
	unitsWide = readUnits (in, scale);
	unitsHigh = readUnits (in, scale);
}

void Scene::readTransformAndClip (FuzzInput& in)
{
	scaleX = scaleY = 1.;
	moveX = moveY = 0.;
	if (in.flag ())
	{
		scaleX = in.pick ({1., 2., 0.5, 1.5, -1., 3., 1.25, 0., -2., kNaN, 0.75});
		scaleY = in.flag () ? scaleX : in.pick ({1., 2., 0.5, 1.5, -1., 3., 1.25, 0., -2., kNaN, 0.75});
		moveX = in.pick ({0., 0.5, 0.25, 1., -3., 10.5, 0.75, 1e300, kNaN, 40.});
		moveY = in.pick ({0., 0.5, 0.25, 1., -3., 10.5, 0.75, 1e300, kNaN, 40.});
	}
	// From the table only: with arbitrary values beyond 2^40 the clip's edges,
	// which reach Core Graphics as a corner and a size, end between pixels,
	// and the context sets its clip before a draw turns antialiasing off.
	clipped = in.flag ();
	if (!clipped)
		return;
	const double left = readTablePosition (in), top = readTablePosition (in);
	const double right = readTablePosition (in) + 20., bottom = readTablePosition (in) + 20.;
	clip = CRect (left, top, right, bottom);
}

double Scene::readOffset (FuzzInput& in, double frameExtent)
{
	if (!in.flag ())
		return in.pick ({0., 0.5, kNaN, -1., 1e300, kInfinity, -0.25, 4294967296., 1.});
	const double frame = in.below (8);
	return frame * frameExtent + in.pick ({0., 0.4, -0.4, 0.5, 0.99, -0.99, 0.01, -0.01});
}

void Scene::readDraw (FuzzInput& in)
{
	path = static_cast<DrawPath> (in.below (3));
	drawsSecondImage = second && in.flag ();
	const double frameWidth = bitmap->getWidth () / sheet.columns ();
	const double frameHeight = bitmap->getHeight () / sheet.rows ();
	const double left = readPosition (in), top = readPosition (in);
	const double width = in.pick ({frameWidth, bitmap->getWidth (), frameWidth / 2., frameWidth + 0.9, 0., 1., -5.,
	                               kNaN, kInfinity, 1e300, 10.9});
	const double height = in.pick ({frameHeight, bitmap->getHeight (), frameHeight / 2., frameHeight + 0.9, 0., 1.,
	                                -5., kNaN, kInfinity, 1e300, 10.9});
	rect = CRect (left, top, left + width, top + height);
	const double offsetX = readOffset (in, frameWidth), offsetY = readOffset (in, frameHeight);
	offset = CPoint (offsetX, offsetY);
	alpha = static_cast<float> (in.pickFromTable ({1., 0.5, 0., kNaN, -1., 2., 1e-9}));
	globalAlpha = static_cast<float> (in.pickFromTable ({1., 0.5, 0.}));
	quality = static_cast<BitmapInterpolationQuality> (in.below (4));
}

void Scene::draw (Testing::Canvas& canvas)
{
	auto& context = canvas.context ();
	if (clipped)
		context.setClipRect (clip);
	context.setGlobalAlpha (globalAlpha);
	context.setBitmapInterpolationQuality (quality);
	CDrawContext::Transform transform (context, CGraphicsTransform (scaleX, 0., 0., scaleY, moveX, moveY));
	if (path == DrawPath::drawBitmap)
		return context.drawBitmap (bitmap, rect, offset, alpha);

	auto drawn = drawsSecondImage ? second : first;
	auto image = drawn->getCGImage ();
	auto cg = context.beginCGContext (false, true);
	if (!cg || !image)
		return;
	CBitmap withoutPlatformBitmap (nullptr);
	auto geometry = path == DrawPath::drawCGImageRef ? bitmap.get () : drawsSecondImage ? &withoutPlatformBitmap : nullptr;
	context.drawCGImageRef (cg, image, nullptr, drawn->getScaleFactor (), rect, offset, alpha, geometry);
	context.releaseCGContext (cg);
}

std::ostream& operator<< (std::ostream& os, const Scene& s)
{
	const char* paths[] = {"drawBitmap", "drawCGImageRef", "drawCGImageRef without geometry"};
	os << "canvas " << s.unitsWide << " x " << s.unitsHigh << " units at " << s.contextScale << "\n"
	   << "transform scale (" << s.scaleX << ", " << s.scaleY << ") move (" << s.moveX << ", " << s.moveY << ")\n";
	if (s.clipped)
		os << "clip (" << s.clip.left << ", " << s.clip.top << ", " << s.clip.right << ", " << s.clip.bottom << ")\n";
	os << "sheet of " << s.sheet.columns () << " x " << s.sheet.rows () << " frames of " << s.sheet.frameWidth ()
	   << " x " << s.sheet.frameHeight () << " at factor " << s.first->getScaleFactor () << "\n";
	if (s.first->isFrameGridSet ())
		os << "grid " << s.first->getFrameGridColumns () << " x " << s.first->getFrameGridRows () << " at "
		   << s.first->getFrameGridScale () << "\n";
	if (s.second)
		os << "second bitmap " << s.secondSheet.frameWidth () << " x " << s.secondSheet.frameHeight ()
		   << " a frame at factor " << s.second->getScaleFactor () << "\n";
	os << paths[static_cast<int> (s.path)] << (s.drawsSecondImage ? " of the second image" : "") << " into ("
	   << s.rect.left << ", " << s.rect.top << ", " << s.rect.right << ", " << s.rect.bottom << ") offset ("
	   << s.offset.x << ", " << s.offset.y << ") alpha " << s.alpha << " global alpha " << s.globalAlpha << "\n";
	return os;
}

} // Tolvik::Fuzzing
