// The bundles as an Audio Unit host uses them: make the factory by class
// name, ask it for views of a test unit whose editor property answer each
// test sets, and release the views by draining the pool that holds them.
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "BridgeTestEnvironment.h"
#include "HostHooks.h"
#include "RecordingEditor.h"
#include "SolidView.h"
#include "TestAudioUnit.h"
#include "TestWindow.h"
#include "lib/cframe.h"

#include <gtest/gtest.h>
#include <objc/runtime.h>

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <optional>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CRect;
using Names = std::vector<std::string>;

// One editor lent by the test unit, with the log of what it was asked.
struct LentEditor
{
	std::shared_ptr<EditorLog> log = std::make_shared<EditorLog> ();
	RecordingEditor* editor = new RecordingEditor (log);

	LentEditor () = default;
	LentEditor (const LentEditor&) = delete;
	~LentEditor ()
	{
		if (!deleted ())
			delete editor;
	}
	bool deleted () const { return log->count ("destroy") > 0; }
	Names calls () const { return log->names (); }
};

bool sameRect (NSRect a, NSRect b)
{
	return NSEqualRects (a, b);
}

std::string describe (NSRect r)
{
	return [NSStringFromRect (r) UTF8String];
}

struct HostTest : ::testing::Test
{
	const BuildUnderTest& build = buildUnderTest ();
	TestAudioUnit unit;
	id<AUCocoaUIBase> factory = nil;
	NSAutoreleasePool* pool = nil;
	std::vector<std::unique_ptr<LentEditor>> editors;

	// Most tests need views; the tests of the main bundle without its nib
	// need a build that makes none.
	virtual bool needsViews () const { return true; }

	void SetUp () override
	{
		if (build.makesViews () != needsViews ())
			GTEST_SKIP () << "not for the " << build.name << " build";
		nibLoads ().clear ();
		pool = [NSAutoreleasePool new];
		Class factoryClass = NSClassFromString ([NSString stringWithUTF8String:build.factoryClass.c_str ()]);
		ASSERT_NE (factoryClass, Nil);
		factory = [[factoryClass alloc] init];
	}

	// Views hold their editors unretained, so the views go first.
	void TearDown () override
	{
		onNSViewDealloc = nullptr;
		onNSViewDidMoveToSuperview = nullptr;
		onViewClassSetFrame = nullptr;
		[pool drain];
		pool = nil;
		editors.clear ();
		[(id)factory release];
	}

	// A new editor for the unit to lend; it lives until the end of the test.
	LentEditor& newEditor ()
	{
		editors.push_back (std::make_unique<LentEditor> ());
		return *editors.back ();
	}

	// Drains the pool holding every view asked for so far, as a host run
	// loop would, and starts a new one.
	void releaseViews ()
	{
		[pool drain];
		pool = [NSAutoreleasePool new];
	}

	NSView* requestView (LentEditor& lent, CGSize preferred = CGSizeMake (400, 300))
	{
		unit.answerEditorProperty (noErr, lent.editor);
		return [factory uiViewForAudioUnit:unit.unit () withSize:preferred];
	}
};

// --- the bundle as loaded ---------------------------------------------------

using Bundle = HostTest;

TEST_F (Bundle, ItsPrincipalClassIsTheFactoryOfItsBuild)
{
	NSBundle* bundle = bundleUnderTest ();
	EXPECT_EQ (std::string ([NSStringFromClass ([bundle principalClass]) UTF8String]), build.factoryClass);
	EXPECT_EQ (NSClassFromString ([NSString stringWithUTF8String:build.otherFactoryClass.c_str ()]), Nil)
	    << "each bundle holds exactly one factory class";
	EXPECT_NE (NSClassFromString ([NSString stringWithUTF8String:kViewClass]), Nil);
}

