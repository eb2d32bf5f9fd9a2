// Core Foundation's base: the untyped object reference and the retain and
// release rules every Core Foundation and Core Graphics object follows.
//
// Ownership: a function with Create or Copy in its name hands the caller one
// reference, which the caller gives back with CFRelease (or the type's own
// Release function). A Get function hands out a reference it does not own.
#pragma once

#include <MacTypes.h>

#include <cstddef>

typedef const void* CFTypeRef;
typedef long CFIndex;

extern "C" {

// Adds one reference and returns the object.
CFTypeRef CFRetain (CFTypeRef object);
// Gives up one reference; the last one destroys the object. Null is ignored.
void CFRelease (CFTypeRef object);
CFIndex CFGetRetainCount (CFTypeRef object);
// Hands one reference of the caller's to the calling thread's autorelease
// pool, which gives it up later, and returns the object. As on a Mac, that
// is the thread's Objective-C autorelease pool when Foundation is in the
// process and the thread has one. Otherwise this platform keeps a list for
// the thread, given up when the thread ends.
CFTypeRef CFAutorelease (CFTypeRef object);

} // extern "C"
