// The Cocoa platform frame in real windows: its view class, its window
// registrations and the de-miniaturize redraw, and Cocoa mouse events as the
// frame receives them.
#import <AppKit/AppKit.h>

#include "RecordingFrameCallback.h"
#include "TestWindow.h"

#include "lib/platform/mac/cocoa/nsviewframe.h"

#include <gtest/gtest.h>

#include <objc/runtime.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// The frame view's initialiser, made at run time.
@interface NSView (FrameViewInitialiser)
- (id)initWithNSViewFrame:(void*)platformFrame parent:(NSView*)parent andSize:(NSRect)size;
@end

namespace {

using namespace Tolvik::Testing;
using namespace VSTGUI;

struct FrameInWindow
{
	TestWindow window {200, 150};
	RecordingFrameCallback callback;
	SharedPointer<NSViewFrame> platformFrame =
	    makeOwned<NSViewFrame> (&callback, CRect (0, 0, 200, 150), window.contentView ());

	NSView* frameView () const { return platformFrame->getNSView (); }
	void post (NSString* name, NSWindow* w) { [[NSNotificationCenter defaultCenter] postNotificationName:name object:w]; }
	size_t count (const char* name) const { return callback.callsNamed (name).size (); }
};

std::vector<std::string> methodNames (Class cls)
{
	unsigned count = 0;
	Method* methods = class_copyMethodList (cls, &count);
	std::vector<std::string> names;
	for (unsigned i = 0; i < count; ++i)
		names.push_back (sel_getName (method_getName (methods[i])));
	free (methods);
	return names;
}

TEST (FrameViewClass, IsMadeAtRunTimeWithItsVariableAndMethods)
{
	FrameInWindow rig;
	Class cls = object_getClass (rig.frameView ());
	EXPECT_EQ (std::strncmp (class_getName (cls), "VSTGUI_NSView", 13), 0) << class_getName (cls);
	EXPECT_EQ (class_getSuperclass (cls), [NSView class]);
	Ivar variable = class_getInstanceVariable (cls, "_nsViewFrame");
	ASSERT_NE (variable, nullptr);
	EXPECT_STREQ (ivar_getTypeEncoding (variable), "^v");

	// This runtime lists a class's methods newest first: reversed, the list
	// is the order in which the class got them.
	auto names = methodNames (cls);
	std::reverse (names.begin (), names.end ());
	const std::vector<std::string> first = {"initWithNSViewFrame:parent:andSize:", "updateTrackingAreas",
	                                        "viewDidMoveToWindow", "windowKeyStateChanged:",
	                                        "windowDidChangeBackingProperties:",
	                                        "windowDidDeminiaturizeNotification:", "isFlipped", "drawRect:"};
	ASSERT_GE (names.size (), first.size ());
	EXPECT_EQ (std::vector<std::string> (names.begin (), names.begin () + static_cast<long> (first.size ())), first);
	// The notices share one type string.
	EXPECT_STREQ (method_getTypeEncoding (class_getInstanceMethod (cls, @selector (windowDidDeminiaturizeNotification:))),
	              method_getTypeEncoding (class_getInstanceMethod (cls, @selector (windowKeyStateChanged:))));
	EXPECT_TRUE ([rig.frameView () isFlipped]);
	EXPECT_EQ ([rig.frameView () superview], rig.window.contentView ());
}

TEST (FrameViewClass, IsMadeOnceForEveryPlatformFrame)
{
	FrameInWindow a, b;
	EXPECT_EQ (object_getClass (a.frameView ()), object_getClass (b.frameView ()));
}

// Only the window that holds the frame view reaches the frame, once per
// notice; after the view moves, only its new window does.
TEST (Deminiaturize, OnlyTheWindowOfTheFrameViewRedrawsTheFrame)
{
	FrameInWindow rig;
	TestWindow other (100, 100);
	rig.post (NSWindowDidDeminiaturizeNotification, other.window ());
	EXPECT_EQ (rig.count ("deminiaturize"), 0u);
	rig.post (NSWindowDidDeminiaturizeNotification, rig.window.window ());
	EXPECT_EQ (rig.count ("deminiaturize"), 1u);

	[rig.frameView () retain];
	[rig.frameView () removeFromSuperview];
	[other.contentView () addSubview:rig.frameView ()];
	[rig.frameView () release];
	rig.callback.calls.clear ();
	rig.post (NSWindowDidDeminiaturizeNotification, rig.window.window ());
	EXPECT_EQ (rig.count ("deminiaturize"), 0u) << "the old window's registration went with the move";
	rig.post (NSWindowDidDeminiaturizeNotification, other.window ());
	EXPECT_EQ (rig.count ("deminiaturize"), 1u);

	[rig.frameView () removeFromSuperview];
	rig.callback.calls.clear ();
	for (NSWindow* w : {rig.window.window (), other.window ()})
	{
		rig.post (NSWindowDidDeminiaturizeNotification, w);
		rig.post (NSWindowDidBecomeKeyNotification, w);
		rig.post (NSWindowDidChangeBackingPropertiesNotification, w);
	}
	EXPECT_TRUE (rig.callback.calls.empty ()) << "a view in no window has no registration";
}

TEST (Deminiaturize, KeyAndBackingNoticesReachTheFrameToo)
{
	FrameInWindow rig;
	rig.callback.calls.clear ();
	rig.post (NSWindowDidBecomeKeyNotification, rig.window.window ());
	rig.post (NSWindowDidChangeBackingPropertiesNotification, rig.window.window ());
	ASSERT_EQ (rig.count ("activate"), 1u);
	ASSERT_EQ (rig.count ("scaleFactor"), 1u);
	EXPECT_EQ (rig.callback.callsNamed ("scaleFactor")[0].scale, rig.window.scale ());
}

TEST (Deminiaturize, AViewWithoutAPlatformFrameIgnoresTheNotice)
{
	FrameInWindow rig;
	IMP handler = class_getMethodImplementation (object_getClass (rig.frameView ()),
	                                             @selector (windowDidDeminiaturizeNotification:));
	auto call = reinterpret_cast<void (*) (id, SEL, NSNotification*)> (reinterpret_cast<void (*) ()> (handler));
	NSView* plain = [[NSView alloc] initWithFrame:NSMakeRect (0, 0, 10, 10)];
	call (plain, @selector (windowDidDeminiaturizeNotification:), nil); // no such variable
	[plain release];

	NSView* orphan = [[object_getClass (rig.frameView ()) alloc] initWithNSViewFrame:nullptr
	                                                                           parent:rig.window.contentView ()
	                                                                          andSize:NSMakeRect (0, 0, 10, 10)];
	rig.post (NSWindowDidDeminiaturizeNotification, rig.window.window ());
	[orphan removeFromSuperview];
	[orphan release];
	EXPECT_EQ (rig.count ("deminiaturize"), 1u) << "only the view with a platform frame passed it on";

	NSViewFrame withoutCallback (nullptr, CRect (0, 0, 10, 10), rig.window.contentView ());
	withoutCallback.deminiaturizeWindow ();
	rig.post (NSWindowDidDeminiaturizeNotification, rig.window.window ());
}

TEST (NSViewFrameLife, ClosingTakesTheViewAndItsRegistrationsAway)
{
	TestWindow window (200, 150);
	RecordingFrameCallback callback;
	for (int i = 0; i < 100; ++i)
	{
		auto platformFrame = makeOwned<NSViewFrame> (&callback, CRect (0, 0, 50, 50), window.contentView ());
		EXPECT_EQ ([[window.contentView () subviews] count], 1u);
	}
	EXPECT_EQ ([[window.contentView () subviews] count], 0u);
	callback.calls.clear ();
	[[NSNotificationCenter defaultCenter] postNotificationName:NSWindowDidDeminiaturizeNotification
	                                                    object:window.window ()];
	EXPECT_TRUE (callback.calls.empty ());
}

//------------------------------------------------------------------------------
// Mouse events, sent through the window as the window server delivers them.
TEST (CocoaMouse, EventsReachTheFrameAsButtonStatesAtFramePoints)
{
	struct Case
	{
		const char* what;
		NSEventType type;
		NSUInteger flags;
		NSInteger clicks;
		NSInteger button;
		const char* call;
		int32_t buttons;
	};
	const NSUInteger shift = NSShiftKeyMask, command = NSCommandKeyMask, option = NSAlternateKeyMask,
	                 control = NSControlKeyMask;
	const Case cases[] = {
	    {"a click", NSLeftMouseDown, 0, 1, 0, "down", kLButton},
	    {"a double-click", NSLeftMouseDown, 0, 2, 0, "down", kLButton | kDoubleClick},
	    {"a triple click", NSLeftMouseDown, 0, 3, 0, "down", kLButton},
	    {"Control with the left button is the right button", NSLeftMouseDown, control, 1, 0, "down", kRButton},
	    {"Control double-click", NSLeftMouseDown, control, 2, 0, "down", kRButton | kDoubleClick},
	    {"the right button", NSRightMouseDown, 0, 1, 1, "down", kRButton},
	    {"the middle button", NSOtherMouseDown, 0, 1, 2, "down", kMButton},
	    {"the fourth button", NSOtherMouseDown, 0, 1, 3, "down", kButton4},
	    {"the fifth button", NSOtherMouseDown, 0, 1, 4, "down", kButton5},
	    {"Shift", NSLeftMouseDown, shift, 1, 0, "down", kLButton | kShift},
	    {"Command", NSLeftMouseDown, command, 1, 0, "down", kLButton | kControl},
	    {"Option", NSLeftMouseDown, option, 1, 0, "down", kLButton | kAlt},
	    {"Command and Shift, double", NSLeftMouseDown, command | shift, 2, 0, "down",
	     kLButton | kControl | kShift | kDoubleClick},
	    {"a release after a double-click", NSLeftMouseUp, 0, 2, 0, "up", kLButton},
	    {"a right release", NSRightMouseUp, 0, 1, 1, "up", kRButton},
	};
	FrameInWindow rig;
	const NSPoint where = NSMakePoint (30, 40);
	for (const auto& c : cases)
	{
		// A release comes after its press.
		if (c.type == NSLeftMouseUp)
			rig.window.send (NSLeftMouseDown, where, c.flags, c.clicks, c.button);
		else if (c.type == NSRightMouseUp)
			rig.window.send (NSRightMouseDown, where, c.flags, c.clicks, c.button);
		rig.callback.calls.clear ();
		rig.window.send (c.type, where, c.flags, c.clicks, c.button);
		const auto calls = rig.callback.callsNamed (c.call);
		ASSERT_EQ (calls.size (), 1u) << c.what;
		EXPECT_EQ (calls[0].buttons, c.buttons) << c.what;
		EXPECT_EQ (calls[0].where, CPoint (30, 40)) << c.what;
		// Each press is released again, so that the next starts afresh.
		if (c.type == NSLeftMouseDown)
			rig.window.send (NSLeftMouseUp, where);
		else if (c.type == NSRightMouseDown)
			rig.window.send (NSRightMouseUp, where, 0, 1, 1);
		else if (c.type == NSOtherMouseDown)
			rig.window.send (NSOtherMouseUp, where, 0, 1, c.button);
	}
}

TEST (CocoaMouse, DragsMovesWheelsAndTheExit)
{
	FrameInWindow rig;
	rig.window.send (NSLeftMouseDown, NSMakePoint (10, 10));
	rig.callback.calls.clear ();
	rig.window.send (NSLeftMouseDragged, NSMakePoint (12, 15), NSShiftKeyMask);
	rig.window.send (NSLeftMouseUp, NSMakePoint (12, 15));
	rig.window.send (NSMouseMoved, NSMakePoint (50, 60), NSAlternateKeyMask);
	rig.window.send (NSScrollWheel, NSMakePoint (70, 80), 0, 1, 0, 0, 3);
	rig.window.send (NSScrollWheel, NSMakePoint (70, 80), 0, 1, 0, -2, 0);
	const std::vector<FrameCall> expected = {
	    {"moved", CPoint (12, 15), kLButton | kShift},
	    {"up", CPoint (12, 15), kLButton},
	    {"moved", CPoint (50, 60), kAlt},
	    {"wheel", CPoint (70, 80), 0, kMouseWheelAxisY, 3.f},
	    {"wheel", CPoint (70, 80), 0, kMouseWheelAxisX, -2.f},
	};
	std::vector<FrameCall> mouse;
	for (const auto& call : rig.callback.calls)
		if (call.name != "exited")
			mouse.push_back (call);
	EXPECT_EQ (mouse, expected);

	// Inside the frame view, then out of it: the frame hears of the exit.
	NSView* frameView = rig.frameView ();
	[frameView setFrame:NSMakeRect (0, 0, 100, 100)];
	[frameView updateTrackingAreas];
	rig.window.send (NSMouseMoved, NSMakePoint (50, 50));
	rig.callback.calls.clear ();
	rig.window.send (NSMouseMoved, NSMakePoint (150, 120));
	EXPECT_EQ (rig.count ("exited"), 1u);
}

} // namespace
