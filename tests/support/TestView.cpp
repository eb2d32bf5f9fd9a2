#include "TestView.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

TestView::TestView (EventLog* log, std::string name, const CRect& size) : CView (size), Named (log, std::move (name))
{
}

CMouseEventResult TestView::noteAndAnswer (const std::string& what, CMouseEventResult answer) const
{
	note (what);
	return answer;
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
	return noteAndAnswer ("mouseUp", mouseAnswer);
}

CMouseEventResult TestView::onMouseMoved (CPoint&, const CButtonState&)
{
	return noteAndAnswer ("mouseMoved", mouseAnswer);
}

CMouseEventResult TestView::onMouseCancel ()
{
	return noteAndAnswer ("mouseCancel", kMouseEventHandled);
}

CMouseEventResult TestView::onMouseEntered (CPoint&, const CButtonState&)
{
	return noteAndAnswer ("entered", kMouseEventHandled);
}

CMouseEventResult TestView::onMouseExited (CPoint&, const CButtonState&)
{
	return noteAndAnswer ("exited", kMouseEventHandled);
}

bool TestView::onWheel (const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
	note ("wheel");
	return false;
}

} // Tolvik::Testing
