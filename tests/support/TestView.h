// A named view that logs what happens to it ("NAME draw", "NAME removed", the
// mouse calls...) and runs a test's hooks at chosen points; it answers the
// mouse as told.
#pragma once

#include "EventLog.h"
#include "Named.h"

#include "lib/cview.h"

#include <functional>
#include <string>

namespace Tolvik::Testing {

class TestView : public VSTGUI::CView, public Named
{
public:
	// Without a log, the view logs nothing.
	TestView (EventLog* log, std::string name, const VSTGUI::CRect& size = {0, 0, 10, 10});

	// Hooks, run after the entry is logged.
	std::function<void ()> whenDrawn;
	std::function<void ()> whenRemoved;
	std::function<void ()> whenMouseDown;
	VSTGUI::CMouseEventResult mouseAnswer {VSTGUI::kMouseEventNotImplemented};

	void draw (VSTGUI::CDrawContext* context) override;
	void invalid () override;
	bool attached (VSTGUI::CViewContainer* parent) override;
	bool removed (VSTGUI::CViewContainer* parent) override;
	void takeFocus () override;
	void looseFocus () override;
	VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseUp (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseMoved (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseCancel () override;
	VSTGUI::CMouseEventResult onMouseEntered (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseExited (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	bool onWheel (const VSTGUI::CPoint& where, const VSTGUI::CMouseWheelAxis& axis, const float& distance,
	              const VSTGUI::CButtonState& buttons) override;

private:
	VSTGUI::CMouseEventResult noteAndAnswer (const std::string& what, VSTGUI::CMouseEventResult answer) const;
};

} // Tolvik::Testing
