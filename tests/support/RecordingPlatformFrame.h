// A platform frame that records the rectangles the frame invalidates and the
// sizes it sets, and the way to open a frame on one.
#pragma once

#include "lib/cframe.h"
#include "lib/platform/common/genericoptionmenutheme.h"
#include "lib/platform/iplatformframe.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Tolvik::Testing {

class RecordingPlatformFrame : public VSTGUI::IPlatformFrame
{
public:
	void invalidRect (const VSTGUI::CRect& rect) override;
	void setSize (const VSTGUI::CRect& newSize) override;
	// The frames of the tests draw nothing offscreen and keep the cursor.
	VSTGUI::SharedPointer<VSTGUI::COffscreenContext> createOffscreenContext (VSTGUI::CCoord width,
	                                                                         VSTGUI::CCoord height,
	                                                                         double scaleFactor) override;
	bool setMouseCursor (VSTGUI::CCursorType type) override;
	// What `optionMenus` makes, or the generic option menu while a theme is
	// set, or none.
	VSTGUI::SharedPointer<VSTGUI::IPlatformOptionMenu> createPlatformOptionMenu () override;
	std::function<VSTGUI::SharedPointer<VSTGUI::IPlatformOptionMenu> ()> optionMenus;
	void setGenericOptionMenuTheme (std::unique_ptr<VSTGUI::GenericOptionMenuTheme> theme) override;
	std::vector<VSTGUI::CRect> invalidRects () const;
	std::vector<VSTGUI::CRect> sizes () const;

private:
	mutable std::mutex mutex;
	std::vector<VSTGUI::CRect> invalidated;
	std::vector<VSTGUI::CRect> resized;
	std::unique_ptr<VSTGUI::GenericOptionMenuTheme> genericOptionMenuTheme;
};

// Opens the frame on a RecordingPlatformFrame and hands that back; null when
// the frame does not open.
VSTGUI::SharedPointer<RecordingPlatformFrame> openOnRecordingPlatform (VSTGUI::CFrame& frame);

} // Tolvik::Testing
