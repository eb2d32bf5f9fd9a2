// A one-shot signal between threads: one thread waits until another has
// notified; once notified it stays so.
#pragma once

#include <condition_variable>
#include <mutex>

namespace Tolvik::Testing {

class Signal
{
public:
	void notify ();
	void wait ();
	bool isNotified () const;

private:
	mutable std::mutex mutex;
	std::condition_variable changed;
	bool notified {false};
};

} // Tolvik::Testing
