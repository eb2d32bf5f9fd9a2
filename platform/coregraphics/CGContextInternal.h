// The context behind CGContextRef: a cairo context over the target pixels,
// and the Core Graphics state that cairo does not keep for us.
#pragma once

#include "../corefoundation/CFObject.h"
#include "PixelBox.h"

#include <CoreGraphics/CGStandInDiagnostics.h>

#include <cairo.h>
#include <pixman.h>

#include <vector>

struct CGContext : CFStandIn::Object
{
	struct GState
	{
		CGAffineTransform ctm {CGAffineTransformIdentity};
		// Its inverse, kept with it: points go back to user space on every
		// pixel alignment.
		CGAffineTransform deviceToUser {CGAffineTransformIdentity};
		CGFloat alpha {1.};
		bool shouldAntialias {true};
		CGInterpolationQuality interpolationQuality {kCGInterpolationDefault};
		CGFloat fillColor[4] {0., 0., 0., 1.};
		// The clip as whole device pixels while every clip so far had
		// whole-pixel edges and was axis-aligned (clipIsBox), as cairo's
		// clip keeps it too.
		CGStandIn::PixelBox clipBox;
		bool clipIsBox {true};
	};

	// Takes over the surface; `ownedData` (may be null) is freed with the context.
	CGContext (cairo_surface_t* surface, void* ownedData, CGBitmapInfo bitmapInfo);
	~CGContext () override;

	CGStandIn::DrawState drawState () const;
	// User space to cairo's device space, which has y growing downwards.
	CGAffineTransform userToCairo () const;

	cairo_surface_t* const surface;
	cairo_t* const cairo;
	// The surface's pixels for drawing straight with pixman; null when the
	// surface is not premultiplied ARGB.
	pixman_image_t* const target;
	void* const ownedData;
	// The pixel layout the context draws into.
	const CGBitmapInfo bitmapInfo;
	// Set as cairo's source once an image is painted, so that cairo holds no
	// image beyond the call.
	cairo_pattern_t* const clearSource;
	// The surface's size in pixels.
	const CGSize surfaceSize;
	// Cairo's device space is the context's device space flipped upside down.
	const CGAffineTransform deviceToCairo;
	GState state;
	std::vector<GState> savedStates;
	CGStandIn::ContextObserver* observer {nullptr};
};
