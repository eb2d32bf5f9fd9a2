// The platform of programs that draw but show nothing (tests, benchmarks):
// Core Graphics bitmaps, no platform views, and timers that only their
// owner fires, so that what a timer drives can be stepped without waiting.
#pragma once

#include "../iplatformtimer.h"
#include "cgplatformfactory.h"

namespace VSTGUI {

// A timer with no clock: it records whether it runs and at which interval,
// and calls back when fire is called while it runs.
class HeadlessTimer : public IPlatformTimer
{
public:
	explicit HeadlessTimer (IPlatformTimerCallback* callback) : callback (callback) {}

	bool start (uint32_t intervalMilliseconds) override;
	bool stop () override;

	bool isRunning () const { return running; }
	uint32_t getInterval () const { return interval; }
	// One interval has passed: calls back if the timer runs. Main thread.
	void fire ();

private:
	IPlatformTimerCallback* callback;
	bool running {false};
	uint32_t interval {0};
};

class HeadlessPlatformFactory : public CGPlatformFactory
{
public:
	SharedPointer<IPlatformTimer> createTimer (IPlatformTimerCallback* callback) const override;
};

} // VSTGUI
