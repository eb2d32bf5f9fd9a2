// How a component reaches a host on this platform, for the test component
// and the tests only: no Mac has this.
#pragma once

#include <AudioUnit/AudioComponent.h>

// Makes an instance handle over a component's plug-in interface and opens the
// component. On a Mac, AudioComponentInstanceNew does this from a registered
// component; this platform has no component registry, so the component code
// hands its interface over directly. Returns null if Open fails.
AudioComponentInstance AudioComponentInstanceNewWithPlugIn (AudioComponentPlugInInterface* plugIn);
