#include "CGContextInternal.h"

#include "CGImageInternal.h"
#include "CairoGeometry.h"
#include "DirectImageDraw.h"

#include <cmath>
#include <cstdlib>

CGContext::CGContext (cairo_surface_t* surface, void* ownedData, CGBitmapInfo bitmapInfo)
: surface (surface)
, cairo (cairo_create (surface))
, target (CGStandIn::pixmanImageOver (surface))
, ownedData (ownedData)
, bitmapInfo (bitmapInfo)
, clearSource (cairo_pattern_create_rgba (0., 0., 0., 0.))
, surfaceSize (CGSizeMake (cairo_image_surface_get_width (surface), cairo_image_surface_get_height (surface)))
, deviceToCairo (CGAffineTransformMake (1., 0., 0., -1., 0., surfaceSize.height))
{
	// Room for the usual nesting, so that saving the state does not allocate.
	savedStates.reserve (16);
	state.clipBox = {0, 0, static_cast<int32_t> (surfaceSize.width), static_cast<int32_t> (surfaceSize.height)};
}

CGContext::~CGContext ()
{
	cairo_destroy (cairo);
	if (target)
		pixman_image_unref (target);
	cairo_pattern_destroy (clearSource);
	cairo_surface_destroy (surface);
	std::free (ownedData);
}

CGStandIn::DrawState CGContext::drawState () const
{
	return {state.ctm, state.alpha, state.shouldAntialias, state.interpolationQuality};
}

CGAffineTransform CGContext::userToCairo () const
{
	return CGAffineTransformConcat (state.ctm, deviceToCairo);
}

namespace {

cairo_antialias_t cairoAntialias (const CGContext::GState& state)
{
	return state.shouldAntialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE;
}

cairo_filter_t cairoFilter (CGInterpolationQuality quality)
{
	switch (quality)
	{
		case kCGInterpolationNone:
			return CAIRO_FILTER_NEAREST;
		case kCGInterpolationLow:
			return CAIRO_FILTER_BILINEAR;
		case kCGInterpolationHigh:
			return CAIRO_FILTER_BEST;
		case kCGInterpolationDefault:
		case kCGInterpolationMedium:
		default:
			return CAIRO_FILTER_GOOD;
	}
}

// Maps image pixels (first row on top) onto `rect` in user space.
CGAffineTransform imageToUser (const CGImage& image, CGRect rect)
{
	return CGAffineTransformMake (rect.size.width / static_cast<CGFloat> (image.width), 0., 0.,
	                              -rect.size.height / static_cast<CGFloat> (image.height), rect.origin.x,
	                              rect.origin.y + rect.size.height);
}

bool isInvertible (const CGAffineTransform& t)
{
	double determinant = t.a * t.d - t.b * t.c;
	return determinant != 0. && std::isfinite (determinant) && std::isfinite (t.tx) && std::isfinite (t.ty);
}

} // namespace

CGContextRef CGContextRetain (CGContextRef context)
{
	CFRetain (context);
	return context;
}

void CGContextRelease (CGContextRef context)
{
	CFRelease (context);
}

void CGContextSaveGState (CGContextRef context)
{
	if (!context)
		return;
	context->savedStates.push_back (context->state);
	cairo_save (context->cairo);
}

void CGContextRestoreGState (CGContextRef context)
{
	if (!context || context->savedStates.empty ())
		return;
	context->state = context->savedStates.back ();
	context->savedStates.pop_back ();
	cairo_restore (context->cairo);
}

void CGContextConcatCTM (CGContextRef context, CGAffineTransform transform)
{
	if (!context)
		return;
	context->state.ctm = CGAffineTransformConcat (transform, context->state.ctm);
	context->state.deviceToUser = CGAffineTransformInvert (context->state.ctm);
}

void CGContextTranslateCTM (CGContextRef context, CGFloat tx, CGFloat ty)
{
	CGContextConcatCTM (context, CGAffineTransformMakeTranslation (tx, ty));
}

void CGContextScaleCTM (CGContextRef context, CGFloat sx, CGFloat sy)
{
	CGContextConcatCTM (context, CGAffineTransformMakeScale (sx, sy));
}

CGAffineTransform CGContextGetCTM (CGContextRef context)
{
	return context ? context->state.ctm : CGAffineTransformIdentity;
}

CGPoint CGContextConvertPointToDeviceSpace (CGContextRef context, CGPoint point)
{
	return CGPointApplyAffineTransform (point, CGContextGetCTM (context));
}

CGPoint CGContextConvertPointToUserSpace (CGContextRef context, CGPoint point)
{
	return context ? CGPointApplyAffineTransform (point, context->state.deviceToUser) : point;
}

