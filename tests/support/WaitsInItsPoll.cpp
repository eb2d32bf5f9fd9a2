#include "WaitsInItsPoll.h"

#include "SleepGate.h"

namespace Tolvik::Testing {

::testing::AssertionResult waitsInItsPoll (const Job& job, size_t count)
{
	SleepGate::waitForParkedOr (count, [&] { return job.isDone (); });
	if (job.isDone ())
		return ::testing::AssertionFailure () << "it went on without waiting for the word";
	return ::testing::AssertionSuccess ();
}

} // Tolvik::Testing
