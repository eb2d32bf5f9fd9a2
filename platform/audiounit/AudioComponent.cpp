#include <AudioUnit/AudioComponent.h>
#include <AudioUnit/AudioComponentStandIn.h>
#include <AudioUnit/AUComponent.h>

// The handle a host holds: it only knows the component's plug-in interface.
struct ComponentInstanceRecord
{
	AudioComponentPlugInInterface* plugIn;
};

AudioComponentInstance AudioComponentInstanceNewWithPlugIn (AudioComponentPlugInInterface* plugIn)
{
	if (!plugIn)
		return nullptr;
	auto instance = new ComponentInstanceRecord {plugIn};
	if (plugIn->Open && plugIn->Open (plugIn, instance) != noErr)
	{
		delete instance;
		return nullptr;
	}
	return instance;
}

OSStatus AudioComponentInstanceDispose (AudioComponentInstance instance)
{
	if (!instance)
		return kAudio_ParamError;
	OSStatus status = noErr;
	if (instance->plugIn->Close)
		status = instance->plugIn->Close (instance->plugIn);
	delete instance;
	return status;
}

OSStatus AudioUnitGetProperty (AudioUnit inUnit, AudioUnitPropertyID inID, AudioUnitScope inScope,
                               AudioUnitElement inElement, void* outData, UInt32* ioDataSize)
{
	if (!inUnit || !inUnit->plugIn->Lookup)
		return kAudio_ParamError;
	auto method = reinterpret_cast<AudioUnitGetPropertyProc> (
	    inUnit->plugIn->Lookup (kAudioUnitGetPropertySelect));
	if (!method)
		return kAudio_UnimplementedError;
	return method (inUnit->plugIn, inID, inScope, inElement, outData, ioDataSize);
}
