// Makes the platform's objects. A program links exactly one platform layer,
// and that layer defines getPlatformFactory: the Cocoa layer in the bundles
// and the hosts that show editors, a layer without platform views where
// nothing is shown. The platform frame it makes then makes the rest: its
// offscreen contexts and option menus.
#pragma once

#include "../cpoint.h"
#include "../crect.h"
#include "../vstguibase.h"

namespace VSTGUI {

class IPlatformBitmap;
class IPlatformFrame;
class IPlatformFrameCallback;
class IPlatformTimer;
class IPlatformTimerCallback;

class IPlatformFactory
{
public:
	virtual ~IPlatformFactory () noexcept = default;

	// The platform view of `frame` inside the platform's parent view, or
	// null when there is none to make.
	virtual SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback* frame, const CRect& size,
	                                                   void* parent) const = 0;
	// A bitmap of `size` pixels with its pixel buffer, or an empty one
	// when size is null.
	virtual SharedPointer<IPlatformBitmap> createBitmap (const CPoint* size) const = 0;
	// A stopped timer that calls `callback`, which must outlive it, or null
	// when the platform has no timers.
	virtual SharedPointer<IPlatformTimer> createTimer (IPlatformTimerCallback* callback) const = 0;
};

// The factory of the platform layer that this program links.
const IPlatformFactory& getPlatformFactory ();

} // VSTGUI
