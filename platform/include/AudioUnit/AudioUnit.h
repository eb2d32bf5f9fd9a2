// The AudioUnit framework, as far as this platform layer provides it.
#pragma once

#include <AudioUnit/AudioComponent.h>
#include <AudioUnit/AUComponent.h>
#include <AudioUnit/AudioUnitProperties.h>
