// Holds a frame's drawing lock on a thread of its own: from construction,
// which returns once the lock is held, until release (or the end of its life).
#pragma once

#include "Job.h"
#include "Signal.h"

#include "lib/vstguifwd.h"

namespace Tolvik::Testing {

class OutsideHolder
{
public:
	explicit OutsideHolder (VSTGUI::CFrame& frame);
	~OutsideHolder ();
	OutsideHolder (const OutsideHolder&) = delete;
	OutsideHolder& operator= (const OutsideHolder&) = delete;

	// Unlocks on the holding thread and waits until that thread has ended.
	void release ();

private:
	Signal held;
	Signal finish;
	Job job;
};

} // Tolvik::Testing
