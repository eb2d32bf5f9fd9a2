// The shadow container on pixels and counts: a frame on a platform frame
// that makes real offscreen contexts, and in it a container at (10, 20)
// holding two painted children, drawn onto a bitmap canvas.
#include "Canvas.h"
#include "PositionImage.h"
#include "OffscreenPlatformFrame.h"

#include "lib/cshadowviewcontainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iomanip>
#include <limits>
#include <memory>
#include <sstream>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

// Premultiplied 0xAARRGGBB words.
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kHalfBlue = 0x80000080u;

double channel (uint32_t word, int shift)
{
	return (word >> shift) & 0xFF;
}

uint32_t toWord (const double (&channels)[4])
{
	uint32_t word = 0;
	for (int i = 0; i < 4; ++i)
		word = (word << 8) | static_cast<uint32_t> (std::lround (channels[i]));
	return word;
}

// `word` at `alpha`.
uint32_t faded (uint32_t word, double alpha)
{
	double channels[4];
	for (int i = 0; i < 4; ++i)
		channels[i] = channel (word, 24 - 8 * i) * alpha;
	return toWord (channels);
}

// `source` drawn over `destination`.
uint32_t over (uint32_t source, uint32_t destination)
{
	const double keep = 1. - channel (source, 24) / 255.;
	double channels[4];
	for (int i = 0; i < 4; ++i)
		channels[i] = channel (source, 24 - 8 * i) + channel (destination, 24 - 8 * i) * keep;
	return toWord (channels);
}

// Equal but for the rounding of 8-bit compositing.
::testing::AssertionResult nearWord (uint32_t actual, uint32_t expected)
{
	for (int shift = 0; shift < 32; shift += 8)
	{
		if (std::abs (channel (actual, shift) - channel (expected, shift)) > 2)
		{
			std::ostringstream message;
			message << std::hex << "0x" << actual << " is not near 0x" << expected;
			return ::testing::AssertionFailure () << message.str ();
		}
	}
	return ::testing::AssertionSuccess ();
}

// A view that paints itself in one colour, with a bitmap of its own size, and
// records the contexts it draws into.
class PaintedView : public CView
{
public:
	PaintedView (const CRect& size, uint32_t word)
	: CView (size), paint (makeOwned<CGBitmap> (size.getSize ())), bitmap (makeOwned<CBitmap> (paint.get ()))
	{
		setColour (word);
	}

	// Changes the colour without telling anyone.
	void setColour (uint32_t word)
	{
		if (auto pixels = paint->lockPixels (true))
		{
			for (uint32_t y = 0; y < paint->getSize ().y; ++y)
			{
				auto row = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
				std::fill (row, row + static_cast<uint32_t> (paint->getSize ().x), word);
			}
		}
	}

	void draw (CDrawContext* context) override
	{
		drawnInto.push_back (context);
		bitmap->draw (context, getViewSize ());
		CView::draw (context);
	}

	std::vector<CDrawContext*> drawnInto;

private:
	SharedPointer<CGBitmap> paint;
	SharedPointer<CBitmap> bitmap;
};

struct ShadowRig
{
	SharedPointer<CFrame> frame = makeOwned<CFrame> (CRect (0, 0, 200, 200), nullptr);
	SharedPointer<OffscreenPlatformFrame> platform = openOnOffscreenPlatform (*frame);
	CViewContainer* holder = new CViewContainer (CRect (0, 0, 200, 200));
	CShadowViewContainer* shadow = new CShadowViewContainer (CRect (10, 20, 110, 120));
	// At (30, 50) to (50, 70) in the frame.
	PaintedView* child = new PaintedView (CRect (20, 30, 40, 50), kRed);
	PaintedView* other = new PaintedView (CRect (60, 60, 70, 70), kGreen);

	ShadowRig ()
	{
		frame->addView (holder);
		holder->addView (shadow);
		shadow->addView (child);
		shadow->addView (other);
	}

	// The whole frame drawn onto a new canvas.
	std::unique_ptr<Canvas> draw (double scaleFactor = 1., float globalAlpha = 1.f)
	{
		auto canvas = std::make_unique<Canvas> (200, 200, scaleFactor);
		canvas->context ().setGlobalAlpha (globalAlpha);
		frame->platformDrawRect (&canvas->context (), CRect (0, 0, 200, 200));
		return canvas;
	}

