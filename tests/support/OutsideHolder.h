// Holds a lock word on a thread of its own, through its exported lock and
// unlock operations: from construction, which returns once the word is held,
// until release (or the end of its life).
#pragma once

#include "Job.h"
#include "Signal.h"

#include "lib/vstguifwd.h"

#include <functional>

namespace VSTGUI {
class COptionMenu;
}

namespace Tolvik::Testing {

class OutsideHolder
{
public:
	// A frame's drawing lock.
	explicit OutsideHolder (VSTGUI::CFrame& frame);
	// An option menu's list lock.
	explicit OutsideHolder (VSTGUI::COptionMenu& menu);
	OutsideHolder (std::function<void ()> lock, std::function<void ()> unlock);
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
