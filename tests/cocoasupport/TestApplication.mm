#import "TestApplication.h"

#import <AppKit/AppKit.h>

#include <cstdio>
#include <unistd.h>

namespace Tolvik::Testing {
namespace {

void uncaughtException (NSException* e)
{
	fprintf (stderr, "uncaught Objective-C exception: %s: %s\n", [[e name] UTF8String], [[e reason] UTF8String]);
	_exit (3);
}

} // namespace

void startTestApplication ()
{
	[NSApplication sharedApplication];
	NSSetUncaughtExceptionHandler (&uncaughtException);
}

} // Tolvik::Testing