TEST_F (Bundle, TheFactoryIsAStatelessCocoaViewFactory)
{
	Class cls = [(id)factory class];
	EXPECT_EQ (class_getSuperclass (cls), [NSObject class]);
	EXPECT_TRUE ([(id)factory conformsToProtocol:@protocol (AUCocoaUIBase)]);

	unsigned count = 0;
	free (class_copyIvarList (cls, &count));
	EXPECT_EQ (count, 0u) << "no instance variables: nothing is kept between calls";

	// What a host sends; description must be the factory's own, not NSObject's.
	for (SEL sel : {@selector (interfaceVersion), @selector (description), @selector (uiViewForAudioUnit:withSize:)})
	{
		Method own = class_getInstanceMethod (cls, sel);
		ASSERT_NE (own, nullptr) << sel_getName (sel);
		EXPECT_NE (own, class_getInstanceMethod ([NSObject class], sel)) << sel_getName (sel) << " is the factory's own";
	}
}

TEST_F (Bundle, InterfaceVersionAndDescriptionAreFixed)
{
	for (int round = 0; round < 2; ++round)
	{
		EXPECT_EQ ([factory interfaceVersion], 0u);
		EXPECT_EQ (std::string ([[(id)factory description] UTF8String]), build.description);
		unit.answerEditorProperty (-1, nullptr); // the state of a unit changes nothing
	}
}

TEST_F (Bundle, ExportsTheGUILibrary)
{
	NSString* executable = [bundleUnderTest () executablePath];
	void* handle = dlopen ([executable fileSystemRepresentation], RTLD_NOW | RTLD_NOLOAD);
	ASSERT_NE (handle, nullptr) << "the bundle's executable is loaded";
	const char* symbols[] = {
	    "_ZN6VSTGUI6CFrameC1ERKNS_5CRectEPNS_21VSTGUIEditorInterfaceE", // CFrame::CFrame(CRect const&, VSTGUIEditorInterface*)
	    "_ZNK6VSTGUI6CFrame9getEditorEv",                               // CFrame::getEditor() const
	    "_ZNK6VSTGUI5CView9getEditorEv",                                // CView::getEditor() const
	    "_ZN6VSTGUI6CFrame18IsGUIDrawingLockedEv",                      // CFrame::IsGUIDrawingLocked()
	    "_ZN6VSTGUI6CFrame21WaitForGUIDrawingLockEv",                   // CFrame::WaitForGUIDrawingLock()
	    "_ZN6VSTGUI6CFrame14LockGUIDrawingEv",                          // CFrame::LockGUIDrawing()
	    "_ZN6VSTGUI6CFrame16UnLockGUIDrawingEv",                        // CFrame::UnLockGUIDrawing()
	    "_ZN6VSTGUI6CFrame25WaitForThenLockGUIDrawingEv",               // CFrame::WaitForThenLockGUIDrawing()
	    "_ZN6VSTGUI6CFrame23platformOnDeminiaturizeEv",                 // CFrame::platformOnDeminiaturize()
	    "_ZN6VSTGUI11NSViewFrame19deminiaturizeWindowEv",               // NSViewFrame::deminiaturizeWindow()
	    "_ZN6VSTGUI11COptionMenu25WaitForThenLockListAccessEv",         // COptionMenu::WaitForThenLockListAccess()
	    "_ZN6VSTGUI11COptionMenu14LockListAccessEv",                    // COptionMenu::LockListAccess()
	    "_ZN6VSTGUI11COptionMenu16UnLockListAccessEv",                  // COptionMenu::UnLockListAccess()
	    "bHoldPopups",
	    "bMenuPopuped",
	    "gLastMenu",
	};
	for (const char* symbol : symbols)
	{
		void* address = dlsym (handle, symbol);
		ASSERT_NE (address, nullptr) << symbol;
		Dl_info info {};
		ASSERT_NE (dladdr (address, &info), 0);
		EXPECT_STREQ (realpath (info.dli_fname, nullptr), realpath ([executable fileSystemRepresentation], nullptr))
		    << symbol << " is defined in the bundle itself";
	}
	dlclose (handle);
}

