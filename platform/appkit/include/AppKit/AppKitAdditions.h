// Cocoa interfaces that this platform's AppKit lacks or answers differently,
// supplied under their Cocoa names by the AppKit additions library.
#pragma once

#import <Foundation/Foundation.h>

@class NSTrackingArea;

// Posted by Cocoa when a window's backing scale or colour space changes.
// This platform never posts it: a window's scale is fixed when it is made.
APPKIT_EXPORT NSString* const NSWindowDidChangeBackingPropertiesNotification;

@interface NSView (TolvikTrackingAreas)
// Tracking areas, kept on the view and shown to the window as tracking
// rectangles over the area's rectangle (the view's visible rectangle for
// NSTrackingInVisibleRect) while the view is in a window. A mouse-moved
// option makes the window deliver mouse-moved events. The view's
// updateTrackingAreas is called whenever it moves into a window.
- (void)addTrackingArea:(NSTrackingArea*)trackingArea;
- (void)removeTrackingArea:(NSTrackingArea*)trackingArea;
- (NSArray*)trackingAreas;
- (void)updateTrackingAreas;
@end

@interface NSMenu (TolvikPopUp)
// Shows the menu modally with `item` (for nil, the menu's top-left corner)
// at `location` in `view` (in screen coordinates for a nil view), kept on
// the screen, and tracks it until it closes. YES when an item of the menu or
// of one of its submenus was chosen; its action has been sent by then.
// Main thread.
- (BOOL)popUpMenuPositioningItem:(NSMenuItem*)item atLocation:(NSPoint)location inView:(NSView*)view;
// The narrowest the menu is shown; 0 until set.
- (CGFloat)minimumWidth;
- (void)setMinimumWidth:(CGFloat)width;
@end

// Also supplied, replacing this platform's own answers:
// - -[NSWindow backingScaleFactor] answers the window's user-space scale
//   factor (GSScaleFactor), which is how this platform draws at more than
//   one pixel per point;
// - -[NSGraphicsContext CGContext], asked inside a view's drawRect:, answers
//   a Core Graphics bitmap context at the window's backing scale that covers
//   the rectangle being drawn, in the view's coordinates with y up and the
//   origin at the bottom left of the view's bounds (what a Core Graphics
//   bitmap context of the view's size would be). What is drawn into it is
//   shown in the view when the view's drawing ends.
