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
	bool nibPresent;
	bool deletesOwnerlessEditor;
};

const BuildUnderTest& buildUnderTest ();
NSBundle* bundleUnderTest ();

} // Tolvik::Testing
