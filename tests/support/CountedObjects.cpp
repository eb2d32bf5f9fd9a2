#include "CountedObjects.h"

#include <set>
#include <utility>

namespace Tolvik::Testing {

using namespace VSTGUI;

void LifeCounts::reset ()
{
	made = 0;
	ended = 0;
	faults = 0;
}

LifeCounts& viewLives ()
{
	static LifeCounts counts;
	return counts;
}

LifeCounts& itemLives ()
{
	static LifeCounts counts;
	return counts;
}

CountedView::CountedView () : CView (CRect (0, 0, 5, 5))
{
	++viewLives ().made;
}

CountedView::~CountedView () noexcept
{
	if (std::exchange (state, kEnded) != kAlive)
		++viewLives ().faults;
	++viewLives ().ended;
}

void CountedView::draw (CDrawContext* context)
{
	checkAlive ();
	CView::draw (context);
}

CMouseEventResult CountedView::onMouseDown (CPoint&, const CButtonState&)
{
	return checkAlive ();
}

CMouseEventResult CountedView::onMouseMoved (CPoint&, const CButtonState&)
{
	return checkAlive ();
}

CMouseEventResult CountedView::onMouseUp (CPoint&, const CButtonState&)
{
	return checkAlive ();
}

CMouseEventResult CountedView::onMouseEntered (CPoint&, const CButtonState&)
{
	return checkAlive ();
}

CMouseEventResult CountedView::onMouseExited (CPoint&, const CButtonState&)
{
	return checkAlive ();
}

CMouseEventResult CountedView::checkAlive () const
{
	if (state != kAlive)
		++viewLives ().faults;
	return kMouseEventHandled;
}

CMouseEventResult EditingView::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (auto parent = getParentView ())
	{
		auto marker = new CountedView;
		parent->addView (marker);
		parent->removeView (marker, true);
	}
	return CountedView::onMouseDown (where, buttons);
}

CheckedContainer::CheckedContainer () : CViewContainer (CRect (0, 0, 100, 100)) {}

void CheckedContainer::drawBackgroundRect (CDrawContext*, const CRect&)
{
	std::set<CView*> seen;
	for (const auto& child : getChildren ())
	{
		auto counted = dynamic_cast<CountedView*> (child.get ());
		if (!seen.insert (child).second || (counted && !counted->isAlive ()))
			++viewLives ().faults;
	}
	if (seen.size () != getNbViews ())
		++viewLives ().faults;
}

CountedItem::CountedItem () : CCommandMenuItem ("item")
{
	++itemLives ().made;
	setValidateFunction ([] (CCommandMenuItem* item) {
		if (static_cast<CountedItem*> (item)->state != kAlive)
			++itemLives ().faults;
	});
}

CountedItem::~CountedItem () noexcept
{
	if (std::exchange (state, kEnded) != kAlive)
		++itemLives ().faults;
	++itemLives ().ended;
}

} // Tolvik::Testing
