// The draw context's stacks of transforms and draw states.
#include "AssertionRecorder.h"
#include "Canvas.h"

#include <gtest/gtest.h>

namespace {

using namespace VSTGUI;
using namespace Tolvik::Testing;

TEST (CDrawContextStacks, AnUnbalancedPopIsReportedAndChangesNothing)
{
	Canvas canvas (10, 10);
	auto& context = canvas.context ();
	AssertionRecorder recorder;
	context.setGlobalAlpha (0.5f);

	context.popTransform ();
	context.restoreGlobalState ();
	EXPECT_EQ (recorder.reports (), (Names {"unbalanced popTransform", "unbalanced restoreGlobalState"}));
	EXPECT_TRUE (context.getCurrentTransform ().isIdentity ());
	EXPECT_EQ (context.getGlobalAlpha (), 0.5f);

	context.pushTransform (CGraphicsTransform ().translate (3, 4));
	context.saveGlobalState ();
	context.setGlobalAlpha (0.25f);
	context.restoreGlobalState ();
	context.popTransform ();
	EXPECT_EQ (recorder.count (), 2u) << "balanced pairs are not reported";
	EXPECT_TRUE (context.getCurrentTransform ().isIdentity ());
	EXPECT_EQ (context.getGlobalAlpha (), 0.5f);
}

} // namespace
