// With Foundation in the process, CFAutorelease hands its references to the
// calling thread's Objective-C autorelease pool, as on a Mac: draining the
// pool gives them up. A thread without a pool keeps the stand-in's own list,
// since autoreleasing there would leak.
#import <Foundation/Foundation.h>

#include "../corefoundation/CFAutoreleaseHandler.h"

// Holds one Core Foundation reference and gives it up when it goes.
@interface TolvikCFAutoreleaseHolder : NSObject
{
	CFTypeRef object;
}
- (id)initHoldingReference:(CFTypeRef)anObject;
@end

@implementation TolvikCFAutoreleaseHolder

- (id)initHoldingReference:(CFTypeRef)anObject
{
	if ((self = [super init]))
		object = anObject;
	return self;
}

- (void)dealloc
{
	CFRelease (object);
	[super dealloc];
}

@end

namespace {

bool autoreleaseInFoundationPool (CFTypeRef object)
{
	if (![NSAutoreleasePool currentPool])
		return false;
	[[[TolvikCFAutoreleaseHolder alloc] initHoldingReference:object] autorelease];
	return true;
}

__attribute__ ((constructor)) void installFoundationPool ()
{
	CFStandIn::setAutoreleaseHandler (autoreleaseInFoundationPool);
}

} // namespace
