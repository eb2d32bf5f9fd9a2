// A window's backing scale factor is how many pixels it draws per point.
// This platform draws at more than one only through its user-space scale
// factor (GSScaleFactor), and answers 1 from backingScaleFactor whatever that
// is; this answers the scale the window really draws at.
#import <AppKit/AppKit.h>

#include "MethodReplacement.h"

@interface NSWindow (TolvikBackingScale)
@end

@implementation NSWindow (TolvikBackingScale)

static CGFloat backingScaleFactor (id self, SEL)
{
	return [static_cast<NSWindow*> (self) userSpaceScaleFactor];
}

+ (void)load
{
	Tolvik::AppKit::replaceMethod (self, @selector (backingScaleFactor), backingScaleFactor);
}

@end