// Outside code sets and reads them through these names: a byte for each
// flag and a pointer for the menu, all zero when the bundle has loaded.
TEST_F (Bundle, ThePopupGlobalsAreZeroAtLoadAndOfTheirSizes)
{
	void* handle = dlopen ([[bundleUnderTest () executablePath] fileSystemRepresentation], RTLD_NOW | RTLD_NOLOAD);
	ASSERT_NE (handle, nullptr);
	struct Global
	{
		const char* name;
		size_t size;
	};
	for (const Global global : {Global {"bHoldPopups", 1}, Global {"bMenuPopuped", 1}, Global {"gLastMenu", 8}})
	{
		auto address = static_cast<const unsigned char*> (dlsym (handle, global.name));
		ASSERT_NE (address, nullptr) << global.name;
		Dl_info info {};
		void* entry = nullptr;
		ASSERT_NE (dladdr1 (address, &info, &entry, RTLD_DL_SYMENT), 0);
		auto symbol = static_cast<const ElfW (Sym)*> (entry);
		ASSERT_NE (symbol, nullptr);
		EXPECT_EQ (symbol->st_size, global.size) << global.name;
		EXPECT_EQ (ELF64_ST_TYPE (symbol->st_info), STT_OBJECT) << global.name;
		for (size_t i = 0; i < global.size; ++i)
			EXPECT_EQ (address[i], 0) << global.name << " byte " << i;
	}
	dlclose (handle);
}

TEST_F (Bundle, TheViewClassDeclaresItsInstanceVariablesInOrder)
{
	Class cls = NSClassFromString ([NSString stringWithUTF8String:kViewClass]);
	EXPECT_EQ (class_getSuperclass (cls), [NSView class]);
	unsigned count = 0;
	Ivar* ivars = class_copyIvarList (cls, &count);
	Names names;
	for (unsigned i = 0; i < count; ++i)
		names.push_back (ivar_getName (ivars[i]));
	EXPECT_EQ (names, (Names {"editController", "audioUnit", "isAttached"}));
	if (count == 3)
	{
		EXPECT_STREQ (ivar_getTypeEncoding (ivars[2]), @encode (BOOL)) << "isAttached is a one-byte boolean";
	}
	free (ivars);
}

// --- asking for a view ------------------------------------------------------

using ViewRequest = HostTest;

TEST_F (ViewRequest, TheViewTakesTheEditorFramesSizeAtTheOrigin)
{
	struct Case
	{
		const char* what;
		std::optional<CRect> editorFrame; // none: the editor opens no frame
		CGSize preferred;
		NSRect expected;
	};
	const Case cases[] = {
	    {"no editor frame", std::nullopt, {400, 300}, {{0, 0}, {200, 200}}},
	    {"no editor frame, 0 by 0 preferred", std::nullopt, {0, 0}, {{0, 0}, {200, 200}}},
	    {"a 0 by 0 frame", CRect (0, 0, 0, 0), {400, 300}, {{0, 0}, {0, 0}}},
	    {"a frame away from the origin", CRect (10, 20, 410, 320), {400, 300}, {{0, 0}, {400, 300}}},
	    {"a larger preferred size", CRect (0, 0, 640, 480), {2000, 1000}, {{0, 0}, {640, 480}}},
	    {"a 0 by 0 preferred size", CRect (0, 0, 640, 480), {0, 0}, {{0, 0}, {640, 480}}},
	    {"a negative preferred size", CRect (-5, -5, 95, 45), {-10, -20}, {{0, 0}, {100, 50}}},
	    {"fractional sizes", CRect (0.5, 0, 100.75, 33.25), {1, 1}, {{0, 0}, {100.25, 33.25}}},
	};
	// The initialiser sizes the view through NSView's setFrame:, not through
	// the class's own override.
	size_t ownSetFrameCalls = 0;
	onViewClassSetFrame = [&] (NSView*, NSRect) { ++ownSetFrameCalls; };
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		LentEditor& lent = newEditor ();
		if (c.editorFrame)
			lent.editor->setFrameRect (*c.editorFrame);

		NSView* view = requestView (lent, c.preferred);
		ASSERT_NE (view, nil);
		EXPECT_STREQ (object_getClassName (view), kViewClass);
		EXPECT_TRUE (sameRect ([view frame], c.expected)) << describe ([view frame]);
		EXPECT_EQ (ownSetFrameCalls, 0u) << "sized through the class's own setFrame:";
		EXPECT_TRUE ([view isFlipped]);
		EXPECT_EQ (lent.calls (), (Names {"open", "getFrame"}));
		EXPECT_EQ (lent.log->all ().front ().argument, (void*)view) << "opened with the view as parent";
		EXPECT_EQ (pointerIvar (view, "editController"), lent.editor);
		EXPECT_EQ (pointerIvar (view, "audioUnit"), (void*)unit.unit ());
		releaseViews ();
	}
}

