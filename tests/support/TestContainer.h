// A named container that logs its background draws, its removal and its end
// ("NAME background", "NAME removed", "NAME destroyed").
#pragma once

#include "EventLog.h"
#include "Named.h"

#include "lib/cviewcontainer.h"

#include <string>

namespace Tolvik::Testing {

class TestContainer : public VSTGUI::CViewContainer, public Named
{
public:
	// Without a log, the container logs nothing.
	TestContainer (EventLog* log, std::string name, const VSTGUI::CRect& size = {0, 0, 100, 100});
	bool removed (VSTGUI::CViewContainer* parent) override;

protected:
	void drawBackgroundRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& updateRect) override;
};

} // Tolvik::Testing
