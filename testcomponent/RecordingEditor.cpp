#include "RecordingEditor.h"

#include "lib/cframe.h"

#include <algorithm>

namespace Tolvik::Testing {

std::vector<std::string> EditorLog::names () const
{
	std::vector<std::string> result;
	for (const auto& call : calls)
		result.push_back (call.name);
	return result;
}

size_t EditorLog::count (const std::string& name) const
{
	return static_cast<size_t> (std::count_if (calls.begin (), calls.end (),
	                                           [&] (const EditorCall& c) { return c.name == name; }));
}

RecordingEditor::RecordingEditor (std::shared_ptr<EditorLog> log) : calls (std::move (log)) {}

RecordingEditor::~RecordingEditor () noexcept
{
	record ("destroy");
	dropFrame ();
}

void RecordingEditor::setFrameRect (const VSTGUI::CRect& rect)
{
	hasFrameRect = true;
	frameRect = rect;
}

EditorCall& RecordingEditor::record (const char* name) const
{
	return calls->add ({name});
}

void RecordingEditor::dropFrame ()
{
	if (auto old = std::exchange (frame, nullptr))
		old->close ();
}

void RecordingEditor::doIdle () { record ("doIdle"); }

int32_t RecordingEditor::getKnobMode () const
{
	record ("getKnobMode");
	return knobMode;
}

void RecordingEditor::beginEdit (int32_t index) { record ("beginEdit").index = index; }
void RecordingEditor::endEdit (int32_t index) { record ("endEdit").index = index; }

VSTGUI::CMouseEventResult RecordingEditor::onUnhandledMouseDown (VSTGUI::CPoint& where,
                                                                 const VSTGUI::CButtonState& buttons)
{
	auto& call = record ("onUnhandledMouseDown");
	call.argument = &where;
	call.buttons = buttons;
	return mouseDownAnswer;
}

VSTGUI::CMouseEventResult RecordingEditor::onUnhandledMouseUp (VSTGUI::CPoint& where,
                                                               const VSTGUI::CButtonState& buttons)
{
	auto& call = record ("onUnhandledMouseUp");
	call.argument = &where;
	call.buttons = buttons;
	return mouseUpAnswer;
}

bool RecordingEditor::beforeSizeChange (const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize)
{
	auto& call = record ("beforeSizeChange");
	call.newSize = newSize;
	call.oldSize = oldSize;
	return sizeChangeAnswer;
}

VSTGUI::CFrame* RecordingEditor::getFrame () const
{
	record ("getFrame");
	return frame;
}

bool RecordingEditor::getRect (ERect** rect)
{
	record ("getRect").argument = rect;
	if (rect)
		*rect = &this->rect;
	return true;
}

void RecordingEditor::idle () { record ("idle"); }

bool RecordingEditor::open (void* parentView)
{
	record ("open").argument = parentView;
	if (hasFrameRect && !frame)
	{
		frame = new VSTGUI::CFrame (frameRect, this);
		if (whenFrameMade)
			whenFrameMade (*frame);
		frame->open (parentView);
	}
	return true;
}

void RecordingEditor::close ()
{
	record ("close");
	dropFrame ();
	if (ownerOnClose)
		owner = *ownerOnClose;
}

} // Tolvik::Testing
