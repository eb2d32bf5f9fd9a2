// The view that an Audio Unit host receives: it opens the plug-in editor
// into itself, takes the size of the editor's frame and closes the editor
// when it is deallocated. Used on the main thread only.
#pragma once

#import <AppKit/AppKit.h>
#include <AudioUnit/AudioUnit.h>
#include <CoreGraphics/CGGeometry.h>

class PluginGUIEditor;

@interface SMTGCocoa_NSViewWrapperForAU : NSView
{
	// The editor lent by the unit; not reference-counted. It belongs to the
	// component, except that the main build deletes it when it has no owner.
	PluginGUIEditor* editController;
	// The unit the view was made for; neither retained nor released.
	AudioUnit audioUnit;
	BOOL isAttached;
}

// Opens `editor` with the view as its parent and sizes the view to the
// editor's frame (200 by 200 points when it has none). The preferred size is
// ignored. Returns nil, opening nothing, when there is no editor.
- (id)initWithEditController:(PluginGUIEditor*)editor
                   audioUnit:(AudioUnit)unit
               preferredSize:(CGSize)size;
- (void)setFrame:(CGRect)frameRect;
- (BOOL)isFlipped;
- (void)viewDidMoveToSuperview;
- (void)dealloc;

@end
