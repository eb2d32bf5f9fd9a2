#include "TestAudioUnit.h"

#include <AudioUnit/AudioComponentStandIn.h>

#include <gtest/gtest.h>

namespace {

using Tolvik::Testing::TestAudioUnit;

TEST (AudioUnitGetProperty, ReachesTheComponentWithTheCallersArguments)
{
	TestAudioUnit unit;
	int editorStandIn = 0;
	unit.answerEditorProperty (noErr, &editorStandIn);

	void* value = nullptr;
	UInt32 size = sizeof (value);
	EXPECT_EQ (AudioUnitGetProperty (unit.unit (), 64000, kAudioUnitScope_Global, 0, &value, &size), noErr);
	EXPECT_EQ (value, &editorStandIn);
	EXPECT_EQ (size, 8u);

	EXPECT_EQ (unit.propertyReads (), std::vector {TestAudioUnit::kEditorPropertyRead});
}

TEST (AudioUnitGetProperty, PassesTheComponentsStatusOn)
{
	TestAudioUnit unit;
	unit.answerEditorProperty (-10875, nullptr);
	void* value = nullptr;
	UInt32 size = sizeof (value);
	EXPECT_EQ (AudioUnitGetProperty (unit.unit (), 64000, kAudioUnitScope_Global, 0, &value, &size), -10875);
	EXPECT_EQ (AudioUnitGetProperty (unit.unit (), 12, kAudioUnitScope_Global, 0, &value, &size),
	           kAudioUnitErr_InvalidProperty);
}

TEST (AudioUnitGetProperty, RefusesANullUnitAndAComponentWithoutTheMethod)
{
	void* value = nullptr;
	UInt32 size = sizeof (value);
	EXPECT_EQ (AudioUnitGetProperty (nullptr, 64000, 0, 0, &value, &size), kAudio_ParamError);

	AudioComponentPlugInInterface silent {nullptr, nullptr, [] (SInt16) -> AudioComponentMethod { return nullptr; },
	                                      nullptr};
	AudioUnit unit = AudioComponentInstanceNewWithPlugIn (&silent);
	ASSERT_NE (unit, nullptr);
	EXPECT_EQ (AudioUnitGetProperty (unit, 64000, 0, 0, &value, &size), kAudio_UnimplementedError);
	EXPECT_EQ (AudioComponentInstanceDispose (unit), noErr);
}

TEST (AudioComponentInstance, IsNotMadeWhenTheComponentFailsToOpen)
{
	AudioComponentPlugInInterface failing {[] (void*, AudioComponentInstance) -> OSStatus { return -1; },
	                                       nullptr, nullptr, nullptr};
	EXPECT_EQ (AudioComponentInstanceNewWithPlugIn (&failing), nullptr);
	EXPECT_EQ (AudioComponentInstanceNewWithPlugIn (nullptr), nullptr);
}

} // namespace