	size_t imagesMade () const { return platform->requests.size (); }
};

struct ShadowTest : ::testing::Test, ShadowRig
{
};

TEST_F (ShadowTest, TheCopyLiesByTheOffsetBeneathTheChildrenAtTheIntensity)
{
	shadow->setShadowOffset (CPoint (3, 4));
	auto canvas = draw ();
	ASSERT_EQ (imagesMade (), 1u);
	EXPECT_EQ (platform->requests[0].width, 100);
	EXPECT_EQ (platform->requests[0].height, 100);
	EXPECT_EQ (platform->requests[0].scaleFactor, 1.);

	// The copy of the child covers (27, 46) to (47, 66).
	const uint32_t shadowWord = faded (kRed, 0.3);
	EXPECT_TRUE (nearWord (canvas->wordAt (27.5, 46.5), shadowWord)) << "the copy's top-left corner";
	EXPECT_TRUE (nearWord (canvas->wordAt (29.5, 49.5), shadowWord)) << "just left of and above the child";
	EXPECT_EQ (canvas->wordAt (26.5, 46.5), 0u) << "left of the copy";
	EXPECT_EQ (canvas->wordAt (27.5, 45.5), 0u) << "above the copy";
	EXPECT_EQ (canvas->wordAt (30.5, 50.5), kRed) << "the child over its copy, at full strength";
	EXPECT_EQ (canvas->wordAt (49.5, 69.5), kRed);
	EXPECT_TRUE (nearWord (canvas->wordAt (67.5, 76.5), faded (kGreen, 0.3))) << "the other child's copy";
}

TEST_F (ShadowTest, UnderATranslucentChildTheCopyShowsAtIntensityTimesGlobalAlpha)
{
	child->setColour (kHalfBlue);
	for (float alpha : {1.f, 0.5f})
	{
		SCOPED_TRACE (alpha);
		auto canvas = draw (1., alpha);
		const uint32_t expected = over (faded (kHalfBlue, alpha), faded (kHalfBlue, 0.3 * alpha));
		EXPECT_TRUE (nearWord (canvas->wordAt (35.5, 55.5), expected));
	}
	EXPECT_EQ (imagesMade (), 1u);
}

TEST_F (ShadowTest, TheImageHoldsTheChildrenAloneNotTheBackground)
{
	shadow->setShadowOffset (CPoint (3, 4));
	draw ();
	// Made again while the first image is the background: a copy of that
	// would lie another (3, 4) further, at (24, 42).
	shadow->invalidateShadow ();
	auto canvas = draw ();
	ASSERT_EQ (imagesMade (), 2u);
	EXPECT_EQ (canvas->wordAt (24.5, 42.5), 0u);
	EXPECT_EQ (canvas->wordAt (26.5, 45.5), 0u);
	EXPECT_TRUE (nearWord (canvas->wordAt (27.5, 46.5), faded (kRed, 0.3)));
}

TEST_F (ShadowTest, TheBlurSizeMakesANewImageThatLooksTheSame)
{
	shadow->setShadowOffset (CPoint (3, 4));
	auto withFour = draw ();
	shadow->setShadowBlurSize (10.);
	auto withTen = draw ();
	ASSERT_EQ (imagesMade (), 2u);
	ASSERT_NE (withFour->wordAt (27.5, 46.5), 0u);
	for (size_t y = 0; y < withFour->deviceHeight (); ++y)
	{
		for (size_t x = 0; x < withFour->deviceWidth (); ++x)
			ASSERT_EQ (withTen->deviceWordAt (x, y), withFour->deviceWordAt (x, y)) << "at (" << x << ", " << y << ")";
	}
}

TEST_F (ShadowTest, ANewIntensityShowsTheStoredImage)
{
	shadow->setShadowOffset (CPoint (3, 4));
	draw ();
	child->setColour (kBlue);
	shadow->setShadowIntensity (0.6f);
	auto canvas = draw ();
	EXPECT_EQ (imagesMade (), 1u);
	EXPECT_TRUE (nearWord (canvas->wordAt (27.5, 46.5), faded (kRed, 0.6))) << "the stored red copy";
	EXPECT_EQ (canvas->wordAt (30.5, 50.5), kBlue) << "the child as it is now";
}

