// The library's timer on the Cocoa platform: an NSTimer on the main run loop
// that fires in the default mode and while the run loop tracks the mouse.
#import <AppKit/AppKit.h>

#include "lib/cvstguitimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using namespace VSTGUI;

// Runs the main run loop in `mode` until `done` holds or ten seconds have
// passed, whichever comes first.
void runUntil (NSString* mode, const std::function<bool ()>& done)
{
	const auto giveUp = std::chrono::steady_clock::now () + std::chrono::seconds (10);
	while (!done () && std::chrono::steady_clock::now () < giveUp)
		[[NSRunLoop currentRunLoop] runMode:mode beforeDate:[NSDate dateWithTimeIntervalSinceNow:0.02]];
}

TEST (CocoaTimer, FiresInTheDefaultAndTheTrackingModeUntilStopped)
{
	for (NSString* mode : {NSDefaultRunLoopMode, NSEventTrackingRunLoopMode})
	{
		int calls = 0;
		auto timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++calls; }, 5);
		runUntil (mode, [&] { return calls >= 3; });
		EXPECT_GE (calls, 3) << [mode UTF8String];

		timer->stop ();
		const int whenStopped = calls;
		int spins = 0;
		runUntil (mode, [&] { return ++spins > 5; });
		EXPECT_EQ (calls, whenStopped) << [mode UTF8String] << ": no tick after the stop";
	}
}

TEST (CocoaTimer, ACallbackMayLetTheLastReferenceGo)
{
	int calls = 0;
	SharedPointer<CVSTGUITimer> timer;
	timer = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer*) {
		    ++calls;
		    timer = nullptr;
	    },
	    5);
	runUntil (NSDefaultRunLoopMode, [&] { return calls > 0; });
	int spins = 0;
	runUntil (NSDefaultRunLoopMode, [&] { return ++spins > 5; });
	EXPECT_EQ (calls, 1);
	EXPECT_EQ (timer, nullptr);
}

} // namespace
