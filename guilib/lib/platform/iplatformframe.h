// The platform's view of a frame, made by the platform layer when the frame
// opens in a parent view and dropped when it closes.
#pragma once

#include "../crect.h"
#include "../vstguibase.h"

namespace VSTGUI {

class IPlatformFrameCallback;

class IPlatformFrame : public ReferenceCounted
{
public:
	// Marks a rectangle of the platform view for redrawing.
	virtual void invalidRect (const CRect& rect) = 0;
	// The frame's new rectangle in the parent view.
	virtual void setSize (const CRect& newSize) = 0;
};

// Makes the platform frame of `frame` inside the platform's parent view, or
// answers null when it cannot. The platform layer installs it at start-up;
// until then no frame can open.
using PlatformFrameFactory = SharedPointer<IPlatformFrame> (*) (IPlatformFrameCallback* frame, const CRect& size,
                                                                void* parent);
void setPlatformFrameFactory (PlatformFrameFactory factory);
PlatformFrameFactory getPlatformFrameFactory ();

} // VSTGUI
