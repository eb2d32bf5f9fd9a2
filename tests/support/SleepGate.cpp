#include "SleepGate.h"

#include <condition_variable>
#include <mutex>

#include <time.h>
#include <unistd.h>

namespace Tolvik::Testing::SleepGate {

namespace {

struct State
{
	std::mutex mutex;
	std::condition_variable changed;
	bool closed {false};
	// Threads parked since the gate last let its sleepers go.
	size_t parked {0};
	uint64_t generation {0};
};

State& state ()
{
	static State instance;
	return instance;
}

thread_local uint64_t threadSleeps = 0;

void park (State& s, std::unique_lock<std::mutex>& lock)
{
	const auto generation = s.generation;
	++s.parked;
	s.changed.notify_all ();
	s.changed.wait (lock, [&] { return s.generation != generation; });
}

void letSleepersGo (State& s)
{
	++s.generation;
	s.parked = 0;
	s.changed.notify_all ();
}

} // namespace

uint64_t sleepsOnThisThread ()
{
	return threadSleeps;
}

void close ()
{
	std::lock_guard<std::mutex> lock (state ().mutex);
	state ().closed = true;
}

void open ()
{
	std::lock_guard<std::mutex> lock (state ().mutex);
	state ().closed = false;
	letSleepersGo (state ());
}

void waitForParked (size_t count)
{
	waitForParkedOr (count, [] { return false; });
}

void waitForParkedOr (size_t count, const std::function<bool ()>& stop)
{
	std::unique_lock<std::mutex> lock (state ().mutex);
	state ().changed.wait (lock, [&] { return state ().parked >= count || stop (); });
}

void wake ()
{
	std::lock_guard<std::mutex> lock (state ().mutex);
	state ().changed.notify_all ();
}

void releaseParked ()
{
	std::lock_guard<std::mutex> lock (state ().mutex);
	letSleepersGo (state ());
}

} // Tolvik::Testing::SleepGate

using namespace Tolvik::Testing::SleepGate;

// In the same file as the gate's functions: a program that calls any of them
// links this object from the test support library, and with it this usleep in
// place of the C library's.
extern "C" int usleep (useconds_t microseconds)
{
	++threadSleeps;
	{
		auto& s = state ();
		std::unique_lock<std::mutex> lock (s.mutex);
		if (s.closed)
		{
			park (s, lock);
			return 0;
		}
	}
	timespec duration {static_cast<time_t> (microseconds / 1000000), static_cast<long> (microseconds % 1000000) * 1000};
	return nanosleep (&duration, nullptr);
}
