// A stand-in for the component's plug-in editor. It records every call it
// receives, in order and with every argument, into a log that outlives it,
// and answers with values the caller sets: the frame rectangle it opens (or
// none), its owner pointer (also as close leaves it), its knob mode and its
// answers to the mouse and size callbacks.
#pragma once

#include "lib/pluginguieditor.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Tolvik::Testing {

struct EditorCall
{
	std::string name;
	void* argument {nullptr};        // open: the parent view; the mouse calls: the point object; getRect: its out pointer
	VSTGUI::CButtonState buttons {}; // the mouse calls
	int32_t index {0};               // beginEdit, endEdit
	VSTGUI::CRect newSize {};        // beforeSizeChange
	VSTGUI::CRect oldSize {};        // beforeSizeChange
};

class EditorLog
{
public:
	EditorCall& add (EditorCall call) { return calls.emplace_back (std::move (call)); }
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

	// open makes a frame of this rectangle and opens it in the parent view,
	// with the platform that the program links; the editor owns the frame
	// until close, which closes it. Without a rectangle the editor has no
	// frame.
	void setFrameRect (const VSTGUI::CRect& rect);
	// Runs on each frame that open makes, before the frame opens: puts the
	// editor's views into it.
	std::function<void (VSTGUI::CFrame& frame)> whenFrameMade;
	void setKnobMode (int32_t mode) { knobMode = mode; }
	void setMouseDownAnswer (VSTGUI::CMouseEventResult r) { mouseDownAnswer = r; }
	void setMouseUpAnswer (VSTGUI::CMouseEventResult r) { mouseUpAnswer = r; }
	void setSizeChangeAnswer (bool answer) { sizeChangeAnswer = answer; }
	// close leaves this in the owner pointer (null: no owner), as a component
	// may let go of an editor, or take it over, when its view closes it.
	void setOwnerAfterClose (void* ownerAfterClose) { ownerOnClose = ownerAfterClose; }

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
	EditorCall& record (const char* name) const;
	void dropFrame ();

	std::shared_ptr<EditorLog> calls;
	bool hasFrameRect {false};
	VSTGUI::CRect frameRect;
	int32_t knobMode {-1};
	VSTGUI::CMouseEventResult mouseDownAnswer {VSTGUI::kMouseEventNotHandled};
	VSTGUI::CMouseEventResult mouseUpAnswer {VSTGUI::kMouseEventNotHandled};
	bool sizeChangeAnswer {true};
	std::optional<void*> ownerOnClose;
};

} // Tolvik::Testing
