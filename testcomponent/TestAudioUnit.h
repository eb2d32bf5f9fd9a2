// A stand-in for the plug-in's Audio Unit component: one unit instance whose
// answer to the editor property (64000) the caller sets, and which records
// every property read it receives.
#pragma once

#include <AudioUnit/AudioUnit.h>

#include <ostream>
#include <vector>

namespace Tolvik::Testing {

class TestAudioUnit
{
public:
	struct PropertyRead
	{
		AudioUnitPropertyID id;
		AudioUnitScope scope;
		AudioUnitElement element;
		UInt32 sizeOnEntry;

		bool operator== (const PropertyRead& other) const
		{
			return id == other.id && scope == other.scope && element == other.element &&
			       sizeOnEntry == other.sizeOnEntry;
		}
	};

	// The one read a view request makes: the editor property, 64000, in the
	// global scope, element 0, into 8 bytes.
	static constexpr PropertyRead kEditorPropertyRead {64000, kAudioUnitScope_Global, 0, 8};

	TestAudioUnit ();
	~TestAudioUnit () noexcept;
	TestAudioUnit (const TestAudioUnit&) = delete;
	TestAudioUnit& operator= (const TestAudioUnit&) = delete;

	// The host's handle of this unit.
	AudioUnit unit () const { return instance; }

	// What a read of the editor property answers: the status, and the
	// address written into the caller's 8 bytes (written whatever the status,
	// so that a caller who ignores the status would be caught using it).
	void answerEditorProperty (OSStatus status, void* editorAddress);

	const std::vector<PropertyRead>& propertyReads () const { return reads; }

private:
	struct PlugIn : AudioComponentPlugInInterface
	{
		TestAudioUnit* unit;
	};

	static AudioComponentMethod lookup (SInt16 selector);
	static OSStatus getProperty (void* self, AudioUnitPropertyID id, AudioUnitScope scope,
	                             AudioUnitElement element, void* outData, UInt32* ioDataSize);

	PlugIn plugIn;
	AudioUnit instance {nullptr};
	OSStatus editorStatus {noErr};
	void* editorAddress {nullptr};
	std::vector<PropertyRead> reads;
};

std::ostream& operator<< (std::ostream& out, const TestAudioUnit::PropertyRead& read);

} // Tolvik::Testing
