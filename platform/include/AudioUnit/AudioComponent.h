// Audio component instances: the handle a host holds for one instance of a
// component, and the plug-in interface through which calls reach the
// component's code.
#pragma once

#include <MacTypes.h>

typedef struct ComponentInstanceRecord* AudioComponentInstance;

// A component method, looked up by selector; callers cast it to the method's
// own signature before the call.
typedef OSStatus (*AudioComponentMethod) (void* self, ...);

// What a component implements. `Lookup` answers the method for a selector,
// or null when the component does not implement it.
struct AudioComponentPlugInInterface
{
	OSStatus (*Open) (void* self, AudioComponentInstance instance);
	OSStatus (*Close) (void* self);
	AudioComponentMethod (*Lookup) (SInt16 selector);
	void* reserved;
};

// Closes the component and frees the handle.
OSStatus AudioComponentInstanceDispose (AudioComponentInstance instance);
