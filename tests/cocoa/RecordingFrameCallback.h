// A frame callback that records what the platform frame hands it: the calls
// in order, with their points, button states and wheel arguments.
#pragma once

#include "lib/platform/iplatformframecallback.h"

#include <string>
#include <vector>

namespace Tolvik::Testing {

struct FrameCall
{
	std::string name;
	VSTGUI::CPoint where {};
	int32_t buttons {0};
	VSTGUI::CMouseWheelAxis axis {VSTGUI::kMouseWheelAxisX};
	float distance {0};
	double scale {0};
	bool state {false};
	bool operator== (const FrameCall& other) const
	{
		return name == other.name && where == other.where && buttons == other.buttons && axis == other.axis &&
		       distance == other.distance;
	}
};

class RecordingFrameCallback : public VSTGUI::IPlatformFrameCallback
{
public:
	virtual ~RecordingFrameCallback () noexcept = default;

	std::vector<FrameCall> calls;
	std::vector<FrameCall> callsNamed (const std::string& name) const;

	bool platformDrawRect (VSTGUI::CDrawContext*, const VSTGUI::CRect& rect) override;
	VSTGUI::CMouseEventResult platformOnMouseDown (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult platformOnMouseMoved (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult platformOnMouseUp (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult platformOnMouseExited (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
	bool platformOnMouseWheel (const VSTGUI::CPoint& where, const VSTGUI::CMouseWheelAxis& axis, const float& distance,
	                           const VSTGUI::CButtonState& buttons) override;
	VSTGUI::DragOperation platformOnDragEnter (VSTGUI::DragEventData) override { return VSTGUI::DragOperation::None; }
	VSTGUI::DragOperation platformOnDragMove (VSTGUI::DragEventData) override { return VSTGUI::DragOperation::None; }
	void platformOnDragLeave (VSTGUI::DragEventData) override {}
	bool platformOnDrop (VSTGUI::DragEventData) override { return false; }
	bool platformOnKeyDown (VSTGUI::VstKeyCode&) override { return false; }
	bool platformOnKeyUp (VSTGUI::VstKeyCode&) override { return false; }
	void platformOnActivate (bool state) override;
	void platformOnWindowActivate (bool state) override;
	void platformOnDeminiaturize () override;
	void platformScaleFactorChanged (double newScaleFactor) override;

private:
	VSTGUI::CMouseEventResult mouse (const char* name, const VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons);
};

} // Tolvik::Testing
