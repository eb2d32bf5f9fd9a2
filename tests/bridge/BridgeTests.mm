// The bundles as an Audio Unit host uses them: make the factory by class
// name, ask it for views of a test unit whose editor property answer each
// test sets, and release the views by draining the pool that holds them.
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "BridgeTestEnvironment.h"
#include "HostHooks.h"
#include "RecordingEditor.h"
#include "TestAudioUnit.h"
#include "lib/cframe.h"

#include <gtest/gtest.h>
#include <objc/runtime.h>

#include <dlfcn.h>

#include <set>

namespace {

using namespace Tolvik::Testing;
using VSTGUI::CRect;
using Names = std::vector<std::string>;

const char* const kViewClass = "SMTGCocoa_NSViewWrapperForAU";

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

	void SetUp () override
	{
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
	EXPECT_EQ (count, 0u) << "no instance variables";
	free (class_copyPropertyList (cls, &count));
	EXPECT_EQ (count, 0u) << "no properties";
	free (class_copyMethodList (object_getClass (cls), &count));
	EXPECT_EQ (count, 0u) << "no class methods";

	Method* methods = class_copyMethodList (cls, &count);
	std::set<std::string> names;
	for (unsigned i = 0; i < count; ++i)
		names.insert (sel_getName (method_getName (methods[i])));
	free (methods);
	EXPECT_EQ (names, (std::set<std::string> {"interfaceVersion", "description", "uiViewForAudioUnit:withSize:"}));
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
		bool editorHasFrame;
		CRect editorFrame;
		CGSize preferred;
		NSRect expected;
	};
	const Case cases[] = {
	    {"no editor frame", false, {}, {400, 300}, {{0, 0}, {200, 200}}},
	    {"no editor frame, 0 by 0 preferred", false, {}, {0, 0}, {{0, 0}, {200, 200}}},
	    {"a 0 by 0 frame", true, {0, 0, 0, 0}, {400, 300}, {{0, 0}, {0, 0}}},
	    {"a frame away from the origin", true, {10, 20, 410, 320}, {400, 300}, {{0, 0}, {400, 300}}},
	    {"a larger preferred size", true, {0, 0, 640, 480}, {2000, 1000}, {{0, 0}, {640, 480}}},
	    {"a 0 by 0 preferred size", true, {0, 0, 640, 480}, {0, 0}, {{0, 0}, {640, 480}}},
	    {"a negative preferred size", true, {-5, -5, 95, 45}, {-10, -20}, {{0, 0}, {100, 50}}},
	    {"fractional sizes", true, {0.5, 0, 100.75, 33.25}, {1, 1}, {{0, 0}, {100.25, 33.25}}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		LentEditor& lent = newEditor ();
		if (c.editorHasFrame)
			lent.editor->setFrameRect (c.editorFrame);

		NSView* view = requestView (lent, c.preferred);
		ASSERT_NE (view, nil);
		EXPECT_STREQ (object_getClassName (view), kViewClass);
		EXPECT_TRUE (sameRect ([view frame], c.expected)) << describe ([view frame]);
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

TEST_F (ViewRequest, ANullEditorGivesNoView)
{
	unit.answerEditorProperty (noErr, nullptr);
	EXPECT_EQ ([factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (100, 100)], nil);
	releaseViews ();
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

	[view setFrame:NSMakeRect (7, 8, 50, 60)];
	EXPECT_TRUE (sameRect ([view frame], NSMakeRect (7, 8, 50, 60)));
	EXPECT_TRUE ([view isFlipped]);

	NSView* superview = [[NSView alloc] initWithFrame:NSMakeRect (0, 0, 500, 500)];
	[superview addSubview:view];
	EXPECT_TRUE ([view isFlipped]);
	[view removeFromSuperview];
	[superview release];

	EXPECT_TRUE ([view isFlipped]);
	EXPECT_EQ (frame->getViewSize (), CRect (0, 0, 300, 200)) << "the editor's frame keeps its size";
	EXPECT_EQ (lent.calls (), (Names {"open", "getFrame"}));
}

TEST_F (ViewLifetime, ReleasingTheViewClosesTheEditorOnceAndDeletesItOnlyWhenOwnerless)
{
	struct Case
	{
		const char* what;
		bool owned;
		bool withFrame;
	};
	const Case cases[] = {
	    {"ownerless, with a frame", false, true},
	    {"ownerless, without a frame", false, false},
	    {"owned", true, true},
	};
	int ownerStandIn = 0;
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		LentEditor& lent = newEditor ();
		RecordingEditor* editor = lent.editor;
		if (c.withFrame)
			editor->setFrameRect (CRect (0, 0, 10, 10));
		if (c.owned)
			editor->owner = &ownerStandIn;

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

		const bool deletes = build.deletesOwnerlessEditor && !c.owned;
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

using WithoutNib = HostTest;

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

} // namespace
