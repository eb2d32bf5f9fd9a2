// Core Graphics drawing into views. This platform's graphics contexts draw
// with cairo and have no Core Graphics context. Inside a view's drawing,
// -[NSGraphicsContext CGContext] here answers a Core Graphics bitmap context
// at the window's backing scale over just the rectangle being drawn, and the
// pixels drawn into it are shown in the view when the view's drawing ends,
// before the view gives up the focus.
#import <AppKit/AppKit.h>

#include "MethodReplacement.h"

#include <CoreGraphics/CoreGraphics.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// One focused drawing of a view: what it covers, in device pixels aligned
// to whole pixels, and the context made for it on demand.
struct FocusedDrawing
{
	NSView* view;
	NSRect rect;
	CGFloat scale {1};
	CGContextRef context {nullptr};
};

// Views draw on the main thread, nested as they lock and unlock the focus.
std::vector<FocusedDrawing>& focusStack ()
{
	static std::vector<FocusedDrawing> stack;
	return stack;
}

IMP lockFocusViewInRect = nullptr;
IMP unlockFocusViewNeedsFlush = nullptr;

// The rectangle grown to whole device pixels, inside the view's bounds.
NSRect alignedToPixels (NSRect rect, NSRect bounds, CGFloat scale)
{
	rect = NSIntersectionRect (rect, bounds);
	const CGFloat left = std::floor (NSMinX (rect) * scale) / scale;
	const CGFloat top = std::floor (NSMinY (rect) * scale) / scale;
	const CGFloat right = std::ceil (NSMaxX (rect) * scale) / scale;
	const CGFloat bottom = std::ceil (NSMaxY (rect) * scale) / scale;
	return NSMakeRect (left, top, right - left, bottom - top);
}

// A bitmap context over the drawing's rectangle whose user space is that of
// a bitmap context of the view's bounds: y up, the origin at the bounds'
// bottom left corner, at the drawing's scale.
CGContextRef makeContext (const FocusedDrawing& drawing)
{
	const auto width = static_cast<size_t> (std::lround (NSWidth (drawing.rect) * drawing.scale));
	const auto height = static_cast<size_t> (std::lround (NSHeight (drawing.rect) * drawing.scale));
	if (width == 0 || height == 0)
		return nullptr;
	auto space = CGColorSpaceCreateDeviceRGB ();
	auto context = CGBitmapContextCreate (nullptr, width, height, 8, 0, space,
	                                      kCGImageAlphaPremultipliedFirst | kCGBitmapByteOrder32Host);
	CGColorSpaceRelease (space);
	if (!context)
		return nullptr;
	// The rectangle's left and bottom edges, from the bounds' left and bottom.
	const NSRect bounds = [drawing.view bounds];
	const CGFloat left = NSMinX (drawing.rect) - NSMinX (bounds);
	const CGFloat bottom = [drawing.view isFlipped] ? NSMaxY (bounds) - NSMaxY (drawing.rect)
	                                                : NSMinY (drawing.rect) - NSMinY (bounds);
	CGContextScaleCTM (context, drawing.scale, drawing.scale);
	CGContextTranslateCTM (context, -left, -bottom);
	return context;
}

// Premultiplied words of the host's byte order (B, G, R, A in memory here)
// into the R, G, B, A bytes that this platform's bitmap image reps take.
std::vector<uint32_t> toRGBA (CGContextRef context)
{
	const auto width = CGBitmapContextGetWidth (context), height = CGBitmapContextGetHeight (context);
	const auto rowLength = CGBitmapContextGetBytesPerRow (context) / 4;
	const auto* source = static_cast<const uint32_t*> (CGBitmapContextGetData (context));
	std::vector<uint32_t> pixels (width * height);
	for (size_t y = 0; y < height; ++y)
	{
		for (size_t x = 0; x < width; ++x)
		{
			const uint32_t word = source[y * rowLength + x];
			const uint32_t bytes = (word & 0xff00ff00) | ((word >> 16) & 0xff) | ((word & 0xff) << 16);
			pixels[y * width + x] = bytes;
		}
	}
	return pixels;
}

// Shows the context's pixels over the drawing's rectangle of the view, one
// device pixel to one, blended over what the view shows there. By the time
// the view's focus is given up its coordinates are gone, so the view is
// focused once more for this.
void show (const FocusedDrawing& drawing)
{
	auto pixels = toRGBA (drawing.context);
	auto* plane = reinterpret_cast<unsigned char*> (pixels.data ());
	const auto width = static_cast<NSInteger> (CGBitmapContextGetWidth (drawing.context));
	const auto height = static_cast<NSInteger> (CGBitmapContextGetHeight (drawing.context));
	NSBitmapImageRep* rep = [[NSBitmapImageRep alloc] initWithBitmapDataPlanes:&plane
	                                                                pixelsWide:width
	                                                                pixelsHigh:height
	                                                             bitsPerSample:8
	                                                           samplesPerPixel:4
	                                                                  hasAlpha:YES
	                                                                  isPlanar:NO
	                                                            colorSpaceName:NSDeviceRGBColorSpace
	                                                              bitmapFormat:static_cast<NSBitmapFormat> (0)
	                                                               bytesPerRow:width * 4
	                                                              bitsPerPixel:32];
	[drawing.view lockFocusInRect:drawing.rect];
	[[NSGraphicsContext currentContext] setImageInterpolation:NSImageInterpolationNone];
	[rep drawInRect:drawing.rect
	       fromRect:NSMakeRect (0, 0, width, height)
	      operation:NSCompositeSourceOver
	       fraction:1
	 respectFlipped:YES
	          hints:nil];
	[drawing.view unlockFocus];
	[rep release];
}

} // namespace

@interface NSGraphicsContext (TolvikCGContext)
@end

@implementation NSGraphicsContext (TolvikCGContext)

static void lockFocusView (id self, SEL selector, NSView* view, NSRect rect)
{
	Tolvik::AppKit::fromIMP<void (*) (id, SEL, NSView*, NSRect)> (lockFocusViewInRect) (self, selector, view, rect);
	const CGFloat scale = [view window] ? [[view window] backingScaleFactor] : 1;
	focusStack ().push_back ({view, alignedToPixels (rect, [view bounds], scale), scale});
}

static void unlockFocusView (id self, SEL selector, NSView* view, BOOL needsFlush)
{
	auto& stack = focusStack ();
	FocusedDrawing drawing {nil, NSZeroRect};
	if (!stack.empty () && stack.back ().view == view)
	{
		drawing = stack.back ();
		stack.pop_back ();
	}
	Tolvik::AppKit::fromIMP<void (*) (id, SEL, NSView*, BOOL)> (unlockFocusViewNeedsFlush) (self, selector, view,
	                                                                                         needsFlush);
	if (drawing.context)
	{
		show (drawing);
		CGContextRelease (drawing.context);
	}
}

static CGContextRef cgContext (id, SEL)
{
	auto& stack = focusStack ();
	if (stack.empty ())
		return nullptr;
	auto& drawing = stack.back ();
	if (!drawing.context)
		drawing.context = makeContext (drawing);
	return drawing.context;
}

+ (void)load
{
	using Tolvik::AppKit::replaceMethod;
	lockFocusViewInRect =
	    replaceMethod (self, @selector (lockFocusView:inRect:), lockFocusView);
	unlockFocusViewNeedsFlush =
	    replaceMethod (self, @selector (unlockFocusView:needsFlush:), unlockFocusView);
	replaceMethod (self, @selector (CGContext), cgContext);
}

@end
