// Background bitmaps of views, and how a container draws its own.
#include "Canvas.h"
#include "PositionImage.h"

#include "lib/cviewcontainer.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

TEST (CViewBackground, IsHeldWhileSetAndSharedByACopy)
{
	auto first = makeOwned<CBitmap> (4, 4);
	auto second = makeOwned<CBitmap> (4, 4);
	{
		auto view = makeOwned<CView> (CRect (0, 0, 10, 10));
		view->setBackground (first);
		EXPECT_EQ (view->getBackground (), first.get ());
		EXPECT_EQ (first->getNbReference (), 2);
		auto copy = makeOwned<CView> (*view);
		EXPECT_EQ (copy->getBackground (), first.get ());
		EXPECT_EQ (first->getNbReference (), 3);

		view->setBackground (second);
		EXPECT_EQ (first->getNbReference (), 2) << "the replaced one is released";
		copy->setBackground (nullptr);
	}
	EXPECT_EQ (first->getNbReference (), 1);
	EXPECT_EQ (second->getNbReference (), 1) << "released with the view";
}

TEST (CViewContainerBackground, IsDrawnFromTheOffsetAtTheTopLeftCornerInsideTheUpdate)
{
	auto positions = makeOwned<CBitmap> (makePositionBitmap (40, 30).get ());
	auto container = makeOwned<CViewContainer> (CRect (10, 20, 40, 40));
	container->setBackground (positions);
	container->setBackgroundOffset (CPoint (5, 3));

	Canvas canvas (60, 60);
	const CRect update (15, 20, 40, 30);
	container->drawRect (&canvas.context (), update);
	EXPECT_EQ (canvas.wordAt (15.5, 20.5), positionPixel (10, 3));
	EXPECT_EQ (canvas.wordAt (39.5, 29.5), positionPixel (34, 12));
	EXPECT_FALSE (canvas.drawnOutside (update));

	CRect clip;
	EXPECT_EQ (canvas.context ().getClipRect (clip), CRect (0, 0, 60, 60)) << "the clip is given back";
}

} // namespace
