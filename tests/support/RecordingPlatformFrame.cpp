#include "RecordingPlatformFrame.h"
#include "OpenOnPlatform.h"

#include "lib/coffscreencontext.h"
#include "lib/platform/common/genericoptionmenu.h"
#include "lib/platform/iplatformoptionmenu.h"

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

SharedPointer<COffscreenContext> RecordingPlatformFrame::createOffscreenContext (CCoord, CCoord, double)
{
	return nullptr;
}

bool RecordingPlatformFrame::setMouseCursor (CCursorType)
{
	return false;
}

SharedPointer<IPlatformOptionMenu> RecordingPlatformFrame::createPlatformOptionMenu ()
{
	if (optionMenus)
		return optionMenus ();
	if (genericOptionMenuTheme)
		return makeOwned<GenericOptionMenu> (*genericOptionMenuTheme);
	return nullptr;
}

void RecordingPlatformFrame::setGenericOptionMenuTheme (std::unique_ptr<GenericOptionMenuTheme> theme)
{
	genericOptionMenuTheme = std::move (theme);
}

SharedPointer<RecordingPlatformFrame> openOnRecordingPlatform (CFrame& frame)
{
	return openOnPlatform<RecordingPlatformFrame> (frame);
}

} // Tolvik::Testing
