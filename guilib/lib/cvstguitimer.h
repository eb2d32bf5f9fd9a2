// A repeating timer of the library: calls a function at a fixed interval, on
// the main thread, through a timer that the platform factory makes.
#pragma once

#include "platform/iplatformfactory.h"
#include "platform/iplatformtimer.h"
#include "vstguibase.h"

#include <cstdint>
#include <functional>

namespace VSTGUI {

class CVSTGUITimer : public ReferenceCounted, private IPlatformTimerCallback
{
public:
	using Callback = std::function<void (CVSTGUITimer* timer)>;

	// Every `fireTime` milliseconds once started. `factory` makes the
	// platform timer here and is not kept. Main thread, like every operation.
	CVSTGUITimer (Callback callback, uint32_t fireTime = 100, bool doStart = true,
	              const IPlatformFactory& factory = getPlatformFactory ());
	~CVSTGUITimer () noexcept override;
	CVSTGUITimer (const CVSTGUITimer&) = delete;
	CVSTGUITimer& operator= (const CVSTGUITimer&) = delete;

	// False when the platform has no timer to run.
	bool start ();
	// False when the timer was not running.
	bool stop ();
	bool isRunning () const { return running; }

	// A running timer goes on at the new interval.
	void setFireTime (uint32_t newFireTime);
	uint32_t getFireTime () const { return fireTime; }

	IPlatformTimer* getPlatformTimer () const { return platformTimer; }

private:
	// The callback may let the last reference to the timer go.
	void fire () override;

	Callback callback;
	uint32_t fireTime;
	bool running {false};
	SharedPointer<IPlatformTimer> platformTimer;
};

} // VSTGUI
