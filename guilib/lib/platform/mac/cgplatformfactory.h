// The Core Graphics part of the macOS platform: bitmaps that draw through
// Core Graphics. It makes no platform views and no timers; the platform
// layer's own factory adds those.
#pragma once

#include "../iplatformfactory.h"

namespace VSTGUI {

class CGPlatformFactory : public IPlatformFactory
{
public:
	SharedPointer<IPlatformFrame> createFrame (IPlatformFrameCallback* frame, const CRect& size,
	                                           void* parent) const override;
	SharedPointer<IPlatformBitmap> createBitmap (const CPoint* size) const override;
	SharedPointer<IPlatformTimer> createTimer (IPlatformTimerCallback* callback) const override;
};

} // VSTGUI
