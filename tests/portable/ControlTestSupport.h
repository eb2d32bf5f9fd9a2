// What the control tests share: a listener that records what it hears, an
// open frame that clicks reach through its platform entries, and strips of
// solid frames to draw.
#pragma once

#include "Names.h"
#include "RecordingEditor.h"
#include "RecordingPlatformFrame.h"

#include "lib/cbitmap.h"
#include "lib/controls/ccontrol.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace Tolvik::Testing {

// Records each call with the control's value at that moment.
class RecordingControlListener : public VSTGUI::IControlListener
{
public:
	struct Call
	{
		std::string name; // "valueChanged", "beginEdit" or "endEdit"
		VSTGUI::CControl* control;
		float value;
	};
	void valueChanged (VSTGUI::CControl* control) override { record ("valueChanged", control); }
	void controlBeginEdit (VSTGUI::CControl* control) override { record ("beginEdit", control); }
	void controlEndEdit (VSTGUI::CControl* control) override { record ("endEdit", control); }

	Names names () const;
	size_t count (const std::string& name) const;
	std::vector<Call> calls;

private:
	void record (const char* name, VSTGUI::CControl* control)
	{
		calls.push_back ({name, control, control->getValue ()});
	}
};

// An open 400 x 300 frame with a recording editor. Mouse events go in
// through the frame's platform entries, at points of the frame, as the
// platform frame delivers them.
struct ControlFrame
{
	ControlFrame ();
	~ControlFrame ();
	ControlFrame (const ControlFrame&) = delete;
	ControlFrame& operator= (const ControlFrame&) = delete;

	// The frame takes the control over.
	template <typename Control>
	Control* add (Control* control)
	{
		frame->addView (control);
		return control;
	}

	VSTGUI::CMouseEventResult down (VSTGUI::CPoint where, int32_t buttons);
	VSTGUI::CMouseEventResult move (VSTGUI::CPoint where, int32_t buttons);
	VSTGUI::CMouseEventResult up (VSTGUI::CPoint where, int32_t buttons);
	// A click: down, then up at the same point.
	VSTGUI::CMouseEventResult click (VSTGUI::CPoint where, int32_t buttons);

	// The editor's edit calls, as "beginEdit 7" and "endEdit 7".
	Names edits () const;
	// Forgets what the editor and the platform frame have recorded so far.
	void clearRecords ();
	// Whether the platform frame was asked to redraw a rectangle that meets
	// `rect`, since the last clearRecords.
	bool redrawn (const VSTGUI::CRect& rect) const;

	std::shared_ptr<EditorLog> log = std::make_shared<EditorLog> ();
	RecordingEditor editor {log};
	VSTGUI::CFrame* frame;
	VSTGUI::SharedPointer<RecordingPlatformFrame> platform;

private:
	size_t redrawsBefore {0};
};

// A bitmap of frames of `width` x `frameHeight` pixels stacked from top to
// bottom, frame i filled with colours[i] (0xRRGGBB), at scale factor 1.
VSTGUI::SharedPointer<VSTGUI::CBitmap> makeSolidStrip (uint32_t width, uint32_t frameHeight,
                                                       std::initializer_list<uint32_t> colours);

// Distinct opaque colours for strips, and the frame whose colour a canvas
// word has (-1 for none of them).
constexpr uint32_t kStripColours[] = {0x102030, 0xe04010, 0x20c040, 0x3050e0, 0xd0d020, 0x902090, 0x10d0d0};
int frameOfColour (uint32_t word);

} // namespace Tolvik::Testing
