#include "Job.h"

#include "SleepGate.h"

namespace Tolvik::Testing {

Job::Job (std::function<void ()> work)
: thread ([this, work = std::move (work)] {
	  work ();
	  done.notify ();
	  SleepGate::wake (); // a test waiting for parked threads looks again
  })
{
}

Job::~Job ()
{
	join ();
}

void Job::join ()
{
	if (thread.joinable ())
		thread.join ();
}

} // Tolvik::Testing
