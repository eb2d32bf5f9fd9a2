// A thread that runs one job and says when it is done. It is joined at the
// latest when it goes, so a test never leaves a thread running.
#pragma once

#include "Signal.h"

#include <functional>
#include <thread>

namespace Tolvik::Testing {

class Job
{
public:
	explicit Job (std::function<void ()> work);
	~Job ();
	Job (const Job&) = delete;
	Job& operator= (const Job&) = delete;

	void join ();
	bool isDone () const { return done.isNotified (); }
	void waitUntilDone () { done.wait (); }

private:
	Signal done;
	std::thread thread;
};

} // Tolvik::Testing