TEST_F (ShadowTest, MakesOneImageForEachNewScale)
{
	shadow->setShadowOffset (CPoint (3, 4));
	draw ();
	draw ();
	EXPECT_EQ (imagesMade (), 1u);
	auto canvas = draw (2.);
	draw (2.);
	ASSERT_EQ (imagesMade (), 2u);
	EXPECT_EQ (platform->requests[1].scaleFactor, 2.);
	EXPECT_TRUE (nearWord (canvas->wordAt (29.75, 49.75), faded (kRed, 0.3))) << "the image at scale 2 shows";
}

TEST_F (ShadowTest, TheDrawingScaleIsTheContextsTimesAWholeUniformTransformScale)
{
	struct Case
	{
		const char* what;
		double contextScale, m11, m22, m12;
		double scale;
	};
	const Case cases[] = {
	    {"1.5 rounds to 2", 2., 1.5, 1.5, 0., 4.},
	    {"2.5 rounds up to 3", 1., 2.5, 2.5, 0., 3.},
	    {"1.49 rounds to 1", 2., 1.49, 1.49, 0., 2.},
	    {"0.4 rounds to 0: left out", 2., 0.4, 0.4, 0., 2.},
	    {"unequal axes: left out", 2., 1., 2., 0., 2.},
	    {"the shear is not looked at", 1., 2., 2., 0.5, 2.},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		shadow->invalidateShadow ();
		Canvas canvas (200, 200, c.contextScale);
		canvas.context ().pushTransform (CGraphicsTransform (c.m11, c.m12, 0., c.m22, 0., 0.));
		const size_t before = imagesMade ();
		shadow->drawRect (&canvas.context (), shadow->getViewSize ());
		ASSERT_EQ (imagesMade (), before + 1);
		EXPECT_EQ (platform->requests.back ().scaleFactor, c.scale);
	}
}

