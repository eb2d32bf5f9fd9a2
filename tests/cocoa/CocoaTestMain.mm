// Tests of the library's Cocoa half in real windows under an X display,
// without loading a bundle. Started with -GSScaleFactor 2, the windows it
// makes draw two pixels per point.
#import <AppKit/AppKit.h>

#include "TestApplication.h"

#include <gtest/gtest.h>

#include <cstdio>

int main (int argc, char** argv)
{
	setvbuf (stdout, nullptr, _IONBF, 0);
	::testing::InitGoogleTest (&argc, argv);
	// Test discovery lists the tests where there may be no display.
	if (GTEST_FLAG_GET (list_tests))
		return RUN_ALL_TESTS ();

	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	Tolvik::Testing::startTestApplication ();
	[NSApp finishLaunching];
	const int result = RUN_ALL_TESTS ();
	[pool drain];
	return result;
}
