// Diagnostics of this platform's Core Foundation stand-in, for tests and
// benchmarks only: no Mac has these. Core Graphics objects are Core
// Foundation objects, so they count here too.
#pragma once

#include <cstdint>

namespace CFStandIn {

// Objects created since the process started, on any thread.
uint64_t objectsCreated ();
// Objects alive now, on any thread.
int64_t objectsAlive ();
// Gives up the references that CFAutorelease has put in the calling thread's
// own list (those it handed to an Objective-C pool go with that pool), as the
// run loop's pool does at the end of an event on a Mac.
void drainAutoreleasePool ();

} // namespace CFStandIn
