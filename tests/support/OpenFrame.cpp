#include "OpenFrame.h"

#include "ViewNames.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

OpenFrame::OpenFrame (Editor withEditor)
: frame (makeOwned<CFrame> (CRect (0, 0, 200, 200), withEditor == Editor::recording ? &editor : nullptr))
, platform (openOnRecordingPlatform (*frame))
{
	frame->addView (painter);
	frame->addView (box);
	box->registerViewContainerListener (&listener);
	frame->registerMouseObserver (&frameObserver);
	log.watch (frame);
	log.clear ();
}

OpenFrame::~OpenFrame ()
{
	frame->unregisterMouseObserver (&frameObserver);
	frame->unregisterViewAddedRemovedObserver (&frameObserver);
}

bool OpenFrame::draw (const CRect& rect)
{
	return frame->platformDrawRect (&context, rect);
}

TestView* OpenFrame::addToBox (const std::string& name)
{
	auto view = new TestView (&log, name);
	box->addView (view);
	return view;
}

Names OpenFrame::childNames () const
{
	return childNamesOf (*box);
}

} // Tolvik::Testing
