// The demo host: does what an Audio Unit host does with a view bundle, then
// plays a short script of real Cocoa events in the editor's window.
//
// It loads the bundle through NSBundle, makes its view factory by class name
// and asks it for a view of a test unit whose editor holds a knob drawn from
// a gridded sprite sheet, a vertical slider, an option menu and a shadow
// container. It puts the view into a window, and posts mouse events to that
// window: a double-click that resets the knob, slider drags from the handle's
// grab zone and from outside it, an option-menu popup held off by bHoldPopups
// and then shown and ended by a posted event, and the window's return from
// the Dock. It prints what each step changed and writes pictures of the
// window, read back from the window itself, before and after.
//   tolvik-demo-host [--effect] [--keep-open] [--out=DIR] [--bundle=PATH]
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "DemoEditorViews.h"
#include "ModalMenuCloser.h"
#include "RecordingEditor.h"
#include "TestAudioUnit.h"
#include "TestWindow.h"

#include "lib/cframe.h"
#include "lib/controls/cknob.h"
#include "lib/controls/cslider.h"
#include "lib/platform/mac/cocoa/nsviewoptionmenu.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace Tolvik::Testing;
using namespace VSTGUI;

namespace {

struct Options
{
	NSString* bundlePath = @TOLVIK_MAIN_BUNDLE_PATH;
	bool keepOpen = false;
	std::string outputFolder = TOLVIK_DEMO_OUTPUT_DIR;
};

Options parse (int argc, char** argv)
{
	Options options;
	for (int i = 1; i < argc; ++i)
	{
		const std::string argument = argv[i];
		if (argument == "--effect")
			options.bundlePath = @TOLVIK_EFFECT_BUNDLE_PATH;
		else if (argument == "--keep-open")
			options.keepOpen = true;
		else if (argument.rfind ("--out=", 0) == 0)
			options.outputFolder = argument.substr (6);
		else if (argument.rfind ("--bundle=", 0) == 0)
			options.bundlePath = [NSString stringWithUTF8String:argument.c_str () + 9];
	}
	return options;
}

// Prints the values that the controls report, as they change.
class ValuePrinter : public IControlListener
{
public:
	void valueChanged (CControl* control) override
	{
		changes.push_back (nameOf (control->getTag ()) + " " + std::to_string (control->getValue ()).substr (0, 4));
	}
	static std::string nameOf (int32_t tag)
	{
		switch (tag)
		{
			case DemoEditorViews::kKnobTag:
				return "knob";
			case DemoEditorViews::kSliderTag:
				return "slider";
			default:
				return "menu";
		}
	}
	std::vector<std::string> changes;
};

std::string joined (const std::vector<std::string>& parts, const char* none = "none")
{
	std::string text;
	for (const auto& part : parts)
		text += (text.empty () ? "" : ", ") + part;
	return text.empty () ? none : text;
}

// One step of the script: what it does, then what changed.
class Script
{
public:
	Script (TestWindow& window, DemoEditorViews& views, EditorLog& log, ValuePrinter& values)
	: window (window), views (views), log (log), values (values)
	{
	}

	template <typename Action>
	void step (const char* what, Action&& action)
	{
		window.readPixels (); // everything drawn before the step
		log.clear ();
		values.changes.clear ();
		const int drawsBefore = views.draws;
		action ();
		window.readPixels ();
		std::vector<std::string> editorCalls;
		for (const auto& call : log.all ())
			if (call.name == "beginEdit" || call.name == "endEdit")
				editorCalls.push_back (call.name + " " + ValuePrinter::nameOf (call.index));
			else if (call.name != "getKnobMode")
				editorCalls.push_back (call.name);
		printf ("%s\n    values: %s\n    editor: %s\n    redraws: %d\n", what, joined (values.changes).c_str (),
		        joined (editorCalls).c_str (), views.draws - drawsBefore);
	}

	void doubleClick (CPoint where)
	{
		for (NSInteger clicks : {1, 2})
		{
			window.post (NSLeftMouseDown, point (where), 0, clicks);
			window.post (NSLeftMouseUp, point (where), 0, clicks);
		}
	}

	void drag (CPoint from, CPoint to)
	{
		window.post (NSLeftMouseDown, point (from));
		const int steps = 8;
		for (int i = 1; i <= steps; ++i)
			window.post (NSLeftMouseDragged, point (CPoint (from.x + (to.x - from.x) * i / steps,
			                                                from.y + (to.y - from.y) * i / steps)));
		window.post (NSLeftMouseUp, point (to));
	}

	void click (CPoint where)
	{
		window.post (NSLeftMouseDown, point (where));
		window.post (NSLeftMouseUp, point (where));
	}

private:
	static NSPoint point (CPoint where) { return NSMakePoint (where.x, where.y); }

