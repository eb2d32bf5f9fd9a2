// An observer of a frame that logs what the frame tells it: "frame saw NAME
// added", "frame saw NAME removed" as a view-added-removed observer, and
// "observer mouseDown" as a mouse observer, where it lets the event go on.
// A test registers it as either or both.
#pragma once

#include "EventLog.h"

#include "lib/cframe.h"

namespace Tolvik::Testing {

class LoggingFrameObserver : public VSTGUI::IViewAddedRemovedObserver, public VSTGUI::IMouseObserver
{
public:
	explicit LoggingFrameObserver (EventLog& log) : log (log) {}

	void onViewAdded (VSTGUI::CFrame* frame, VSTGUI::CView* view) override;
	void onViewRemoved (VSTGUI::CFrame* frame, VSTGUI::CView* view) override;

	void onMouseEntered (VSTGUI::CView*, VSTGUI::CFrame*) override {}
	void onMouseExited (VSTGUI::CView*, VSTGUI::CFrame*) override {}
	VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CFrame* frame, const VSTGUI::CPoint& where,
	                                       const VSTGUI::CButtonState& buttons) override;

private:
	EventLog& log;
};

} // Tolvik::Testing