TEST_F (ViewRequest, ReadsTheEditorPropertyOnceAsEightGlobalBytes)
{
	LentEditor& lent = newEditor ();
	ASSERT_NE (requestView (lent), nil);
	EXPECT_EQ (unit.propertyReads (), std::vector {TestAudioUnit::kEditorPropertyRead});
}

TEST_F (ViewRequest, AFailedPropertyReadGivesNoViewAndTouchesNothing)
{
	for (OSStatus status : {OSStatus (-1), OSStatus (1), OSStatus (kAudioUnitErr_InvalidProperty)})
	{
		SCOPED_TRACE (status);
		LentEditor& lent = newEditor ();
		unit.answerEditorProperty (status, lent.editor); // a valid address, which must not be used
		EXPECT_EQ ([factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (100, 100)], nil);
		EXPECT_TRUE (lent.calls ().empty ());
		EXPECT_TRUE (nibLoads ().empty ()) << "nothing is loaded after a failed read";
	}
}

TEST_F (ViewRequest, ANullEditorGivesNoViewAndFreesTheViewItBegan)
{
	size_t viewsFreed = 0;
	onNSViewDealloc = [&] (NSView* view) {
		if (strcmp (object_getClassName (view), kViewClass) == 0)
			++viewsFreed;
	};
	unit.answerEditorProperty (noErr, nullptr);
	EXPECT_EQ ([factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (100, 100)], nil);
	releaseViews ();
	EXPECT_EQ (viewsFreed, 1u) << "the initialiser releases the view it gave up on";
	EXPECT_EQ (nibLoads ().size (), build.loadsNib ? 1u : 0u) << "the read succeeded, so the nib was loaded";
}

TEST_F (ViewRequest, TheMainBuildLoadsItsNibWithTheFactoryAsOwnerForEachView)
{
	ASSERT_NE (requestView (newEditor ()), nil);
	ASSERT_NE (requestView (newEditor ()), nil);
	if (!build.loadsNib)
	{
		EXPECT_TRUE (nibLoads ().empty ()) << "the effect build looks for no nib";
		return;
	}
	ASSERT_EQ (nibLoads ().size (), 2u);
	for (const auto& load : nibLoads ())
	{
		EXPECT_EQ (load.name, "TolvikCocoaView");
		EXPECT_EQ (load.owner, (id)factory);
		EXPECT_TRUE (load.loaded);
	}
}

TEST_F (ViewRequest, TwoRequestsGiveTwoViewsThatEachOpenTheEditor)
{
	LentEditor& lent = newEditor ();
	lent.editor->setFrameRect (CRect (0, 0, 300, 200));
	// Owned, because each view of an ownerless editor would delete it in the
	// main build.
	int ownerStandIn = 0;
	lent.editor->owner = &ownerStandIn;
	NSView* first = requestView (lent);
	NSView* second = requestView (lent);
	ASSERT_NE (first, nil);
	ASSERT_NE (second, nil);
	EXPECT_NE (first, second);
	EXPECT_EQ (lent.calls (), (Names {"open", "getFrame", "open", "getFrame"}));
	EXPECT_EQ (lent.log->all ()[0].argument, (void*)first);
	EXPECT_EQ (lent.log->all ()[2].argument, (void*)second);
}

// --- the view's life after the request ----------------------------------------

using ViewLifetime = HostTest;

