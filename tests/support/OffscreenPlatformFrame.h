// A platform frame whose offscreen contexts are real Core Graphics ones, as
// the Cocoa platform frame makes them: it records what each request asked
// for and how often the frame invalidated its view.
#pragma once

#include "lib/cframe.h"
#include "lib/platform/iplatformframe.h"
#include "lib/platform/common/genericoptionmenutheme.h"
#include "lib/platform/iplatformoptionmenu.h"

#include <memory>
#include <vector>

namespace Tolvik::Testing {

class OffscreenPlatformFrame : public VSTGUI::IPlatformFrame
{
public:
	struct Request
	{
		VSTGUI::CCoord width, height;
		double scaleFactor;
	};

	// Requests, in order, whether or not a context came of them.
	std::vector<Request> requests;
	// False: every request gives no context.
	bool makesContexts {true};
	size_t invalidations {0};

	void invalidRect (const VSTGUI::CRect&) override { ++invalidations; }
	void setSize (const VSTGUI::CRect&) override {}
	VSTGUI::SharedPointer<VSTGUI::COffscreenContext> createOffscreenContext (VSTGUI::CCoord width,
	                                                                         VSTGUI::CCoord height,
	                                                                         double scaleFactor) override;
	bool setMouseCursor (VSTGUI::CCursorType) override { return false; }
	VSTGUI::SharedPointer<VSTGUI::IPlatformOptionMenu> createPlatformOptionMenu () override { return nullptr; }
	void setGenericOptionMenuTheme (std::unique_ptr<VSTGUI::GenericOptionMenuTheme>) override {}
};

// Opens the frame on an OffscreenPlatformFrame and hands that back.
VSTGUI::SharedPointer<OffscreenPlatformFrame> openOnOffscreenPlatform (VSTGUI::CFrame& frame);

} // Tolvik::Testing
