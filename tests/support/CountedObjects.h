// Views and menu items that count how many were made and how many ended, and
// note every use after their end, for the stress runs: at the end of a run
// every one made has ended, none twice, and none was used after it ended.
// A container that checks its child list each time it is drawn.
#pragma once

#include "lib/controls/cmenuitem.h"
#include "lib/cviewcontainer.h"

#include <atomic>
#include <cstdint>

namespace Tolvik::Testing {

struct LifeCounts
{
	std::atomic<int> made {0};
	std::atomic<int> ended {0};
	// Uses after the end, second ends, and child lists found broken.
	std::atomic<int> faults {0};

	void reset ();
	// Every one made has ended, and nothing was at fault.
	bool balanced () const { return made == ended && faults == 0; }
};

// The counts of CountedView and of the views CheckedContainer checks.
LifeCounts& viewLives ();
// The counts of CountedItem.
LifeCounts& itemLives ();

// A view that knows whether it is still alive. It takes the clicks that land
// on it, so that it becomes its container's mouse-down view and gets the
// moves and the release.
class CountedView : public VSTGUI::CView
{
public:
	CountedView ();
	~CountedView () noexcept override;
	void draw (VSTGUI::CDrawContext* context) override;
	VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CPoint&, const VSTGUI::CButtonState&) override;
	VSTGUI::CMouseEventResult onMouseMoved (VSTGUI::CPoint&, const VSTGUI::CButtonState&) override;
	VSTGUI::CMouseEventResult onMouseUp (VSTGUI::CPoint&, const VSTGUI::CButtonState&) override;
	VSTGUI::CMouseEventResult onMouseEntered (VSTGUI::CPoint&, const VSTGUI::CButtonState&) override;
	VSTGUI::CMouseEventResult onMouseExited (VSTGUI::CPoint&, const VSTGUI::CButtonState&) override;
	bool isAlive () const { return state == kAlive; }

protected:
	VSTGUI::CMouseEventResult checkAlive () const;

private:
	static constexpr uint32_t kAlive = 0xa11fe;
	static constexpr uint32_t kEnded = 0xdead;
	uint32_t state {kAlive};
};

// A counted view whose click adds a view to its own container and takes it
// out again, as views do from their mouse handlers.
class EditingView : public CountedView
{
public:
	VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
};

// Checks its child list each time it is drawn: no entry twice, no entry for
// a counted view that has ended, and as many entries as it counts.
class CheckedContainer : public VSTGUI::CViewContainer
{
public:
	CheckedContainer ();

protected:
	void drawBackgroundRect (VSTGUI::CDrawContext*, const VSTGUI::CRect&) override;
};

// A command item that knows whether it is alive; the popup's pre-popup pass
// validates it.
class CountedItem : public VSTGUI::CCommandMenuItem
{
public:
	CountedItem ();
	~CountedItem () noexcept override;

private:
	static constexpr uint32_t kAlive = 0xa11fe;
	static constexpr uint32_t kEnded = 0xdead;
	uint32_t state {kAlive};
};

} // Tolvik::Testing
