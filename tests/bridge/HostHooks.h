// Observation points a host test needs around the bundle: every nib load
// through +[NSBundle loadNibNamed:owner:], and the moment NSView's own
// dealloc starts for a view (after the subclass's dealloc body has run).
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

void installHostHooks ();

std::vector<NibLoad>& nibLoads ();

// Called with each view whose NSView dealloc begins; empty: nobody listens.
extern std::function<void (NSView*)> onNSViewDealloc;

// The value of an instance variable that holds a pointer.
void* pointerIvar (id object, const char* name);

} // Tolvik::Testing
