#include "TestViews.h"

#include "lib/coffscreencontext.h"
#include "lib/platform/iplatformoptionmenu.h"
#include "lib/platform/mac/cgplatformfactory.h"
#include "lib/vstguidebug.h"

#include <atomic>

namespace Tolvik::Testing {

using namespace VSTGUI;

void EventLog::add (const std::string& entry)
{
	const bool locked = watched && watched->IsGUIDrawingLocked ();
	std::lock_guard<std::mutex> lock (mutex);
	log.push_back (locked ? entry + " (locked)" : entry);
}

Names EventLog::entries () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return log;
}

void EventLog::clear ()
{
	std::lock_guard<std::mutex> lock (mutex);
	log.clear ();
}

void Signal::notify ()
{
	std::lock_guard<std::mutex> lock (mutex);
	notified = true;
	changed.notify_all ();
}

void Signal::wait ()
{
	std::unique_lock<std::mutex> lock (mutex);
	changed.wait (lock, [this] { return notified; });
}

bool Signal::isNotified () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return notified;
}

//------------------------------------------------------------------------------
std::string nameOf (CView* view)
{
	auto named = dynamic_cast<Named*> (view);
	return named ? named->name : "?";
}

Names childNamesOf (const CViewContainer& container)
{
	Names names;
	for (const auto& child : container.getChildren ())
		names.push_back (nameOf (child));
	return names;
}

TestView::TestView (EventLog* log, std::string name, const CRect& size) : CView (size), Named {std::move (name)}, log (log)
{
}

TestView::~TestView () noexcept
{
	note ("destroyed");
}

void TestView::note (const std::string& what) const
{
	if (log)
		log->add (name + " " + what);
}

void TestView::draw (CDrawContext* context)
{
	note ("draw");
	if (whenDrawn)
		whenDrawn ();
	CView::draw (context);
}

void TestView::invalid ()
{
	note ("invalid");
	CView::invalid ();
}

bool TestView::attached (CViewContainer* parent)
{
	note ("attached");
	return CView::attached (parent);
}

bool TestView::removed (CViewContainer* parent)
{
	note ("removed");
	if (whenRemoved)
		whenRemoved ();
	return CView::removed (parent);
}

void TestView::takeFocus ()
{
	note ("takeFocus");
}

void TestView::looseFocus ()
{
	note ("looseFocus");
}

CMouseEventResult TestView::onMouseDown (CPoint&, const CButtonState&)
{
	note ("mouseDown");
	if (whenMouseDown)
		whenMouseDown ();
	return mouseAnswer;
}

CMouseEventResult TestView::onMouseUp (CPoint&, const CButtonState&)
{
	note ("mouseUp");
	return mouseAnswer;
}

CMouseEventResult TestView::onMouseMoved (CPoint&, const CButtonState&)
{
	note ("mouseMoved");
	return mouseAnswer;
}

CMouseEventResult TestView::onMouseCancel ()
{
	note ("mouseCancel");
	return kMouseEventHandled;
}

CMouseEventResult TestView::onMouseEntered (CPoint&, const CButtonState&)
{
	note ("entered");
	return kMouseEventHandled;
}

CMouseEventResult TestView::onMouseExited (CPoint&, const CButtonState&)
{
	note ("exited");
	return kMouseEventHandled;
}

bool TestView::onWheel (const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
	note ("wheel");
	return false;
}

//------------------------------------------------------------------------------
TestContainer::TestContainer (EventLog* log, std::string name, const CRect& size)
: CViewContainer (size), Named {std::move (name)}, log (log)
{
}

TestContainer::~TestContainer () noexcept
{
	if (log)
		log->add (name + " destroyed");
}

bool TestContainer::removed (CViewContainer* parent)
{
	if (log)
		log->add (name + " removed");
	return CViewContainer::removed (parent);
}

void TestContainer::drawBackgroundRect (CDrawContext*, const CRect&)
{
	if (log)
		log->add (name + " background");
}

//------------------------------------------------------------------------------
void LoggingContainerListener::viewContainerViewAdded (CViewContainer*, CView* view)
{
	log.add ("added " + nameOf (view));
	if (whenAdded)
		whenAdded (view);
}

void LoggingContainerListener::viewContainerViewRemoved (CViewContainer*, CView* view)
{
	log.add ("removed " + nameOf (view));
	if (whenRemoved)
		whenRemoved (view);
}

//------------------------------------------------------------------------------
void RecordingPlatformFrame::invalidRect (const CRect& rect)
{
	std::lock_guard<std::mutex> lock (mutex);
	invalidated.push_back (rect);
}

void RecordingPlatformFrame::setSize (const CRect& newSize)
{
	std::lock_guard<std::mutex> lock (mutex);
	resized.push_back (newSize);
}

std::vector<CRect> RecordingPlatformFrame::invalidRects () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return invalidated;
}

std::vector<CRect> RecordingPlatformFrame::sizes () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return resized;
}

SharedPointer<COffscreenContext> RecordingPlatformFrame::createOffscreenContext (CCoord, CCoord, double)
{
	return nullptr;
}

bool RecordingPlatformFrame::setMouseCursor (CCursorType)
{
	return false;
}

SharedPointer<IPlatformOptionMenu> RecordingPlatformFrame::createPlatformOptionMenu ()
{
	return nullptr;
}

namespace {

// Makes a recording platform frame for each frame that opens with it.
class RecordingPlatformFactory : public CGPlatformFactory
{
public:
	SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback*, const CRect&, void*) const override
	{
		made = makeOwned<RecordingPlatformFrame> ();
		return made;
	}
	mutable SharedPointer<RecordingPlatformFrame> made;
};

} // namespace

SharedPointer<RecordingPlatformFrame> openOnRecordingPlatform (CFrame& frame)
{
	RecordingPlatformFactory factory;
	int parentView = 0;
	return frame.open (&parentView, factory) ? factory.made : nullptr;
}

//------------------------------------------------------------------------------
namespace {

std::mutex reportsMutex;
Names recordedReports;
std::atomic<bool> throwOnReport {false};

void recordReport (const char*, const char*, const char* description)
{
	{
		std::lock_guard<std::mutex> lock (reportsMutex);
		recordedReports.push_back (description ? description : "");
	}
	if (throwOnReport)
		throw AssertionRecorder::Failure {description ? description : ""};
}

} // namespace

AssertionRecorder::AssertionRecorder (bool throwing)
{
	{
		std::lock_guard<std::mutex> lock (reportsMutex);
		recordedReports.clear ();
	}
	throwOnReport = throwing;
	setAssertionHandler (recordReport);
}

AssertionRecorder::~AssertionRecorder ()
{
	setAssertionHandler (nullptr);
	throwOnReport = false;
}

Names AssertionRecorder::reports () const
{
	std::lock_guard<std::mutex> lock (reportsMutex);
	return recordedReports;
}

} // Tolvik::Testing
