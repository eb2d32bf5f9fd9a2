// Observation points a host test needs around the bundle: every nib load
// through +[NSBundle loadNibNamed:owner:], the moment NSView's own dealloc
// starts for a view (after the subclass's dealloc body has run), each time
// NSView's own viewDidMoveToSuperview runs, and each call of the bundle
// view class's own setFrame: (NSView's setFrame: called directly passes by).
#pragma once

#import <AppKit/AppKit.h>

#include <functional>
#include <string>
#include <vector>

namespace Tolvik::Testing {

struct NibLoad
{
	std::string name;
	id owner;
	BOOL loaded;
};

// Call once the bundle is loaded: it hooks the bundle's view class too.
void installHostHooks ();

std::vector<NibLoad>& nibLoads ();

// Each is called with the view concerned; empty: nobody listens.
extern std::function<void (NSView*)> onNSViewDealloc;
extern std::function<void (NSView*)> onNSViewDidMoveToSuperview;
extern std::function<void (NSView*, NSRect)> onViewClassSetFrame;

// The Objective-C class of the bundle's view.
extern const char* const kViewClass;

// The value of an instance variable that holds a pointer.
void* pointerIvar (id object, const char* name);

} // Tolvik::Testing
