// A container listener that logs "added NAME" and "removed NAME", then runs
// the test's hook for that event.
#pragma once

#include "EventLog.h"

#include "lib/iviewlistener.h"

#include <functional>

namespace Tolvik::Testing {

class LoggingContainerListener : public VSTGUI::ViewContainerListenerAdapter
{
public:
	explicit LoggingContainerListener (EventLog& log) : log (log) {}
	std::function<void (VSTGUI::CView*)> whenAdded;
	std::function<void (VSTGUI::CView*)> whenRemoved;

	void viewContainerViewAdded (VSTGUI::CViewContainer* container, VSTGUI::CView* view) override;
	void viewContainerViewRemoved (VSTGUI::CViewContainer* container, VSTGUI::CView* view) override;

private:
	EventLog& log;
};

} // Tolvik::Testing
