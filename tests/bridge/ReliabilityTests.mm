// The bundle opened and closed many times in one window, as a host whose
// user opens and closes the plug-in's window again and again: each editor is
// opened once and closed once, the main build deletes the ownerless ones
// only, and nothing of the library stays behind (frame views, window
// registrations, native menus, timers). The reliability leg runs it a
// thousand times in a build with the sanitizers, under the leak checker.
//   TOLVIK_RELIABILITY_CYCLES: how many (100 when unset)
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "BridgeTestEnvironment.h"
#include "DemoEditorViews.h"
#include "HostHooks.h"
#include "ModalMenuCloser.h"
#include "RecordingEditor.h"
#include "TestAudioUnit.h"
#include "TestWindow.h"

#include "lib/cframe.h"
#include "lib/platform/mac/cocoa/nsviewoptionmenu.h"

#include <gtest/gtest.h>
#include <objc/runtime.h>

#include <cstdlib>
#include <cstring>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CPoint;
using VSTGUI::CRect;

int cycles ()
{
	const char* text = std::getenv ("TOLVIK_RELIABILITY_CYCLES");
	const int count = text ? std::atoi (text) : 0;
	return count > 0 ? count : 100;
}

bool isOfClass (id object, const char* baseName)
{
	return std::strncmp (class_getName (object_getClass (object)), baseName, std::strlen (baseName)) == 0;
}

TEST (Reliability, OpeningAndClosingAgainAndAgainLeavesNothingBehind)
{
	const BuildUnderTest& build = buildUnderTest ();
	if (!build.makesViews ())
		GTEST_SKIP () << "not for the " << build.name << " build";
	Class factoryClass = NSClassFromString ([NSString stringWithUTF8String:build.factoryClass.c_str ()]);
	id<AUCocoaUIBase> factory = [[factoryClass alloc] init];
	TestWindow window (440, 280);
	TestAudioUnit unit;
	static int owner;

	int frameViewsFreed = 0;
	onNSViewDealloc = [&] (NSView* view) {
		if (isOfClass (view, "VSTGUI_NSView"))
			++frameViewsFreed;
	};
	const int count = cycles ();
	int popups = 0;
	for (int i = 0; i < count; ++i)
	{
		NSAutoreleasePool* pool = [NSAutoreleasePool new];
		auto log = std::make_shared<EditorLog> ();
		auto editor = new RecordingEditor (log);
		const bool owned = i % 2 == 0;
		if (owned)
			editor->owner = &owner;
		DemoEditorViews views;
		editor->setFrameRect (CRect (0, 0, DemoEditorViews::kWidth, DemoEditorViews::kHeight));
		editor->whenFrameMade = [&] (VSTGUI::CFrame& frame) { buildDemoEditor (frame, nullptr, views); };
		unit.answerEditorProperty (noErr, editor);
		NSView* view = [factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (400, 240)];
		ASSERT_NE (view, nil) << "cycle " << i;
		[window.contentView () addSubview:view];
		[window.window () displayIfNeeded];
		// A wheel step starts the knob's wheel edit, and with it a timer that
		// the close must stop.
		window.send (NSScrollWheel, NSMakePoint (72, 72), 0, 1, 0, 0, 1);
		if (i % 50 == 0)
		{
			// Now and then the option menu on screen, chosen from by a user.
			ModalMenuCloser closer (window.window (), [] { return gLastMenu; }, 1);
			window.send (NSLeftMouseDown, NSMakePoint (300, 52));
			window.send (NSLeftMouseUp, NSMakePoint (300, 52));
			window.pumpEvents ();
			EXPECT_EQ (views.menu->getValue (), 1.f) << "cycle " << i;
			++popups;
		}
		[view removeFromSuperview];
		[pool drain]; // the host lets go of the view
		EXPECT_EQ (log->count ("open"), 1u) << "cycle " << i;
		EXPECT_EQ (log->count ("close"), 1u) << "cycle " << i;
		const bool deleted = log->count ("destroy") > 0;
		EXPECT_EQ (deleted, !owned && build.deletesOwnerlessEditor) << "cycle " << i;
		if (!deleted)
			delete editor;
	}
	// Longer than the wheel edit's timeout: a timer left behind would fire
	// into a knob that is gone.
	[[NSRunLoop currentRunLoop] runUntilDate:[NSDate dateWithTimeIntervalSinceNow:0.7]];
	window.pumpEvents ();

	EXPECT_EQ (frameViewsFreed, count);
	EXPECT_EQ ([[window.contentView () subviews] count], 0u);
	EXPECT_GT (popups, 0);
	EXPECT_EQ (gLastMenu, nil);
	for (NSString* notice : {NSWindowDidDeminiaturizeNotification, NSWindowDidBecomeKeyNotification,
	                         NSWindowDidChangeBackingPropertiesNotification})
		[[NSNotificationCenter defaultCenter] postNotificationName:notice object:window.window ()];
	onNSViewDealloc = nullptr;
	[(id)factory release];
}

} // namespace