	TestWindow& window;
	DemoEditorViews& views;
	EditorLog& log;
	ValuePrinter& values;
};

bool writePicture (TestWindow& window, const std::string& folder, const char* name)
{
	const std::string path = folder + "/" + name;
	if (!window.readPixels ().writePNG (path.c_str ()))
	{
		fprintf (stderr, "Cannot write %s\n", path.c_str ());
		return false;
	}
	printf ("Wrote %s\n", path.c_str ());
	return true;
}

int run (const Options& options)
{
	NSBundle* bundle = [NSBundle bundleWithPath:options.bundlePath];
	if (!bundle || ![bundle load])
	{
		fprintf (stderr, "Cannot load the bundle at %s\n", [options.bundlePath UTF8String]);
		return 1;
	}
	Class factoryClass = [bundle principalClass];
	id<AUCocoaUIBase> factory = [[factoryClass alloc] init];
	printf ("Loaded %s: factory %s (\"%s\")\n", [[options.bundlePath lastPathComponent] UTF8String],
	        [NSStringFromClass (factoryClass) UTF8String], [[(id)factory description] UTF8String]);

	auto log = std::make_shared<EditorLog> ();
	auto editor = new RecordingEditor (log);
	static int owner; // the component owns the editor: neither build deletes it
	editor->owner = &owner;
	ValuePrinter values;
	DemoEditorViews views;
	editor->setFrameRect (CRect (0, 0, DemoEditorViews::kWidth, DemoEditorViews::kHeight));
	editor->whenFrameMade = [&] (CFrame& frame) { buildDemoEditor (frame, &values, views); };
	TestAudioUnit unit;
	unit.answerEditorProperty (noErr, editor);

	TestWindow window (DemoEditorViews::kWidth + 40, DemoEditorViews::kHeight + 40);
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	NSView* view = [factory uiViewForAudioUnit:unit.unit () withSize:CGSizeMake (400, 240)];
	if (!view)
	{
		printf ("The factory gave no view.\n");
		[pool drain];
		delete editor;
		[(id)factory release];
		return 1;
	}
	[view setFrameOrigin:NSMakePoint (20, 20)];
	[window.contentView () addSubview:view];
	printf ("View: %s, frame %s, in a window at %g pixels per point\n", object_getClassName (view),
	        [NSStringFromRect ([view frame]) UTF8String], window.scale ());

	[[NSFileManager defaultManager] createDirectoryAtPath:[NSString stringWithUTF8String:options.outputFolder.c_str ()]
	                          withIntermediateDirectories:YES
	                                           attributes:nil
	                                                error:NULL];
	bool ok = writePicture (window, options.outputFolder, "demo-before.png");

	// Points of the editor, in the window's content view.
	auto at = [] (double x, double y) { return CPoint (x + 20, y + 20); };
	Script script (window, views, *log, values);
	script.step ("Double-click on the knob (from 0.80): it resets to its default",
	             [&] { script.doubleClick (at (72, 72)); });
	const CRect handle = views.slider->calculateHandleRect (views.slider->getValueNormalized ());
	script.step ("Slider dragged 40 points up from its handle's grab zone: no jump, then 40 points of travel",
	             [&] { script.drag (at (handle.left + 12, handle.top + 4), at (handle.left + 12, handle.top - 36)); });
	script.step ("Slider pressed below its handle and dragged: the handle jumps to the mouse first",
	             [&] { script.drag (at (172, 180), at (172, 170)); });
	bHoldPopups = true;
	script.step ("Option menu clicked while bHoldPopups is set: no menu, no change", [&] { script.click (at (300, 52)); });
	bHoldPopups = false;
	{
		// Ends the menu as a user choosing "Dark" would, finding it through
		// gLastMenu while it is on screen.
		bool menuPublished = false;
		ModalMenuCloser closer (
		    window.window (), [] { return gLastMenu; }, 2, [&] { menuPublished = gLastMenu != nil; });
		script.step ("Option menu clicked with popups allowed: the menu shows, \"Dark\" is chosen by a posted release",
		             [&] { script.click (at (300, 52)); });
		printf ("    gLastMenu held the menu while it was on screen: %s\n", menuPublished ? "yes" : "no");
	}
	script.step ("The window comes back from the Dock: the whole frame is redrawn", [&] {
		[window.window () miniaturize:nil];
		[window.window () deminiaturize:nil];
		// This platform's AppKit does not post it: posted as AppKit would.
		[[NSNotificationCenter defaultCenter] postNotificationName:NSWindowDidDeminiaturizeNotification
		                                                    object:window.window ()];
	});
	ok = writePicture (window, options.outputFolder, "demo-after.png") && ok;

	if (options.keepOpen)
	{
		printf ("The window stays open; close it with the window manager or stop the host.\n");
		[NSApp run];
	}
	log->clear ();
	[view removeFromSuperview];
	[pool drain]; // the host lets go of the view
	printf ("Host released the view. Editor calls since: %s\n", joined (log->names ()).c_str ());
	delete editor;
	[(id)factory release];
	return ok ? 0 : 1;
}

} // namespace

int main (int argc, char** argv)
{
	setvbuf (stdout, nullptr, _IONBF, 0);
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	[NSApplication sharedApplication];
	[NSApp finishLaunching];
	const int result = run (parse (argc, argv));
	[pool drain];
	return result;
}