TEST_F (ShadowTest, AnEmptyViewDrawsPlainlyAndAViewBelowAUnitFirstDrawsNothing)
{
	constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
	struct Case
	{
		const char* what;
		CRect size;
		bool firstDrawDrawsTheChild;
	};
	const Case cases[] = {
	    {"no width", {10, 20, 10, 120}, true},
	    {"negative height", {10, 20, 110, 10}, true},
	    {"NaN width", {10, 20, kNaN, 120}, true},
	    {"half a unit wide", {10, 20, 10.5, 120}, false},
	    {"half a unit high", {10, 20, 110, 20.5}, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		shadow->setViewSize (c.size);
		// The update rectangle reaches the child whatever the size.
		Canvas first (200, 200), second (200, 200);
		child->drawnInto.clear ();
		shadow->drawRect (&first.context (), CRect (0, 0, 200, 200));
		EXPECT_EQ (child->drawnInto.size (), c.firstDrawDrawsTheChild ? 1u : 0u);
		child->drawnInto.clear ();
		shadow->drawRect (&second.context (), CRect (0, 0, 200, 200));
		EXPECT_EQ (child->drawnInto, std::vector<CDrawContext*> {&second.context ()}) << "a plain draw";
		EXPECT_EQ (imagesMade (), 0u);
	}
}

TEST_F (ShadowTest, DetachedItDrawsNothingFirstAndAttachingMakesTheImage)
{
	auto detached = new CShadowViewContainer (CRect (10, 20, 110, 120));
	detached->setShadowOffset (CPoint (3, 4));
	auto painted = new PaintedView (CRect (20, 30, 40, 50), kBlue);
	detached->addView (painted);
	holder->removeView (shadow);

	Canvas first (200, 200), second (200, 200);
	detached->drawRect (&first.context (), detached->getViewSize ());
	EXPECT_TRUE (painted->drawnInto.empty ());
	EXPECT_FALSE (first.drawnOutside (CRect ())) << "nothing at all";
	detached->drawRect (&second.context (), detached->getViewSize ());
	EXPECT_EQ (painted->drawnInto, std::vector<CDrawContext*> {&second.context ()}) << "a plain draw";
	EXPECT_EQ (second.wordAt (27.5, 46.5), 0u) << "without a shadow";

	holder->addView (detached);
	auto canvas = draw ();
	EXPECT_EQ (imagesMade (), 1u);
	EXPECT_TRUE (nearWord (canvas->wordAt (27.5, 46.5), faded (kBlue, 0.3)));
}

TEST_F (ShadowTest, EachOfTheseMakesTheNextDrawMakeANewImage)
{
	struct Case
	{
		const char* what;
		std::function<void (ShadowRig&)> act;
		bool newImage;
		bool redrawAsked;
	};
	const Case cases[] = {
	    {"invalidateShadow", [] (ShadowRig& t) { t.shadow->invalidateShadow (); }, true, true},
	    {"a new scale factor, down the tree", [] (ShadowRig& t) { t.frame->platformScaleFactorChanged (2.); },
	     true, true},
	    {"attached again",
	     [] (ShadowRig& t) {
		     t.holder->removeView (t.shadow, false);
		     t.holder->addView (t.shadow);
	     },
	     true, true},
	    {"a new offset", [] (ShadowRig& t) { t.shadow->setShadowOffset (CPoint (1, 0)); }, true, true},
	    {"the same offset", [] (ShadowRig& t) { t.shadow->setShadowOffset (CPoint (0, 0)); }, false, false},
	    {"a new blur size", [] (ShadowRig& t) { t.shadow->setShadowBlurSize (4.5); }, true, true},
	    {"the same blur size", [] (ShadowRig& t) { t.shadow->setShadowBlurSize (4.); }, false, false},
	    {"a new size, not invalidated",
	     [] (ShadowRig& t) { t.shadow->setViewSize (CRect (10, 20, 120, 120), false); }, true, true},
	    {"the same size, not invalidated",
	     [] (ShadowRig& t) { t.shadow->setViewSize (CRect (10, 20, 110, 120), false); }, false, false},
	    {"a child added",
	     [] (ShadowRig& t) { t.shadow->addView (new PaintedView (CRect (0, 0, 5, 5), kBlue)); }, true, true},
	    {"a child removed", [] (ShadowRig& t) { t.shadow->removeView (t.other); }, true, true},
	    {"a child moved in the order", [] (ShadowRig& t) { t.shadow->changeViewZOrder (t.other, 0); }, true, true},
	    {"a new intensity", [] (ShadowRig& t) { t.shadow->setShadowIntensity (0.5f); }, false, true},
	    {"a view added elsewhere",
	     [] (ShadowRig& t) { t.holder->addView (new PaintedView (CRect (150, 150, 160, 160), kBlue)); }, false,
	     true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		ShadowRig t;
		t.draw ();
		ASSERT_EQ (t.imagesMade (), 1u);
		const size_t invalidations = t.platform->invalidations;
		c.act (t);
		EXPECT_EQ (t.platform->invalidations > invalidations, c.redrawAsked);
		t.draw ();
		EXPECT_EQ (t.imagesMade (), c.newImage ? 2u : 1u);
	}
}

TEST_F (ShadowTest, RemovalDropsTheImage)
{
	draw ();
	ASSERT_TRUE (shadow->getBackground ());
	holder->removeView (shadow, false);
	EXPECT_FALSE (shadow->getBackground ());
	shadow->forget ();
}

TEST_F (ShadowTest, ACopyKeepsTheSettingsAndMakesAnImageOfItsOwn)
{
	shadow->setShadowOffset (CPoint (3, 4));
	shadow->setShadowIntensity (0.5f);
	shadow->setShadowBlurSize (7.);
	draw ();
	ASSERT_TRUE (shadow->getBackground ());

	auto copy = makeOwned<CShadowViewContainer> (*shadow);
	EXPECT_EQ (copy->getShadowOffset (), CPoint (3, 4));
	EXPECT_EQ (copy->getShadowIntensity (), 0.5f);
	EXPECT_EQ (copy->getShadowBlurSize (), 7.);
	EXPECT_FALSE (copy->getBackground ()) << "the original's image shows the original's children";
	auto plain = makeOwned<CShadowViewContainer> (CRect ());
	EXPECT_EQ (plain->getShadowIntensity (), 0.3f);
	EXPECT_EQ (plain->getShadowBlurSize (), 4.);
}

} // namespace
