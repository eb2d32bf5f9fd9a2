// The Cocoa platform timer: an NSTimer on the main run loop. Objective-C++
// only.
#pragma once

#include "../../iplatformtimer.h"

#import <Foundation/NSTimer.h>

namespace VSTGUI {

class CocoaTimer : public IPlatformTimer
{
public:
	explicit CocoaTimer (IPlatformTimerCallback* callback) : callback (callback) {}
	~CocoaTimer () noexcept override;
	CocoaTimer (const CocoaTimer&) = delete;
	CocoaTimer& operator= (const CocoaTimer&) = delete;

	// Scheduled in the default mode and in the mode in which the run loop
	// tracks the mouse and menus, so that it also fires during a drag; this
	// platform never fires timers of the common modes.
	bool start (uint32_t intervalMilliseconds) override;
	bool stop () override;

	// From the NSTimer.
	void fire ();

private:
	IPlatformTimerCallback* callback;
	NSTimer* timer {nullptr};
};

} // VSTGUI
