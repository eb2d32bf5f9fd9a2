#include "TestAudioUnit.h"

#include "lib/pluginguieditor.h"

#include <AudioUnit/AudioComponentStandIn.h>

#include <cstring>

namespace Tolvik::Testing {

TestAudioUnit::TestAudioUnit ()
{
	plugIn.Open = [] (void*, AudioComponentInstance) -> OSStatus { return noErr; };
	plugIn.Close = [] (void*) -> OSStatus { return noErr; };
	plugIn.Lookup = &TestAudioUnit::lookup;
	plugIn.reserved = nullptr;
	plugIn.unit = this;
	instance = AudioComponentInstanceNewWithPlugIn (&plugIn);
}

TestAudioUnit::~TestAudioUnit () noexcept
{
	AudioComponentInstanceDispose (instance);
}

void TestAudioUnit::answerEditorProperty (OSStatus status, void* address)
{
	editorStatus = status;
	editorAddress = address;
}

AudioComponentMethod TestAudioUnit::lookup (SInt16 selector)
{
	if (selector == kAudioUnitGetPropertySelect)
		return reinterpret_cast<AudioComponentMethod> (&TestAudioUnit::getProperty);
	return nullptr;
}

OSStatus TestAudioUnit::getProperty (void* self, AudioUnitPropertyID id, AudioUnitScope scope,
                                     AudioUnitElement element, void* outData, UInt32* ioDataSize)
{
	auto& unit = *static_cast<PlugIn*> (self)->unit;
	unit.reads.push_back ({id, scope, element, ioDataSize ? *ioDataSize : 0});
	if (id != kPluginGUIEditorProperty)
		return kAudioUnitErr_InvalidProperty;
	if (scope != kAudioUnitScope_Global)
		return kAudioUnitErr_InvalidScope;
	if (element != 0)
		return kAudioUnitErr_InvalidElement;
	if (!outData || !ioDataSize || *ioDataSize < sizeof (void*))
		return kAudioUnitErr_InvalidPropertyValue;
	std::memcpy (outData, &unit.editorAddress, sizeof (void*));
	*ioDataSize = sizeof (void*);
	return unit.editorStatus;
}

std::ostream& operator<< (std::ostream& out, const TestAudioUnit::PropertyRead& read)
{
	return out << "{id " << read.id << ", scope " << read.scope << ", element " << read.element << ", size "
	           << read.sizeOnEntry << "}";
}

} // Tolvik::Testing
