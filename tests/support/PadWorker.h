// A frame of pads, and the workers that edit them from threads of their own,
// for the stress runs.
#pragma once

#include "CountedObjects.h"
#include "RecordingPlatformFrame.h"

#include "lib/cframe.h"

#include <random>
#include <vector>

namespace Tolvik::Testing {

// Adds counted views (a third of them editing views) at random places of its
// pad and takes them out again, adds and removes a container with a child,
// and now and then empties the pad. It keeps its own list: it never reads
// the pad's child list, which clicks on the main thread may change.
class PadWorker
{
public:
	PadWorker (int seed, VSTGUI::CViewContainer& pad);

	void round ();
	// The views of this worker that are in the pad now.
	size_t viewsHeld () const { return mine.size (); }

private:
	std::minstd_rand random;
	VSTGUI::CViewContainer& pad;
	std::vector<VSTGUI::CView*> mine;
};

// A frame `width` wide and 200 high opened on a recording platform frame,
// with eight checked pads of 50 x 100, four a row, from its top-left corner.
struct PadFrame
{
	static constexpr int kPads = 8;

	explicit PadFrame (VSTGUI::CCoord width = 200);

	VSTGUI::CFrame* frame;
	VSTGUI::SharedPointer<RecordingPlatformFrame> platform;
	std::vector<VSTGUI::SharedPointer<CheckedContainer>> pads;
};

} // Tolvik::Testing
