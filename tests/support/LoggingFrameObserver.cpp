#include "LoggingFrameObserver.h"

#include "ViewNames.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

void LoggingFrameObserver::onViewAdded (CFrame*, CView* view)
{
	log.add ("frame saw " + nameOf (view) + " added");
}

void LoggingFrameObserver::onViewRemoved (CFrame*, CView* view)
{
	log.add ("frame saw " + nameOf (view) + " removed");
}

CMouseEventResult LoggingFrameObserver::onMouseDown (CFrame*, const CPoint&, const CButtonState&)
{
	log.add ("observer mouseDown");
	return kMouseEventNotHandled;
}

} // Tolvik::Testing
