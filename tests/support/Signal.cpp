#include "Signal.h"

namespace Tolvik::Testing {

void Signal::notify ()
{
	std::lock_guard<std::mutex> lock (mutex);
	notified = true;
	changed.notify_all ();
}

void Signal::wait ()
{
	std::unique_lock<std::mutex> lock (mutex);
	changed.wait (lock, [this] { return notified; });
}

bool Signal::isNotified () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return notified;
}

} // Tolvik::Testing
