// Test process for one bundle: loads it through NSBundle as a host would,
// then runs the tests that apply to its build.
//   bridge_tests --bundle=PATH --build=main|effect|main-without-nib
// main-without-nib runs on a copy of the main bundle with its nib removed.
#import <AppKit/AppKit.h>

#include "BridgeTestEnvironment.h"
#include "HostHooks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Tolvik::Testing {
namespace {

BuildUnderTest gBuild;
NSBundle* gBundle = nil;

bool makeBuild (const std::string& name)
{
	const BuildUnderTest main {"main", "TolvikCocoaUIFactory", "TolvikCocoaUIFXFactory", "TolvikCocoaUI",
	                           true, true, true};
	if (name == "main")
		gBuild = main;
	else if (name == "main-without-nib")
	{
		gBuild = main;
		gBuild.name = name;
		gBuild.nibPresent = false;
	}
	else if (name == "effect")
		gBuild = {"effect", "TolvikCocoaUIFXFactory", "TolvikCocoaUIFactory", "TolvikCocoaUIFX",
		          false, false, false};
	else
		return false;
	return true;
}

// A copy of the bundle in a fresh temporary directory, without the nib.
NSString* copyWithoutNib (NSString* bundlePath)
{
	NSFileManager* files = [NSFileManager defaultManager];
	NSString* dir = [NSTemporaryDirectory ()
	    stringByAppendingPathComponent:[NSString stringWithFormat:@"bridge-without-nib-%d", getpid ()]];
	[files removeFileAtPath:dir handler:nil];
	[files createDirectoryAtPath:dir withIntermediateDirectories:YES attributes:nil error:NULL];
	NSString* copy = [dir stringByAppendingPathComponent:[bundlePath lastPathComponent]];
	if (![files copyPath:bundlePath toPath:copy handler:nil])
		return nil;
	NSString* nib = [copy stringByAppendingPathComponent:@"Resources/TolvikCocoaView.xib"];
	if (![files removeFileAtPath:nib handler:nil])
		return nil;
	return copy;
}

void uncaughtException (NSException* e)
{
	fprintf (stderr, "uncaught Objective-C exception: %s: %s\n", [[e name] UTF8String], [[e reason] UTF8String]);
	_exit (3);
}

const char* suitesFor (const std::string& build)
{
	return build == "main-without-nib" ? "WithoutNib.*" : "Bundle.*:ViewRequest.*:ViewLifetime.*";
}

} // namespace

const BuildUnderTest& buildUnderTest () { return gBuild; }
NSBundle* bundleUnderTest () { return gBundle; }

} // Tolvik::Testing

int main (int argc, char** argv)
{
	using namespace Tolvik::Testing;
	setvbuf (stdout, nullptr, _IONBF, 0);
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	[NSApplication sharedApplication];
	NSSetUncaughtExceptionHandler (&uncaughtException);

	const bool filterGiven = [] (int n, char** v) {
		for (int i = 1; i < n; ++i)
			if (strncmp (v[i], "--gtest_filter", 14) == 0)
				return true;
		return false;
	}(argc, argv);
	::testing::InitGoogleTest (&argc, argv);

	NSString* bundlePath = nil;
	std::string build;
	for (int i = 1; i < argc; ++i)
	{
		if (strncmp (argv[i], "--bundle=", 9) == 0)
			bundlePath = [NSString stringWithUTF8String:argv[i] + 9];
		else if (strncmp (argv[i], "--build=", 8) == 0)
			build = argv[i] + 8;
	}
	if (!bundlePath || !makeBuild (build))
	{
		fprintf (stderr, "usage: %s --bundle=PATH --build=main|effect|main-without-nib\n", argv[0]);
		return 2;
	}
	if (!gBuild.nibPresent && gBuild.loadsNib)
		bundlePath = copyWithoutNib (bundlePath);

	gBundle = [[NSBundle bundleWithPath:bundlePath] retain];
	if (!gBundle || ![gBundle load])
	{
		fprintf (stderr, "cannot load the bundle at %s\n", bundlePath ? [bundlePath UTF8String] : "(none)");
		return 2;
	}
	installHostHooks ();
	if (!filterGiven)
		GTEST_FLAG_SET (filter, suitesFor (build));

	int result = RUN_ALL_TESTS ();
	[pool drain];
	return result;
}
