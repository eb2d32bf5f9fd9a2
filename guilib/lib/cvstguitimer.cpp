#include "cvstguitimer.h"

namespace VSTGUI {

CVSTGUITimer::CVSTGUITimer (Callback callback, uint32_t fireTime, bool doStart, const IPlatformFactory& factory)
: callback (std::move (callback)), fireTime (fireTime), platformTimer (factory.createTimer (this))
{
	if (doStart)
		start ();
}

CVSTGUITimer::~CVSTGUITimer () noexcept
{
	stop ();
}

bool CVSTGUITimer::start ()
{
	if (!running && platformTimer)
		running = platformTimer->start (fireTime);
	return running;
}

bool CVSTGUITimer::stop ()
{
	if (!running)
		return false;
	running = false;
	platformTimer->stop ();
	return true;
}

void CVSTGUITimer::setFireTime (uint32_t newFireTime)
{
	fireTime = newFireTime;
	if (running)
		platformTimer->start (fireTime);
}

void CVSTGUITimer::fire ()
{
	SharedPointer<CVSTGUITimer> keep (this);
	if (callback)
		callback (this);
}

} // VSTGUI
