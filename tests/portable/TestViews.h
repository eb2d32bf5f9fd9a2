// Test doubles for the view tree: views and containers that log what happens
// to them, a container listener, a draw context, a platform frame, and an
// assertion handler that records reports.
#pragma once

#include "lib/cdrawcontext.h"
#include "lib/cframe.h"
#include "lib/platform/iplatformframe.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace Tolvik::Testing {

using Names = std::vector<std::string>;

// A log that any thread may write. With a frame to watch, each entry made
// while that frame's drawing lock is set ends in " (locked)".
class EventLog
{
public:
	void watch (VSTGUI::CFrame* frame) { watched = frame; }
	void add (const std::string& entry);
	Names entries () const;
	void clear ();

private:
	mutable std::mutex mutex;
	VSTGUI::CFrame* watched {nullptr};
	Names log;
};

// One thread waits until another has notified.
class Signal
{
public:
	void notify ();
	void wait ();
	bool isNotified () const;

private:
	mutable std::mutex mutex;
	std::condition_variable changed;
	bool notified {false};
};

// The test name of a TestView or TestContainer, "?" for other views.
std::string nameOf (VSTGUI::CView* view);
Names childNamesOf (const VSTGUI::CViewContainer& container);

struct Named
{
	std::string name;
};

class TestView : public VSTGUI::CView, public Named
{
public:
	TestView (EventLog* log, std::string name, const VSTGUI::CRect& size = {0, 0, 10, 10});
	~TestView () noexcept override;

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
	void note (const std::string& what) const;
	EventLog* log;
};

class TestContainer : public VSTGUI::CViewContainer, public Named
{
public:
	TestContainer (EventLog* log, std::string name, const VSTGUI::CRect& size = {0, 0, 100, 100});
	~TestContainer () noexcept override;
	bool removed (VSTGUI::CViewContainer* parent) override;

protected:
	void drawBackgroundRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& updateRect) override;

private:
	EventLog* log;
};

// Logs "added NAME" and "removed NAME", then runs its hooks.
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

// A context that draws nothing: the tests look at what views do, not at pixels.
class TestDrawContext : public VSTGUI::CDrawContext
{
public:
	TestDrawContext () : CDrawContext (VSTGUI::CRect (0, 0, 1000, 1000)) {}
	void drawBitmap (VSTGUI::CBitmap*, const VSTGUI::CRect&, const VSTGUI::CPoint&, float) override {}
};

class RecordingPlatformFrame : public VSTGUI::IPlatformFrame
{
public:
	void invalidRect (const VSTGUI::CRect& rect) override;
	void setSize (const VSTGUI::CRect& newSize) override;
	VSTGUI::SharedPointer<VSTGUI::COffscreenContext> createOffscreenContext (VSTGUI::CCoord width,
	                                                                         VSTGUI::CCoord height,
	                                                                         double scaleFactor) override;
	bool setMouseCursor (VSTGUI::CCursorType type) override;
	VSTGUI::SharedPointer<VSTGUI::IPlatformOptionMenu> createPlatformOptionMenu () override;
	std::vector<VSTGUI::CRect> invalidRects () const;
	std::vector<VSTGUI::CRect> sizes () const;

private:
	mutable std::mutex mutex;
	std::vector<VSTGUI::CRect> invalidated;
	std::vector<VSTGUI::CRect> resized;
};

// Opens the frame on a RecordingPlatformFrame and hands that back.
VSTGUI::SharedPointer<RecordingPlatformFrame> openOnRecordingPlatform (VSTGUI::CFrame& frame);

// Installs an assertion handler for its life that records each report's
// message ("" for none) and, if asked, throws after recording.
class AssertionRecorder
{
public:
	explicit AssertionRecorder (bool throwing = false);
	~AssertionRecorder ();
	AssertionRecorder (const AssertionRecorder&) = delete;
	AssertionRecorder& operator= (const AssertionRecorder&) = delete;

	Names reports () const;
	size_t count () const { return reports ().size (); }

	struct Failure
	{
		std::string message;
	};
};

} // Tolvik::Testing