void CGContextClipToRect (CGContextRef context, CGRect rect)
{
	if (!context)
		return;
	if (context->observer)
		context->observer->didClipToRect (rect, context->drawState ());
	auto cairo = context->cairo;
	const auto userToCairo = context->userToCairo ();
	switch (CGStandIn::surfaceCoverage (context->surfaceSize, rect, userToCairo))
	{
		case CGStandIn::Coverage::whole:
			return; // clips nothing away
		case CGStandIn::Coverage::none:
			cairo_new_path (cairo);
			cairo_rectangle (cairo, 0., 0., 0., 0.);
			context->state.clipBox = {};
			break;
		case CGStandIn::Coverage::part:
			cairo_set_antialias (cairo, cairoAntialias (context->state));
			CGStandIn::setRectanglePath (cairo, context->surfaceSize, rect, userToCairo);
			if (auto pixels = CGStandIn::wholePixelBox (context->surfaceSize, rect, userToCairo))
				context->state.clipBox = context->state.clipBox.intersected (*pixels);
			else
				context->state.clipIsBox = false;
			break;
	}
	cairo_clip (cairo);
}

void CGContextSetAlpha (CGContextRef context, CGFloat alpha)
{
	if (context)
		context->state.alpha = alpha >= 0. ? (alpha <= 1. ? alpha : 1.) : 0.;
}

void CGContextSetShouldAntialias (CGContextRef context, bool shouldAntialias)
{
	if (context)
		context->state.shouldAntialias = shouldAntialias;
}

void CGContextSetInterpolationQuality (CGContextRef context, CGInterpolationQuality quality)
{
	if (context)
		context->state.interpolationQuality = quality;
}

CGInterpolationQuality CGContextGetInterpolationQuality (CGContextRef context)
{
	return context ? context->state.interpolationQuality : kCGInterpolationDefault;
}

void CGContextDrawImage (CGContextRef context, CGRect rect, CGImageRef image)
{
	if (!context || !image)
		return;
	if (context->observer)
		context->observer->willDrawImage (rect, image, context->drawState ());

	auto imageToCairo = CGAffineTransformConcat (imageToUser (*image, rect), context->userToCairo ());
	CGRect imageBounds = CGRectMake (0., 0., static_cast<CGFloat> (image->width), static_cast<CGFloat> (image->height));
	auto cairo = context->cairo;
	if (!isInvertible (imageToCairo) || context->state.alpha <= 0. ||
	    CGStandIn::surfaceCoverage (context->surfaceSize, imageBounds, imageToCairo) == CGStandIn::Coverage::none)
		return;

	const auto filter = cairoFilter (context->state.interpolationQuality);
	// The common case skips cairo's long way to the same pixman call.
	if (filter == CAIRO_FILTER_NEAREST && context->state.alpha >= 1. && context->state.clipIsBox &&
	    CGStandIn::drawImageDirectly (context->target, context->surface, context->state.clipBox, image->surface,
	                                  imageToCairo))
		return;
	// Nearest sampling leaves the image's edges hard; smoothing softens them,
	// so without antialiasing they are clipped like any other edge.
	const bool clipsEdges = !context->state.shouldAntialias && filter != CAIRO_FILTER_NEAREST;
	if (clipsEdges)
	{
		cairo_save (cairo);
		cairo_set_antialias (cairo, CAIRO_ANTIALIAS_NONE);
		CGStandIn::setRectanglePath (cairo, context->surfaceSize, imageBounds, imageToCairo);
		cairo_clip (cairo);
	}
	cairo_identity_matrix (cairo);
	auto pattern = cairo_pattern_create_for_surface (image->surface);
	auto cairoToImage = CGStandIn::cairoMatrixFrom (CGAffineTransformInvert (imageToCairo));
	cairo_pattern_set_matrix (pattern, &cairoToImage);
	// A surface pattern extends nothing by default, as an image is drawn.
	cairo_pattern_set_filter (pattern, filter);
	cairo_set_source (cairo, pattern);
	cairo_paint_with_alpha (cairo, context->state.alpha);
	// Drop the image from cairo's state, which may outlive it.
	cairo_set_source (cairo, context->clearSource);
	cairo_pattern_destroy (pattern);
	if (clipsEdges)
		cairo_restore (cairo);
}

void CGContextSetRGBFillColor (CGContextRef context, CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
	if (!context)
		return;
	auto& color = context->state.fillColor;
	color[0] = red;
	color[1] = green;
	color[2] = blue;
	color[3] = alpha;
}

void CGContextFillRect (CGContextRef context, CGRect rect)
{
	if (!context)
		return;
	auto cairo = context->cairo;
	cairo_save (cairo);
	const auto userToCairo = context->userToCairo ();
	if (CGStandIn::surfaceCoverage (context->surfaceSize, rect, userToCairo) != CGStandIn::Coverage::none)
	{
		cairo_set_antialias (cairo, cairoAntialias (context->state));
		CGStandIn::setRectanglePath (cairo, context->surfaceSize, rect, userToCairo);
		const auto& color = context->state.fillColor;
		cairo_set_source_rgba (cairo, color[0], color[1], color[2], color[3] * context->state.alpha);
		cairo_fill (cairo);
	}
	cairo_restore (cairo);
}

namespace CGStandIn {

void setObserver (CGContextRef context, ContextObserver* observer)
{
	if (context)
		context->observer = observer;
}

} // namespace CGStandIn
