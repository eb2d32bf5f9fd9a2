// The library's timer over the platform timer that the factory makes: here
// the headless one, which the tests fire by hand.
#include "lib/cvstguitimer.h"
#include "lib/platform/mac/headlessplatform.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;

HeadlessTimer& headlessTimerOf (const CVSTGUITimer& timer)
{
	return *static_cast<HeadlessTimer*> (timer.getPlatformTimer ());
}

TEST (CVSTGUITimer, CallsBackAtEachTickWhileItRuns)
{
	int calls = 0;
	CVSTGUITimer* calledWith = nullptr;
	auto timer = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer* t) {
		    ++calls;
		    calledWith = t;
	    },
	    16);
	auto& platform = headlessTimerOf (*timer);
	ASSERT_TRUE (timer->isRunning ());
	EXPECT_TRUE (platform.isRunning ());
	EXPECT_EQ (platform.getInterval (), 16u);
	platform.fire ();
	platform.fire ();
	EXPECT_EQ (calls, 2);
	EXPECT_EQ (calledWith, timer.get ());

	timer->setFireTime (40);
	EXPECT_TRUE (platform.isRunning ());
	EXPECT_EQ (platform.getInterval (), 40u);

	EXPECT_TRUE (timer->stop ());
	EXPECT_FALSE (platform.isRunning ());
	platform.fire ();
	EXPECT_EQ (calls, 2);
	EXPECT_FALSE (timer->stop ()) << "it was not running";
}

TEST (CVSTGUITimer, MadeStoppedItRunsOnlyOnceStarted)
{
	int calls = 0;
	auto timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++calls; }, 100, false);
	auto& platform = headlessTimerOf (*timer);
	timer->setFireTime (25);
	EXPECT_FALSE (platform.isRunning ());
	platform.fire ();
	EXPECT_EQ (calls, 0);
	EXPECT_TRUE (timer->start ());
	EXPECT_EQ (platform.getInterval (), 25u);
	platform.fire ();
	EXPECT_EQ (calls, 1);
}

// The ramp and the wheel edit drop their timer from its own callback.
TEST (CVSTGUITimer, ACallbackMayLetTheLastReferenceGo)
{
	int calls = 0;
	SharedPointer<CVSTGUITimer> timer;
	timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) {
		++calls;
		timer = nullptr;
	});
	SharedPointer<IPlatformTimer> platform (timer->getPlatformTimer ());
	auto& headless = *static_cast<HeadlessTimer*> (platform.get ());
	headless.fire ();
	EXPECT_EQ (calls, 1);
	EXPECT_EQ (timer, nullptr);
	EXPECT_FALSE (headless.isRunning ()) << "the timer stops as it goes";
	headless.fire ();
	EXPECT_EQ (calls, 1);
}

TEST (CVSTGUITimer, AFactoryWithoutTimersGivesATimerThatNeverRuns)
{
	const CGPlatformFactory noTimers;
	CVSTGUITimer timer ([] (CVSTGUITimer*) {}, 16, true, noTimers);
	EXPECT_EQ (timer.getPlatformTimer (), nullptr);
	EXPECT_FALSE (timer.isRunning ());
	EXPECT_FALSE (timer.start ());
	timer.setFireTime (10);
	EXPECT_FALSE (timer.stop ());
}

} // namespace
