// The platform's repeating timer, made by the platform factory.
#pragma once

#include "../vstguibase.h"

#include <cstdint>

namespace VSTGUI {

// What a platform timer calls at each interval, on the main thread.
class IPlatformTimerCallback
{
public:
	virtual void fire () = 0;

protected:
	~IPlatformTimerCallback () noexcept = default;
};

// Calls its callback every interval from start to stop. Main thread: it is
// started and stopped there, and it calls back there. The callback may stop
// the timer, or let it go, from inside its call.
class IPlatformTimer : public ReferenceCounted
{
public:
	// Starts, or starts again with a new interval, in milliseconds; the first
	// call comes one interval later. False when the platform cannot run it.
	virtual bool start (uint32_t intervalMilliseconds) = 0;
	// No call comes after it. False when the timer was not running.
	virtual bool stop () = 0;
};

} // VSTGUI
