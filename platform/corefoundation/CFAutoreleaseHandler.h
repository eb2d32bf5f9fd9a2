// Where CFAutorelease sends its references when the process has a pool of
// its own to put them in (Foundation's, see ../foundation).
#pragma once

#include <CoreFoundation/CFBase.h>

namespace CFStandIn {

// Takes over one reference of the caller's and returns true, or returns
// false to leave it to the calling thread's own list.
using AutoreleaseHandler = bool (*) (CFTypeRef object);

// Installs the handler (null: none), for every thread.
void setAutoreleaseHandler (AutoreleaseHandler handler);

} // namespace CFStandIn
