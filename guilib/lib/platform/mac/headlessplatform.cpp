#include "headlessplatform.h"

namespace VSTGUI {

bool HeadlessTimer::start (uint32_t intervalMilliseconds)
{
	interval = intervalMilliseconds;
	running = true;
	return true;
}

bool HeadlessTimer::stop ()
{
	return std::exchange (running, false);
}

void HeadlessTimer::fire ()
{
	// The callback may let the timer go.
	SharedPointer<HeadlessTimer> keep (this);
	if (running && callback)
		callback->fire ();
}

SharedPointer<IPlatformTimer> HeadlessPlatformFactory::createTimer (IPlatformTimerCallback* callback) const
{
	return makeOwned<HeadlessTimer> (callback);
}

// No frame opens unless the caller hands the frame a factory of its own.
const IPlatformFactory& getPlatformFactory ()
{
	static const HeadlessPlatformFactory factory;
	return factory;
}

} // VSTGUI
