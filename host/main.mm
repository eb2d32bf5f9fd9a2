// The demo host: does what an Audio Unit host does with the main bundle.
// It loads the bundle through NSBundle, makes its view factory by class
// name, asks for a view of a test unit whose editor has a 560 by 340 frame,
// prints the view it got and the calls the editor saw, then releases the
// view as a host closing its window would.
//   tolvik-demo-host [path/to/TolvikCocoaUI.bundle]
#import <AppKit/AppKit.h>
#include <AudioUnit/AUCocoaUIView.h>

#include "RecordingEditor.h"
#include "TestAudioUnit.h"

#include <cstdio>
#include <string>

using namespace Tolvik::Testing;

namespace {

std::string describeCalls (const EditorLog& log, NSView* view)
{
	std::string text;
	for (const auto& call : log.all ())
	{
		if (!text.empty ())
			text += ", ";
		text += call.name;
		if (call.name == "open")
			text += call.argument == (void*)view ? "(parent: the view)" : "(parent: another view)";
	}
	return text.empty () ? "none" : text;
}

int run (NSString* bundlePath)
{
	NSBundle* bundle = [NSBundle bundleWithPath:bundlePath];
	if (!bundle || ![bundle load])
	{
		fprintf (stderr, "Cannot load the bundle at %s\n", [bundlePath UTF8String]);
		return 1;
	}
	Class factoryClass = [bundle principalClass];
	id<AUCocoaUIBase> factory = [[factoryClass alloc] init];
	printf ("Loaded %s: factory %s (\"%s\", interface version %u)\n", [[bundlePath lastPathComponent] UTF8String],
	        [NSStringFromClass (factoryClass) UTF8String], [[(id)factory description] UTF8String],
	        [factory interfaceVersion]);

	auto log = std::make_shared<EditorLog> ();
	auto editor = new RecordingEditor (log); // ownerless: the main build's view deletes it
	editor->setFrameRect (VSTGUI::CRect (0, 0, 560, 340));
	TestAudioUnit unit;
	unit.answerEditorProperty (noErr, editor);

	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	const CGSize preferred = CGSizeMake (300, 200);
	NSView* view = [factory uiViewForAudioUnit:unit.unit () withSize:preferred];
	printf ("Asked for a view of the test unit, preferred size %g x %g\n", preferred.width, preferred.height);
	if (!view)
	{
		printf ("The factory gave no view.\n");
		[pool drain];
		delete editor;
		[(id)factory release];
		return 1;
	}
	printf ("View: %s, frame %s, %s\n", object_getClassName (view), [NSStringFromRect ([view frame]) UTF8String],
	        [view isFlipped] ? "flipped" : "not flipped");
	printf ("Editor calls while the view was made: %s\n", describeCalls (*log, view).c_str ());

	log->clear ();
	[pool drain]; // the host lets go of the view
	printf ("Host released the view. Editor calls since: %s\n", describeCalls (*log, nil).c_str ());
	[(id)factory release];
	return 0;
}

} // namespace

int main (int argc, char** argv)
{
	setvbuf (stdout, nullptr, _IONBF, 0);
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	[NSApplication sharedApplication];
	NSString* bundlePath = argc > 1 ? [NSString stringWithUTF8String:argv[1]] : @TOLVIK_MAIN_BUNDLE_PATH;
	int result = run (bundlePath);
	[pool drain];
	return result;
}