TEST_F (ViewLifetime, HostGeometryChangesReachOnlyTheView)
{
	LentEditor& lent = newEditor ();
	lent.editor->setFrameRect (CRect (0, 0, 300, 200));
	NSView* view = requestView (lent);
	ASSERT_NE (view, nil);
	VSTGUI::CFrame* frame = lent.editor->frame;
	std::vector<NSRect> ownSetFrames;
	onViewClassSetFrame = [&] (NSView*, NSRect r) { ownSetFrames.push_back (r); };
	size_t superviewMovesSeenByNSView = 0;
	onNSViewDidMoveToSuperview = [&] (NSView* v) { superviewMovesSeenByNSView += v == view; };

	[view setFrame:NSMakeRect (7, 8, 50, 60)];
	EXPECT_TRUE (sameRect ([view frame], NSMakeRect (7, 8, 50, 60)));
	ASSERT_EQ (ownSetFrames.size (), 1u) << "the host's setFrame: goes through the class";
	EXPECT_TRUE (sameRect (ownSetFrames.front (), NSMakeRect (7, 8, 50, 60)));
	EXPECT_TRUE ([view isFlipped]);

	NSView* superview = [[NSView alloc] initWithFrame:NSMakeRect (0, 0, 500, 500)];
	[superview addSubview:view];
	EXPECT_TRUE ([view isFlipped]);
	[view removeFromSuperview];
	[superview release];
	EXPECT_EQ (superviewMovesSeenByNSView, 0u) << "viewDidMoveToSuperview stops in the class";

	EXPECT_TRUE ([view isFlipped]);
	EXPECT_TRUE (sameRect ([view frame], NSMakeRect (7, 8, 50, 60)));
	EXPECT_EQ (frame->getViewSize (), CRect (0, 0, 300, 200)) << "the editor's frame keeps its size";
	EXPECT_EQ (lent.calls (), (Names {"open", "getFrame"}));
}

