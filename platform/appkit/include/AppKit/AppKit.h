// AppKit as the library's Cocoa code expects it: this platform's AppKit plus
// the few Cocoa interfaces that it lacks, which this folder supplies under
// their Cocoa names (see AppKitAdditions.h).
#pragma once

#include_next <AppKit/AppKit.h>

#include <AppKit/AppKitAdditions.h>
