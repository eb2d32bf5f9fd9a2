// Input from the host's side that a factory must survive: a null unit, and
// editors whose frame's rectangle is empty or inverted. (A failing property
// read, a null editor and a missing nib have their tests beside the view
// requests.)
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "BridgeTestEnvironment.h"
#include "HostHooks.h"
#include "RecordingEditor.h"
#include "TestAudioUnit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CRect;
using Names = std::vector<std::string>;

struct HostInput : ::testing::Test
{
	const BuildUnderTest& build = buildUnderTest ();
	TestAudioUnit unit;
	id<AUCocoaUIBase> factory = nil;
	NSAutoreleasePool* pool = nil;

	void SetUp () override
	{
		nibLoads ().clear ();
		pool = [NSAutoreleasePool new];
		Class factoryClass = NSClassFromString ([NSString stringWithUTF8String:build.factoryClass.c_str ()]);
		ASSERT_NE (factoryClass, Nil);
		factory = [[factoryClass alloc] init];
	}

	void TearDown () override
	{
		[pool drain];
		[(id)factory release];
	}
};

TEST_F (HostInput, ANullUnitGivesNoViewAndLoadsNothing)
{
	auto log = std::make_shared<EditorLog> ();
	RecordingEditor editor (log);
	unit.answerEditorProperty (noErr, &editor); // what the unit would answer, were it asked
	EXPECT_EQ ([factory uiViewForAudioUnit:nullptr withSize:CGSizeMake (100, 100)], nil);
	EXPECT_TRUE (unit.propertyReads ().empty ());
	EXPECT_TRUE (log->names ().empty ());
	EXPECT_TRUE (nibLoads ().empty ()) << "the property read fails before the nib";
}

// The view takes right minus left and bottom minus top as they are, with no
// minimum: its frame is what NSView makes of that size.
TEST_F (HostInput, AnEmptyOrInvertedEditorFrameGivesTheViewThatSizeAtTheOrigin)
{
	if (!build.makesViews ())
		GTEST_SKIP () << "the " << build.name << " build makes no views";
	const struct
	{
		const char* what;
		CRect editorFrame;
	} cases[] = {
	    {"no width", CRect (0, 0, 0, 300)},
	    {"no height", CRect (40, 50, 440, 50)},
	    {"inverted", CRect (400, 300, 0, 0)},
	    {"inverted width only", CRect (10, 0, 5, 120)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		auto log = std::make_shared<EditorLog> ();
		auto editor = std::make_unique<RecordingEditor> (log);
		int ownerStandIn = 0;
		editor->owner = &ownerStandIn; // the component keeps it, in both builds
		editor->setFrameRect (c.editorFrame);
		unit.answerEditorProperty (noErr, editor.get ());

		NSView* view = [factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (100, 100)];
		ASSERT_NE (view, nil);
		NSView* reference = [[NSView alloc] initWithFrame:NSMakeRect (0, 0, 100, 100)];
		[reference setFrame:NSMakeRect (0, 0, c.editorFrame.getWidth (), c.editorFrame.getHeight ())];
		EXPECT_TRUE (NSEqualRects ([view frame], [reference frame])) << [NSStringFromRect ([view frame]) UTF8String];
		EXPECT_EQ ([view frame].origin.x, 0.);
		EXPECT_EQ ([view frame].origin.y, 0.);
		[reference release];

		[pool drain]; // the host lets the view go
		pool = [NSAutoreleasePool new];
		EXPECT_EQ (log->names (), (Names {"open", "getFrame", "close"}));
	}
}

} // namespace
