// A stand-in for the component's plug-in editor. It records every call it
// receives, in order, into a log that outlives it, and answers with values
// the caller sets: the frame rectangle it opens (or none), its owner
// pointer, its knob mode and its answers to the mouse and size callbacks.
#pragma once

#include "lib/pluginguieditor.h"

#include <memory>
#include <string>
#include <vector>

namespace Tolvik::Testing {

struct EditorCall
{
	std::string name;
	void* argument {nullptr}; // open: the parent view; the mouse calls: the point object
	VSTGUI::CButtonState buttons {};
};

class EditorLog
{
public:
	void add (EditorCall call) { calls.push_back (std::move (call)); }
	const std::vector<EditorCall>& all () const { return calls; }
	std::vector<std::string> names () const;
	size_t count (const std::string& name) const;
	void clear () { calls.clear (); }

private:
	std::vector<EditorCall> calls;
};

class RecordingEditor : public PluginGUIEditor
{
public:
	explicit RecordingEditor (std::shared_ptr<EditorLog> log);
	~RecordingEditor () noexcept override;

	// open makes a frame of this rectangle, owned by the editor until close;
	// without one the editor has no frame.
	void setFrameRect (const VSTGUI::CRect& rect);
	void setKnobMode (int32_t mode) { knobMode = mode; }
	void setMouseDownAnswer (VSTGUI::CMouseEventResult r) { mouseDownAnswer = r; }
	void setMouseUpAnswer (VSTGUI::CMouseEventResult r) { mouseUpAnswer = r; }
	void setSizeChangeAnswer (bool answer) { sizeChangeAnswer = answer; }

	const EditorLog& log () const { return *calls; }

	// VSTGUIEditorInterface
	void doIdle () override;
	int32_t getKnobMode () const override;
	void beginEdit (int32_t index) override;
	void endEdit (int32_t index) override;
	VSTGUI::CMouseEventResult onUnhandledMouseDown (VSTGUI::CPoint& where,
	                                                const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onUnhandledMouseUp (VSTGUI::CPoint& where,
	                                              const VSTGUI::CButtonState& buttons) override;
	bool beforeSizeChange (const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) override;
	VSTGUI::CFrame* getFrame () const override;

	// PluginGUIEditor
	bool getRect (ERect** rect) override;
	void idle () override;
	bool open (void* parentView) override;
	void close () override;

private:
	void record (const char* name, void* argument = nullptr, VSTGUI::CButtonState buttons = {}) const;
	void dropFrame ();

	std::shared_ptr<EditorLog> calls;
	bool hasFrameRect {false};
	VSTGUI::CRect frameRect;
	int32_t knobMode {-1};
	VSTGUI::CMouseEventResult mouseDownAnswer {VSTGUI::kMouseEventNotHandled};
	VSTGUI::CMouseEventResult mouseUpAnswer {VSTGUI::kMouseEventNotHandled};
	bool sizeChangeAnswer {true};
};

} // Tolvik::Testing
