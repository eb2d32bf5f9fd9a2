// The library's own drawn option menu on a frame whose platform frame has a
// generic-menu theme: where its columns open, what a click on them chooses,
// the check mark of the current entry, and what it draws.
#include "OpenFrame.h"
#include "SampleOptionMenu.h"

#include "lib/controls/coptionmenu.h"
#include "lib/platform/common/genericoptionmenu.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace VSTGUI {
void PrintTo (const CRect& r, std::ostream* os)
{
	*os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // VSTGUI

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

// Rows 10 high, separators 4, columns at least 40 wide.
GenericOptionMenuTheme testTheme ()
{
	GenericOptionMenuTheme theme;
	theme.background = makeOwned<CBitmap> (40, 10);
	theme.separator = makeOwned<CBitmap> (40, 4);
	theme.checkmark = makeOwned<CBitmap> (6, 6);
	theme.itemHeight = 10;
	theme.separatorHeight = 4;
	theme.minimumWidth = 40;
	return theme;
}

// The open frame with the theme set, and an option menu at (60, 10, 100, 30)
// with the sample entries (A, B, a separator, C, More with its submenu, D).
// Its column opens below it: A 30-40, B 40-50, the separator
// 50-54, C 54-64, More 64-74, D 74-84; the submenu's beside it, from x 100.
struct MenuRig : OpenFrame
{
	COptionMenu* menu = new COptionMenu (CRect (60, 10, 100, 30), nullptr, 0);
	COptionMenu* submenu = new COptionMenu ();

	// The option menu goes into the frame, or into the box.
	explicit MenuRig (int32_t style = 0, bool inBox = false)
	{
		platform->setGenericOptionMenuTheme (std::make_unique<GenericOptionMenuTheme> (testTheme ()));
		menu->setStyle (style);
		submenu->setStyle (style);
		addSampleEntries (*menu, submenu);
		(inBox ? static_cast<CViewContainer*> (box) : frame.get ())->addView (menu);
	}

	// Pops the menu up through the platform menu and records what it reports.
	void popup ()
	{
		platform->createPlatformOptionMenu ()->popup (menu, [this] (COptionMenu* m, PlatformOptionMenuResult r) {
			reports.push_back ({m, r.menu, r.index, frame->getModalView () != nullptr});
		});
	}
	void click (CCoord x, CCoord y)
	{
		CPoint where (x, y);
		frame->platformOnMouseDown (where, CButtonState (kLButton));
	}
	CViewContainer* session () const
	{
		return frame->getModalView () ? frame->getModalView ()->asViewContainer () : nullptr;
	}
	std::vector<CRect> columns () const
	{
		std::vector<CRect> rects;
		if (auto view = session ())
			for (const auto& column : view->getChildren ())
				rects.push_back (column->getViewSize ());
		return rects;
	}
	std::vector<bool> checks (COptionMenu* m) const
	{
		std::vector<bool> marks;
		for (int32_t i = 0; i < m->getNbEntries (); ++i)
			marks.push_back (m->isCheckEntry (i));
		return marks;
	}

	struct Report
	{
		COptionMenu* optionMenu;
		COptionMenu* chosen;
		int32_t index;
		bool sessionStillOpen;
	};
	std::vector<Report> reports;
};

TEST (GenericOptionMenu, IsThePlatformMenuOnlyWhileAThemeIsSet)
{
	MenuRig rig;
	EXPECT_NE (dynamic_cast<GenericOptionMenu*> (rig.platform->createPlatformOptionMenu ().get ()), nullptr);
	rig.platform->setGenericOptionMenuTheme (nullptr);
	EXPECT_EQ (rig.platform->createPlatformOptionMenu (), nullptr);
}

TEST (GenericOptionMenu, AClickOnAnEntryChoosesItAndAClickElsewhereNothing)
{
	enum Menu
	{
		none,
		root,
		sub
	};
	struct Case
	{
		const char* what;
		std::vector<CPoint> clicks;
		Menu chosen;
		int32_t index;
	};
	const Case cases[] = {
	    {"the first entry", {{65, 35}}, root, 0},
	    {"an entry after the separator", {{65, 78}}, root, 5},
	    {"outside the menu", {{10, 150}}, none, 0},
	    {"on the option menu itself", {{70, 20}}, none, 0},
	    {"an entry of the submenu", {{65, 68}, {105, 75}}, sub, 1},
	    {"outside, with the submenu open", {{65, 68}, {150, 150}}, none, 0},
	};
	for (const auto& c : cases)
	{
		MenuRig rig;
		rig.popup ();
		ASSERT_NE (rig.session (), nullptr) << c.what;
		for (const auto& where : c.clicks)
			rig.click (where.x, where.y);
		ASSERT_EQ (rig.reports.size (), 1u) << c.what;
		const auto& report = rig.reports[0];
		EXPECT_EQ (report.optionMenu, rig.menu) << c.what;
		EXPECT_EQ (report.chosen, c.chosen == root ? rig.menu : c.chosen == sub ? rig.submenu : nullptr) << c.what;
		EXPECT_EQ (report.index, c.index) << c.what;
		EXPECT_FALSE (report.sessionStillOpen) << c.what << ": the session ends before the report";
		EXPECT_EQ (rig.frame->getModalView (), nullptr) << c.what;
	}
}

TEST (GenericOptionMenu, SeparatorsAndDisabledEntriesTakeTheClickAndStayOpen)
{
	MenuRig rig;
	rig.popup ();
	rig.click (65, 52); // the separator
	rig.click (65, 58); // C, disabled
	EXPECT_TRUE (rig.reports.empty ());
	EXPECT_EQ (rig.columns ().size (), 1u);
	rig.click (65, 68); // More
	rig.click (65, 45); // B: the submenu goes, B is chosen
	ASSERT_EQ (rig.reports.size (), 1u);
	EXPECT_EQ (rig.reports[0].chosen, rig.menu);
	EXPECT_EQ (rig.reports[0].index, 1);
}

TEST (GenericOptionMenu, ColumnsOpenBelowTheOptionMenuOrAtItsCurrentEntryAndStayInTheFrame)
{
	struct Case
	{
		const char* what;
		int32_t style;
		float value;
		CRect place;       // of the option menu, in its parent
		bool inBox;        // the parent is the box at (100, 100)
		CRect firstColumn; // in the frame
	};
	const Case cases[] = {
	    {"below it", 0, 1, {60, 10, 100, 30}, false, {60, 30, 100, 84}},
	    {"wider option menu: as wide", 0, 1, {20, 10, 100, 30}, false, {20, 30, 100, 84}},
	    {"popup style: the current entry over it", kPopupStyle, 1, {60, 40, 100, 60}, false, {60, 30, 100, 84}},
	    {"popup style at the frame's top", kPopupStyle, 4, {60, 10, 100, 30}, false, {60, 0, 100, 54}},
	    {"at the frame's bottom right", 0, 1, {180, 180, 200, 200}, false, {160, 146, 200, 200}},
	    {"partly left of the frame", 0, 1, {-20, 10, 20, 30}, false, {0, 30, 40, 84}},
	    {"inside a container", 0, 1, {10, 10, 50, 30}, true, {110, 130, 150, 184}},
	};
	for (const auto& c : cases)
	{
		MenuRig rig (c.style, c.inBox);
		rig.menu->setViewSize (c.place, false);
		rig.menu->setValue (c.value);
		rig.popup ();
		const auto columns = rig.columns ();
		ASSERT_EQ (columns.size (), 1u) << c.what;
		EXPECT_EQ (columns[0], c.firstColumn) << c.what;
	}

	MenuRig rig;
	rig.popup ();
	rig.click (65, 68);
	rig.click (65, 68);
	const auto columns = rig.columns ();
	ASSERT_EQ (columns.size (), 2u) << "a submenu opened again takes the place of the open one";
	EXPECT_EQ (columns[1], CRect (100, 64, 140, 84)) << "beside the entry that opened it";
}

TEST (GenericOptionMenu, MarksTheCurrentEntryAloneOfEachMenuThatShowsOneMark)
{
	struct Case
	{
		const char* what;
		int32_t style;
		std::vector<bool> menuMarks;
		std::vector<bool> submenuMarksBeforeOpening;
		std::vector<bool> submenuMarks;
	};
	const std::vector<bool> asSet = {false, true, false, false, false, true};
	const Case cases[] = {
	    {"check style", kCheckStyle, {true, false, false, false, false, false}, {true, false}, {false, true}},
	    {"multiple checks", kCheckStyle | kMultipleCheckStyle, asSet, {true, false}, {true, false}},
	    {"no checks", 0, asSet, {true, false}, {true, false}},
	};
	for (const auto& c : cases)
	{
		MenuRig rig (c.style);
		rig.menu->setValue (0);
		rig.menu->checkEntry (1, true);
		rig.menu->checkEntry (5, true);
		rig.submenu->setValue (1);
		rig.submenu->checkEntry (0, true);
		rig.popup ();
		EXPECT_EQ (rig.checks (rig.menu), c.menuMarks) << c.what;
		EXPECT_EQ (rig.checks (rig.submenu), c.submenuMarksBeforeOpening) << c.what << ": not yet opened";
		rig.click (65, 68);
		EXPECT_EQ (rig.checks (rig.submenu), c.submenuMarks) << c.what;
	}
}

TEST (GenericOptionMenu, DrawsItsBitmapsOverTheColumn)
{
	MenuRig rig (kCheckStyle);
	rig.menu->setValue (1);
	rig.popup ();
	rig.draw (CRect (60, 30, 100, 84));
	std::vector<CRect> drawn;
	for (const auto& draw : rig.context.bitmapDraws)
		drawn.push_back (draw.rect);
	const std::vector<CRect> expected = {
	    // the background, tiled from the column's top-left, cut at its bottom
	    {60, 30, 100, 40}, {60, 40, 100, 50}, {60, 50, 100, 60}, {60, 60, 100, 70}, {60, 70, 100, 80},
	    {60, 80, 100, 84},
	    {60, 42, 66, 48}, // the check mark of B, centred in its row
	    {60, 50, 100, 54}, // the separator over its row
	};
	EXPECT_EQ (drawn, expected);
}

TEST (GenericOptionMenu, ThroughTheOptionMenuAClickOnItsControlOpensItAndTheChoiceIsItsValue)
{
	MenuRig rig;
	rig.click (70, 20);
	ASSERT_NE (rig.session (), nullptr);
	EXPECT_TRUE (rig.menu->isPopupActive ());
	rig.click (65, 45);
	EXPECT_EQ (rig.menu->getValue (), 1.f);
	EXPECT_FALSE (rig.menu->isPopupActive ());
	EXPECT_EQ (rig.frame->getModalView (), nullptr);
}

TEST (GenericOptionMenu, AMenuWithoutAFrameIsReportedAtOnceWithoutAChoice)
{
	auto lone = makeOwned<COptionMenu> ();
	lone->addEntry ("A");
	std::vector<PlatformOptionMenuResult> reports;
	GenericOptionMenu (testTheme ()).popup (lone, [&] (COptionMenu* m, PlatformOptionMenuResult r) {
		EXPECT_EQ (m, lone.get ());
		reports.push_back (r);
	});
	ASSERT_EQ (reports.size (), 1u);
	EXPECT_EQ (reports[0].menu, nullptr);
	EXPECT_EQ (reports[0].index, 0);
}

} // namespace
