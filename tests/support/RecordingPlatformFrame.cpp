#include "RecordingPlatformFrame.h"

#include <utility>

namespace Tolvik::Testing {

using namespace VSTGUI;

void RecordingPlatformFrame::invalidRect (const CRect& rect)
{
	std::lock_guard<std::mutex> lock (mutex);
	invalidated.push_back (rect);
}

void RecordingPlatformFrame::setSize (const CRect& newSize)
{
	std::lock_guard<std::mutex> lock (mutex);
	resized.push_back (newSize);
}

std::vector<CRect> RecordingPlatformFrame::invalidRects () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return invalidated;
}

std::vector<CRect> RecordingPlatformFrame::sizes () const
{
	std::lock_guard<std::mutex> lock (mutex);
	return resized;
}

static SharedPointer<RecordingPlatformFrame> lastPlatformFrame;

SharedPointer<RecordingPlatformFrame> openOnRecordingPlatform (CFrame& frame)
{
	setPlatformFrameFactory ([] (IPlatformFrameCallback*, const CRect&, void*) -> SharedPointer<IPlatformFrame> {
		lastPlatformFrame = makeOwned<RecordingPlatformFrame> ();
		return lastPlatformFrame;
	});
	int parentView = 0;
	const bool opened = frame.open (&parentView);
	setPlatformFrameFactory (nullptr);
	auto made = std::exchange (lastPlatformFrame, nullptr);
	return opened ? made : nullptr;
}

} // Tolvik::Testing