TEST_F (ViewLifetime, ReleasingTheViewClosesTheEditorOnceAndDeletesItOnlyWhenOwnerlessAfterClose)
{
	int ownerStandIn = 0;
	void* const owned = &ownerStandIn;
	struct Case
	{
		const char* what;
		void* ownerBeforeClose;
		std::optional<void*> ownerAfterClose; // none: close leaves the owner alone
		bool withFrame;
	};
	const Case cases[] = {
	    {"ownerless, with a frame", nullptr, std::nullopt, true},
	    {"ownerless, without a frame", nullptr, std::nullopt, false},
	    {"owned", owned, std::nullopt, true},
	    {"owned until close lets it go", owned, nullptr, true},
	    {"ownerless until close takes it over", nullptr, owned, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		LentEditor& lent = newEditor ();
		RecordingEditor* editor = lent.editor;
		if (c.withFrame)
			editor->setFrameRect (CRect (0, 0, 10, 10));
		editor->owner = c.ownerBeforeClose;
		if (c.ownerAfterClose)
			editor->setOwnerAfterClose (*c.ownerAfterClose);

		// What the view still holds when NSView's own dealloc begins.
		void* heldAtNSViewDealloc = editor;
		onNSViewDealloc = [&] (NSView* view) {
			if (strcmp (object_getClassName (view), kViewClass) == 0)
			{
				heldAtNSViewDealloc = pointerIvar (view, "editController");
				lent.log->add ({"NSView dealloc"});
			}
		};
		ASSERT_NE (requestView (lent), nil);
		releaseViews ();
		onNSViewDealloc = nullptr;

		const bool deletes = build.deletesOwnerlessEditor && c.ownerAfterClose.value_or (c.ownerBeforeClose) == nullptr;
		Names expected {"open", "getFrame", "close"};
		if (deletes)
			expected.push_back ("destroy");
		expected.push_back ("NSView dealloc");
		EXPECT_EQ (lent.calls (), expected);
		EXPECT_EQ (heldAtNSViewDealloc, deletes ? nullptr : (void*)editor)
		    << "editController is cleared exactly when the editor was deleted";
	}
}

TEST_F (ViewLifetime, TheViewArrivesAutoreleased)
{
	LentEditor& lent = newEditor ();
	bool deallocated = false;
	onNSViewDealloc = [&] (NSView* view) {
		if (strcmp (object_getClassName (view), kViewClass) == 0)
			deallocated = true;
	};
	NSView* view = requestView (lent);
	ASSERT_NE (view, nil);
	EXPECT_EQ ([view retainCount], 1u);
	EXPECT_FALSE (deallocated);
	releaseViews ();
	EXPECT_TRUE (deallocated) << "draining the pool is enough to release the view";
}

// --- the main bundle with its nib removed -------------------------------------

struct WithoutNib : HostTest
{
	bool needsViews () const override { return false; }
};

TEST_F (WithoutNib, NoViewIsMadeAndTheEditorIsLeftAlone)
{
	LentEditor& lent = newEditor ();
	lent.editor->setFrameRect (CRect (0, 0, 300, 200));
	EXPECT_EQ (requestView (lent), nil);
	EXPECT_EQ (unit.propertyReads ().size (), 1u) << "the editor was read";
	ASSERT_EQ (nibLoads ().size (), 1u);
	EXPECT_FALSE (nibLoads ().front ().loaded);
	releaseViews ();
	EXPECT_TRUE (lent.calls ().empty ());
}

// --- on screen ----------------------------------------------------------------

using OnScreen = HostTest;

// The editor's frame opens in the view the host puts into its window, and
// the window shows the editor's views where they are.
TEST_F (OnScreen, TheEditorsViewsShowInTheHostsWindow)
{
	TestWindow window (240, 180);
	auto& lent = newEditor ();
	lent.editor->setFrameRect (CRect (0, 0, 200, 150));
	lent.editor->whenFrameMade = [] (VSTGUI::CFrame& frame) {
		frame.addView (new SolidView (CRect (20, 30, 80, 90), 0xff0000));
	};
	NSView* view = requestView (lent);
	ASSERT_NE (view, nil);
	[window.contentView () addSubview:view];
	const auto pixels = window.readPixels ();
	const int s = static_cast<int> (window.scale ());
	ASSERT_EQ (pixels.width, 240 * s);
	struct Probe
	{
		int x, y;
		uint32_t rgb;
	};
	for (const auto& probe : {Probe {20, 30, 0xff0000}, Probe {79, 89, 0xff0000}, Probe {50, 60, 0xff0000},
	                          Probe {19, 60, 0xffffff}, Probe {50, 90, 0xffffff}, Probe {220, 170, 0xffffff}})
		EXPECT_EQ (pixels.at (probe.x * s, probe.y * s), probe.rgb) << "at " << probe.x << ", " << probe.y;
	[view removeFromSuperview];
}

// Every view the host releases closes its editor, whose frame takes its
// frame view and the view's window registrations away.
TEST_F (OnScreen, OpeningAndClosingAHundredTimesLeavesNothingBehind)
{
	TestWindow window (240, 180);
	size_t frameViewsFreed = 0;
	onNSViewDealloc = [&] (NSView* view) {
		if (std::strncmp (class_getName (object_getClass (view)), "VSTGUI_NSView", 13) == 0)
			++frameViewsFreed;
	};
	for (int i = 0; i < 100; ++i)
	{
		auto& lent = newEditor ();
		lent.editor->setFrameRect (CRect (0, 0, 200, 150));
		NSView* view = requestView (lent);
		ASSERT_NE (view, nil);
		[window.contentView () addSubview:view];
		ASSERT_EQ ([[view subviews] count], 1u) << "the editor's frame view";
		[view removeFromSuperview];
		releaseViews ();
	}
	EXPECT_EQ (frameViewsFreed, 100u);
	EXPECT_EQ ([[window.contentView () subviews] count], 0u);
	[[NSNotificationCenter defaultCenter] postNotificationName:NSWindowDidDeminiaturizeNotification
	                                                    object:window.window ()];
}

} // namespace
