#import "cocoatimer.h"

#import "objcruntime.h"

#import <AppKit/AppKit.h>

namespace VSTGUI {
namespace {

// The NSTimers' target: a class made at run time, under a name that no other
// class in the process has, whose class method hands each tick to the
// CocoaTimer that the NSTimer's user info points to. A class object needs no
// instance and ignores the retain of the NSTimer.
Class timerTargetClass = Nil;
constexpr const char* kTimerTargetBaseName = "VSTGUI_CocoaTimerTarget";

// The NSTimer is held across the call: the callback may stop it, and with it
// the CocoaTimer's reference.
void timerFired (id, SEL, NSTimer* timer)
{
	if (![timer isValid])
		return;
	[timer retain];
	static_cast<CocoaTimer*> ([[timer userInfo] pointerValue])->fire ();
	[timer release];
}

Class makeTimerTargetClass ()
{
	Class cls = allocateUniqueClass ([NSObject class], kTimerTargetBaseName, &timerTargetClass);
	class_addMethod (object_getClass (cls), @selector (timerFired:), toIMP (timerFired), "v@:@");
	objc_registerClassPair (cls);
	return cls;
}

} // namespace

CocoaTimer::~CocoaTimer () noexcept
{
	stop ();
}

bool CocoaTimer::start (uint32_t intervalMilliseconds)
{
	stop ();
	if (!timerTargetClass)
		timerTargetClass = makeTimerTargetClass ();
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	timer = [[NSTimer timerWithTimeInterval:intervalMilliseconds / 1000.
	                                 target:timerTargetClass
	                               selector:@selector (timerFired:)
	                               userInfo:[NSValue valueWithPointer:this]
	                                repeats:YES] retain];
	NSRunLoop* runLoop = [NSRunLoop mainRunLoop];
	[runLoop addTimer:timer forMode:NSDefaultRunLoopMode];
	[runLoop addTimer:timer forMode:NSEventTrackingRunLoopMode];
	[pool release];
	return true;
}

bool CocoaTimer::stop ()
{
	if (!timer)
		return false;
	// An invalidated timer leaves the run loop and never fires again.
	[timer invalidate];
	[timer release];
	timer = nullptr;
	return true;
}

void CocoaTimer::fire ()
{
	// The callback may let this timer go.
	SharedPointer<CocoaTimer> keep (this);
	if (callback)
		callback->fire ();
}

} // VSTGUI
