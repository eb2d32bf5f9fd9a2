// The application of a test process that makes windows.
#pragma once

namespace Tolvik::Testing {

// Makes AppKit's application object, and lets an uncaught Objective-C
// exception end the process with a message: this platform would otherwise
// open a modal panel and hang the test.
void startTestApplication ();

} // Tolvik::Testing
