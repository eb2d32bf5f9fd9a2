// Property scopes of an Audio Unit.
#pragma once

#include <AudioUnit/AUComponent.h>

enum
{
	kAudioUnitScope_Global = 0,
	kAudioUnitScope_Input = 1,
	kAudioUnitScope_Output = 2
};
