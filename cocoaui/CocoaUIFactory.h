// The bundle's entry: the Audio Unit Cocoa view factory. A host makes an
// instance by class name and asks it for a view of one unit. It keeps no
// state; the host calls it on the main thread.
#pragma once

#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "BuildVariant.h"

@interface TOLVIK_VIEW_FACTORY_CLASS : NSObject <AUCocoaUIBase>

- (unsigned)interfaceVersion;
- (NSString*)description;
// A new view of the unit's editor, autoreleased, or nil when the unit lends
// no editor (or, in the main build, the nib does not load).
- (NSView*)uiViewForAudioUnit:(AudioUnit)inAudioUnit withSize:(CGSize)inPreferredSize;

@end
