// Opens a frame on a platform frame of the test's own type, through a
// platform factory handed to the frame: no process-wide state changes.
#pragma once

#include "lib/cframe.h"
#include "lib/platform/mac/cgplatformfactory.h"

namespace Tolvik::Testing {

// The new platform frame, or null when the frame does not open.
template <typename PlatformFrame>
VSTGUI::SharedPointer<PlatformFrame> openOnPlatform (VSTGUI::CFrame& frame)
{
	struct Factory : VSTGUI::CGPlatformFactory
	{
		VSTGUI::SharedPointer<VSTGUI::IPlatformFrame> createFrame (VSTGUI::IPlatformFrameCallback*, const VSTGUI::CRect&,
		                                                           void*) const override
		{
			made = VSTGUI::makeOwned<PlatformFrame> ();
			return made;
		}
		mutable VSTGUI::SharedPointer<PlatformFrame> made;
	} factory;
	int parentView = 0;
	return frame.open (&parentView, factory) ? factory.made : nullptr;
}

} // Tolvik::Testing
