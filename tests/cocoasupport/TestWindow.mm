#import "TestWindow.h"

#import <GNUstepGUI/GSDisplayServer.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

@interface TolvikTestFlippedView : NSView
@end

@implementation TolvikTestFlippedView
- (BOOL)isFlipped
{
	return YES;
}
- (void)drawRect:(NSRect)rect
{
	[[NSColor whiteColor] set];
	NSRectFill (rect);
}
@end

namespace Tolvik::Testing {

TestWindow::TestWindow (CGFloat width, CGFloat height)
{
	const NSRect frame = NSMakeRect (0, 0, width, height);
	nsWindow = [[NSWindow alloc] initWithContentRect:frame
	                                       styleMask:NSTitledWindowMask
	                                         backing:NSBackingStoreBuffered
	                                           defer:NO];
	[nsWindow setReleasedWhenClosed:NO];
	NSView* content = [[TolvikTestFlippedView alloc] initWithFrame:frame];
	[nsWindow setContentView:content];
	[content release];
	[nsWindow makeKeyAndOrderFront:nil];
	pumpEvents ();
}

TestWindow::~TestWindow ()
{
	[nsWindow orderOut:nil];
	[nsWindow release];
}

NSEvent* TestWindow::mouseEvent (NSEventType type, NSPoint where, NSUInteger modifierFlags, NSInteger clickCount,
                                NSInteger buttonNumber, CGFloat deltaX, CGFloat deltaY)
{
	const NSPoint inWindow = [contentView () convertPoint:where toView:nil];
	return [NSEvent mouseEventWithType:type
	                                    location:inWindow
	                               modifierFlags:modifierFlags
	                                   timestamp:0
	                                windowNumber:[nsWindow windowNumber]
	                                     context:nil
	                                 eventNumber:0
	                                  clickCount:clickCount
	                                    pressure:1
	                                buttonNumber:buttonNumber
	                                      deltaX:deltaX
	                                      deltaY:deltaY
	                                      deltaZ:0];
}

void TestWindow::send (NSEventType type, NSPoint where, NSUInteger modifierFlags, NSInteger clickCount,
                       NSInteger buttonNumber, CGFloat deltaX, CGFloat deltaY)
{
	[nsWindow sendEvent:mouseEvent (type, where, modifierFlags, clickCount, buttonNumber, deltaX, deltaY)];
}

void TestWindow::post (NSEventType type, NSPoint where, NSUInteger modifierFlags, NSInteger clickCount)
{
	[NSApp postEvent:mouseEvent (type, where, modifierFlags, clickCount, 0, 0, 0) atStart:NO];
	pumpEvents ();
}

void TestWindow::pumpEvents ()
{
	while (NSEvent* event = [NSApp nextEventMatchingMask:NSAnyEventMask
	                                           untilDate:[NSDate distantPast]
	                                              inMode:NSDefaultRunLoopMode
	                                             dequeue:YES])
		[NSApp sendEvent:event];
}

TestWindow::Pixels TestWindow::readPixels ()
{
	pumpEvents ();
	[nsWindow displayIfNeeded];
	Display* display = static_cast<Display*> ([GSCurrentServer () serverDevice]);
	const Window xWindow = static_cast<Window> (reinterpret_cast<uintptr_t> ([nsWindow windowRef]));
	XSync (display, False);
	NSView* content = contentView ();
	const NSRect inWindow = [content convertRect:[content bounds] toView:nil];
	const int top = static_cast<int> ([nsWindow frame].size.height - NSMaxY (inWindow));
	Pixels pixels;
	pixels.width = static_cast<int> (NSWidth (inWindow));
	pixels.height = static_cast<int> (NSHeight (inWindow));
	XImage* image = XGetImage (display, xWindow, static_cast<int> (NSMinX (inWindow)), top,
	                           static_cast<unsigned> (pixels.width), static_cast<unsigned> (pixels.height), AllPlanes,
	                           ZPixmap);
	if (!image)
		return {};
	pixels.rgb.resize (static_cast<size_t> (pixels.width * pixels.height));
	for (int y = 0; y < pixels.height; ++y)
		for (int x = 0; x < pixels.width; ++x)
			pixels.rgb[static_cast<size_t> (y * pixels.width + x)] =
			    static_cast<uint32_t> (XGetPixel (image, x, y) & 0xffffff);
	XDestroyImage (image);
	return pixels;
}

bool TestWindow::Pixels::writePNG (const char* path) const
{
	if (width <= 0 || height <= 0)
		return false;
	// Words of 0x00RRGGBB are cairo's RGB24 pixels as they are.
	auto data = const_cast<uint32_t*> (rgb.data ());
	cairo_surface_t* surface = cairo_image_surface_create_for_data (reinterpret_cast<unsigned char*> (data),
	                                                                CAIRO_FORMAT_RGB24, width, height, width * 4);
	const bool written = cairo_surface_write_to_png (surface, path) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy (surface);
	return written;
}

} // Tolvik::Testing
