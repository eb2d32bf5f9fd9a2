// Drawing contexts.
//
// User space starts as the device space of the context: for a bitmap
// context, one unit a pixel with the origin at the bottom-left corner and y
// growing upwards. The current transform (CTM) maps user space to device
// space; it, the clip, the alpha and the quality settings make up the
// graphics state, which CGContextSaveGState and CGContextRestoreGState keep
// on a stack.
#pragma once

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGImage.h>

typedef struct CGContext* CGContextRef;

enum CGInterpolationQuality : int32_t
{
	kCGInterpolationDefault = 0,
	kCGInterpolationNone = 1,
	kCGInterpolationLow = 2,
	kCGInterpolationHigh = 3,
	kCGInterpolationMedium = 4
};

extern "C" {

CGContextRef CGContextRetain (CGContextRef context);
void CGContextRelease (CGContextRef context);

void CGContextSaveGState (CGContextRef context);
// Restores the state of the matching save; without one, does nothing.
void CGContextRestoreGState (CGContextRef context);

// Each of these applies its transform before the CTM.
void CGContextConcatCTM (CGContextRef context, CGAffineTransform transform);
void CGContextTranslateCTM (CGContextRef context, CGFloat tx, CGFloat ty);
void CGContextScaleCTM (CGContextRef context, CGFloat sx, CGFloat sy);
CGAffineTransform CGContextGetCTM (CGContextRef context);

CGPoint CGContextConvertPointToDeviceSpace (CGContextRef context, CGPoint point);
CGPoint CGContextConvertPointToUserSpace (CGContextRef context, CGPoint point);

// Intersects the clip with the rectangle, in user space.
void CGContextClipToRect (CGContextRef context, CGRect rect);

// The alpha applied to everything drawn, 0 to 1.
void CGContextSetAlpha (CGContextRef context, CGFloat alpha);
// Antialiasing of edges: of fills, of clips made after the call, and of
// image edges.
void CGContextSetShouldAntialias (CGContextRef context, bool shouldAntialias);
// How images are sampled: kCGInterpolationNone is nearest-neighbour.
void CGContextSetInterpolationQuality (CGContextRef context, CGInterpolationQuality quality);
CGInterpolationQuality CGContextGetInterpolationQuality (CGContextRef context);

// Draws the whole image upright into the rectangle, scaled to fit it: the
// image's first row along the rectangle's top edge (largest y).
void CGContextDrawImage (CGContextRef context, CGRect rect, CGImageRef image);

void CGContextSetRGBFillColor (CGContextRef context, CGFloat red, CGFloat green, CGFloat blue,
                               CGFloat alpha);
void CGContextFillRect (CGContextRef context, CGRect rect);

} // extern "C"
