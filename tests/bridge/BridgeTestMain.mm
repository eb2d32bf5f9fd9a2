// Test process for one bundle: loads it through NSBundle as a host would,
// then runs the tests asked for (tests that do not apply to its build skip).
//   bridge_tests --bundle=PATH --build=main|effect|main-without-nib
// main-without-nib runs on a copy of the main bundle with its nib removed.
// Listing the tests (--gtest_list_tests) loads nothing.
#import <AppKit/AppKit.h>

#include "BridgeTestEnvironment.h"
#include "HostHooks.h"
#include "TestApplication.h"

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
	// name, factory class, the other build's factory class, description,
	// loads its nib, nib present, deletes an ownerless editor
	const BuildUnderTest builds[] = {
	    {"main", "TolvikCocoaUIFactory", "TolvikCocoaUIFXFactory", "TolvikCocoaUI", true, true, true},
	    {"effect", "TolvikCocoaUIFXFactory", "TolvikCocoaUIFactory", "TolvikCocoaUIFX", false, false, false},
	    {"main-without-nib", "TolvikCocoaUIFactory", "TolvikCocoaUIFXFactory", "TolvikCocoaUI", true, false, true},
	};
	for (const auto& build : builds)
		if (build.name == name)
		{
			gBuild = build;
			return true;
		}
	return false;
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

} // namespace

const BuildUnderTest& buildUnderTest () { return gBuild; }
NSBundle* bundleUnderTest () { return gBundle; }

} // Tolvik::Testing

int main (int argc, char** argv)
{
	using namespace Tolvik::Testing;
	setvbuf (stdout, nullptr, _IONBF, 0);
	::testing::InitGoogleTest (&argc, argv);
	// Test discovery lists the tests at build or test time, where there may
	// be no display and no GNUstep test environment.
	if (GTEST_FLAG_GET (list_tests))
		return RUN_ALL_TESTS ();

	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	startTestApplication ();

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
	NSString* copyDir = nil;
	if (gBuild.loadsNib && !gBuild.nibPresent)
	{
		bundlePath = copyWithoutNib (bundlePath);
		copyDir = [bundlePath stringByDeletingLastPathComponent];
	}

	gBundle = [[NSBundle bundleWithPath:bundlePath] retain];
	if (!gBundle || ![gBundle load])
	{
		fprintf (stderr, "cannot load the bundle at %s\n", bundlePath ? [bundlePath UTF8String] : "(none)");
		return 2;
	}
	installHostHooks ();

	int result = RUN_ALL_TESTS ();
	if (copyDir)
		[[NSFileManager defaultManager] removeFileAtPath:copyDir handler:nil];
	[pool drain];
	return result;
}
