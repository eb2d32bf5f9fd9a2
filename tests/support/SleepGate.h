// The library's lock waits sleep through usleep between two polls. The gate
// defines usleep for the program that uses it, so that a test can count the
// sleeps of a thread and, with the gate closed, hold waiting threads in their
// sleep until it lets them go: cross-thread tests then wait on state, never
// on time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace Tolvik::Testing::SleepGate {

// Sleeps that the calling thread has begun since it started.
uint64_t sleepsOnThisThread ();

// While closed, a sleeper parks until the test releases it instead of
// sleeping; open, it sleeps for real. Open at start.
void close ();
void open ();
// Blocks until at least `count` threads are parked.
void waitForParked (size_t count);
// Blocks until at least `count` threads are parked or `stop` answers true;
// whoever makes `stop` true then calls wake.
void waitForParkedOr (size_t count, const std::function<bool ()>& stop);
void wake ();
// Lets every thread parked now poll once more.
void releaseParked ();

// Closes the gate for its life; opening it at the end lets all sleepers go.
struct Closed
{
	Closed () { close (); }
	~Closed () { open (); }
	Closed (const Closed&) = delete;
	Closed& operator= (const Closed&) = delete;
};

} // Tolvik::Testing::SleepGate
