// A log of what test doubles saw, which any thread may write. With a frame to
// watch, each entry made while that frame's drawing lock is set ends in
// " (locked)", so that a test sees where the lock was held.
#pragma once

#include "Names.h"

#include "lib/vstguifwd.h"

#include <mutex>
#include <string>

namespace Tolvik::Testing {

class EventLog
{
public:
	void watch (VSTGUI::CFrame* frame) { watched = frame; }
	void add (const std::string& entry);
	Names entries () const;
	void clear ();

private:
	mutable std::mutex mutex;
	VSTGUI::CFrame* watched {nullptr};
	Names log;
};

} // Tolvik::Testing
