#include "PadWorker.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

PadWorker::PadWorker (int seed, CViewContainer& pad) : random (static_cast<unsigned> (seed)), pad (pad) {}

void PadWorker::round ()
{
	const auto x = static_cast<CCoord> (random () % 40), y = static_cast<CCoord> (random () % 80);
	CountedView* view = random () % 3 == 0 ? new EditingView : new CountedView;
	view->setViewSize (CRect (x, y, x + 10, y + 10), false);
	pad.addView (view);
	mine.push_back (view);

	auto sub = new CViewContainer (CRect (0, 0, 20, 20));
	sub->addView (new CountedView);
	pad.addView (sub);
	pad.removeView (sub, true); // ends it, and its child, inside the removal

	if (mine.size () > 4)
	{
		auto index = random () % mine.size ();
		pad.removeView (mine[index], true);
		mine.erase (mine.begin () + static_cast<long> (index));
	}
	if (random () % 40 == 0)
	{
		pad.removeAll ();
		mine.clear ();
	}
}

PadFrame::PadFrame (CCoord width)
: frame (new CFrame (CRect (0, 0, width, 200), nullptr)), platform (openOnRecordingPlatform (*frame))
{
	for (int i = 0; i < kPads; ++i)
	{
		auto pad = makeOwned<CheckedContainer> ();
		const CCoord left = (i % 4) * 50, top = (i / 4) * 100;
		pad->setViewSize (CRect (left, top, left + 50, top + 100), false);
		pad->remember (); // the frame's reference
		frame->addView (pad);
		pads.push_back (pad);
	}
}

} // Tolvik::Testing
