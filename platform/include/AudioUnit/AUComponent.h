// The Audio Unit property interface: property, scope and element types, and
// AudioUnitGetProperty, which hands the call to the unit's component.
#pragma once

#include <AudioUnit/AudioComponent.h>

typedef AudioComponentInstance AudioUnit;

typedef UInt32 AudioUnitPropertyID;
typedef UInt32 AudioUnitScope;
typedef UInt32 AudioUnitElement;

enum
{
	kAudio_ParamError = -50,
	kAudio_UnimplementedError = -4,
	kAudioUnitErr_InvalidProperty = -10879,
	kAudioUnitErr_InvalidScope = -10866,
	kAudioUnitErr_InvalidElement = -10877,
	kAudioUnitErr_InvalidPropertyValue = -10851
};

// Selectors a component's Lookup answers.
enum
{
	kAudioUnitGetPropertySelect = 0x0004
};

// The signature of the method behind kAudioUnitGetPropertySelect.
typedef OSStatus (*AudioUnitGetPropertyProc) (void* self, AudioUnitPropertyID inID,
                                              AudioUnitScope inScope, AudioUnitElement inElement,
                                              void* outData, UInt32* ioDataSize);

// Reads one property of a unit into outData. *ioDataSize holds the room at
// outData on entry and the size written on return. Returns noErr or the
// component's status; kAudio_ParamError for a null unit and
// kAudio_UnimplementedError when the component has no get-property method.
OSStatus AudioUnitGetProperty (AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope,
                               AudioUnitElement inElement, void* outData, UInt32* ioDataSize);
