// An open frame to test the view tree on: a 200 x 200 frame opened on a
// recording platform frame, an event log that watches it, a logged view
// "painter" at (0, 0, 50, 50) and a logged container "box" at
// (100, 100, 200, 200) with a logging listener, a logging frame observer that
// sees the mouse (a test that wants the views added and removed registers it
// for those too), and a draw context. The log starts empty. Test fixtures
// derive from it beside ::testing::Test; a table test makes one a case.
#pragma once

#include "EventLog.h"
#include "LoggingContainerListener.h"
#include "LoggingFrameObserver.h"
#include "Names.h"
#include "RecordingDrawContext.h"
#include "RecordingEditor.h"
#include "RecordingPlatformFrame.h"
#include "TestContainer.h"
#include "TestView.h"

#include "lib/cframe.h"

#include <memory>
#include <string>

namespace Tolvik::Testing {

struct OpenFrame
{
	enum class Editor
	{
		none,
		recording, // the frame's editor is `editor`, which records into `editorLog`
	};

	explicit OpenFrame (Editor withEditor = Editor::none);
	~OpenFrame ();
	OpenFrame (const OpenFrame&) = delete;
	OpenFrame& operator= (const OpenFrame&) = delete;

	// Draws `rect` of the frame into `context`, as the platform asks.
	bool draw (const VSTGUI::CRect& rect = VSTGUI::CRect (0, 0, 200, 200));
	// Adds a logged view of that name to the box.
	TestView* addToBox (const std::string& name);
	Names childNames () const;

	EventLog log;
	LoggingContainerListener listener {log};
	LoggingFrameObserver frameObserver {log};
	std::shared_ptr<EditorLog> editorLog = std::make_shared<EditorLog> ();
	RecordingEditor editor {editorLog};
	VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
	VSTGUI::SharedPointer<RecordingPlatformFrame> platform;
	TestView* painter = new TestView (&log, "painter", VSTGUI::CRect (0, 0, 50, 50));
	TestContainer* box = new TestContainer (&log, "box", VSTGUI::CRect (100, 100, 200, 200));
	RecordingDrawContext context;
};

} // Tolvik::Testing
