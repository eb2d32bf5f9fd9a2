// What the bridge test process was started with: the bundle it loaded and
// what that build is expected to do.
#pragma once

#import <Foundation/Foundation.h>

#include <string>

namespace Tolvik::Testing {

struct BuildUnderTest
{
	std::string name;            // "main", "effect" or "main-without-nib"
	std::string factoryClass;    // the bundle's principal class
	std::string otherFactoryClass;
	std::string description;     // the factory's description
	bool loadsNib;
	bool nibPresent;             // false for the main build: it runs on a copy without its nib
	bool deletesOwnerlessEditor;

	// A factory that needs a nib makes no views without one.
	bool makesViews () const { return nibPresent || !loadsNib; }
};

const BuildUnderTest& buildUnderTest ();
NSBundle* bundleUnderTest ();

} // Tolvik::Testing
