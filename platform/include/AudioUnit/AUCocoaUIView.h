// The protocol of an Audio Unit's Cocoa view factory: a host makes the
// factory class named by the unit and asks it for a view of one unit.
#pragma once

#import <AppKit/AppKit.h>
#include <AudioUnit/AUComponent.h>
#include <CoreGraphics/CGGeometry.h>

@protocol AUCocoaUIBase

// The version of this protocol the factory implements; 0 for this one.
- (unsigned)interfaceVersion;

// A view of inAudioUnit, autoreleased, or nil. inPreferredSize is the host's
// wish; the factory may ignore it.
- (NSView*)uiViewForAudioUnit:(AudioUnit)inAudioUnit withSize:(CGSize)inPreferredSize;

@end
