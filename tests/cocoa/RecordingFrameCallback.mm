#include "RecordingFrameCallback.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

std::vector<FrameCall> RecordingFrameCallback::callsNamed (const std::string& name) const
{
	std::vector<FrameCall> result;
	for (const auto& call : calls)
		if (call.name == name)
			result.push_back (call);
	return result;
}

bool RecordingFrameCallback::platformDrawRect (CDrawContext*, const CRect& rect)
{
	FrameCall call {"draw"};
	call.where = rect.getTopLeft ();
	calls.push_back (call);
	return true;
}

CMouseEventResult RecordingFrameCallback::mouse (const char* name, const CPoint& where, const CButtonState& buttons)
{
	calls.push_back ({name, where, buttons ()});
	return kMouseEventHandled;
}

CMouseEventResult RecordingFrameCallback::platformOnMouseDown (CPoint& where, const CButtonState& buttons)
{
	return mouse ("down", where, buttons);
}

CMouseEventResult RecordingFrameCallback::platformOnMouseMoved (CPoint& where, const CButtonState& buttons)
{
	return mouse ("moved", where, buttons);
}

CMouseEventResult RecordingFrameCallback::platformOnMouseUp (CPoint& where, const CButtonState& buttons)
{
	return mouse ("up", where, buttons);
}

CMouseEventResult RecordingFrameCallback::platformOnMouseExited (CPoint& where, const CButtonState& buttons)
{
	return mouse ("exited", where, buttons);
}

bool RecordingFrameCallback::platformOnMouseWheel (const CPoint& where, const CMouseWheelAxis& axis,
                                                   const float& distance, const CButtonState& buttons)
{
	calls.push_back ({"wheel", where, buttons (), axis, distance});
	return true;
}

void RecordingFrameCallback::platformOnActivate (bool state)
{
	FrameCall call {"activate"};
	call.state = state;
	calls.push_back (call);
}

void RecordingFrameCallback::platformOnWindowActivate (bool state)
{
	FrameCall call {"windowActivate"};
	call.state = state;
	calls.push_back (call);
}

void RecordingFrameCallback::platformOnDeminiaturize ()
{
	calls.push_back ({"deminiaturize"});
}

void RecordingFrameCallback::platformScaleFactorChanged (double newScaleFactor)
{
	FrameCall call {"scaleFactor"};
	call.scale = newScaleFactor;
	calls.push_back (call);
}

} // Tolvik::Testing
