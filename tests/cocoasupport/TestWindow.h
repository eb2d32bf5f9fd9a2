// A real window with a flipped content view, and the pixels that the X
// server shows for it.
#pragma once

#import <AppKit/AppKit.h>

#include <cstdint>
#include <vector>

namespace Tolvik::Testing {

class TestWindow
{
public:
	TestWindow (CGFloat width, CGFloat height);
	~TestWindow ();
	TestWindow (const TestWindow&) = delete;
	TestWindow& operator= (const TestWindow&) = delete;

	NSWindow* window () const { return nsWindow; }
	NSView* contentView () const { return [nsWindow contentView]; }
	// Device pixels per point of this window.
	CGFloat scale () const { return [nsWindow backingScaleFactor]; }

	// Sends a mouse event at a point of the content view, as the window
	// server would deliver it.
	void send (NSEventType type, NSPoint where, NSUInteger modifierFlags = 0, NSInteger clickCount = 1,
	           NSInteger buttonNumber = 0, CGFloat deltaX = 0, CGFloat deltaY = 0);
	// The same event, posted to the application's event queue and taken
	// from there by the event loop, as events arrive from the window server.
	void post (NSEventType type, NSPoint where, NSUInteger modifierFlags = 0, NSInteger clickCount = 1);
	// Runs the event loop until no event is waiting.
	void pumpEvents ();
	// Draws what needs drawing and reads the window's pixels back from the
	// X server: 0xRRGGBB, rows of the content view's device pixels.
	struct Pixels
	{
		int width {0}, height {0};
		std::vector<uint32_t> rgb;
		uint32_t at (int x, int y) const { return rgb[static_cast<size_t> (y * width + x)]; }
		// Writes the pixels as a PNG file; false when it cannot.
		bool writePNG (const char* path) const;
	};
	Pixels readPixels ();

private:
	NSEvent* mouseEvent (NSEventType type, NSPoint where, NSUInteger modifierFlags, NSInteger clickCount,
	                     NSInteger buttonNumber, CGFloat deltaX, CGFloat deltaY);
	NSWindow* nsWindow;
};

} // Tolvik::Testing
