// The Cocoa platform frame: a view of a class made at run time, inside the
// parent view that the frame opens in, which draws the frame and hands it
// Cocoa's mouse events and window notices. Objective-C++ only.
#pragma once

#include "../../common/genericoptionmenutheme.h"
#include "../../iplatformframe.h"
#include "../../iplatformframecallback.h"

#import <Foundation/NSGeometry.h>

@class NSEvent;
@class NSTrackingArea;
@class NSView;

namespace VSTGUI {

class NSViewFrame : public IPlatformFrame
{
public:
	// Puts a new frame view into `parent` (main thread).
	NSViewFrame (IPlatformFrameCallback* frame, const CRect& size, NSView* parent);
	// Takes the frame view out of its parent, which also drops its window
	// registrations, and releases it.
	~NSViewFrame () noexcept override;
	NSViewFrame (const NSViewFrame&) = delete;
	NSViewFrame& operator= (const NSViewFrame&) = delete;

	// Makes the frame view's class, once per loaded copy of the library:
	// base name "VSTGUI_NSView" with a suffix that no other class has.
	static void initClass ();

	IPlatformFrameCallback* getFrame () const { return frame; }
	NSView* getNSView () const { return nsView; }

	// The window has come back from the Dock: the frame redraws everything.
	// Nothing when there is no frame callback.
	void deminiaturizeWindow ();

	// IPlatformFrame. invalidRect may run on any thread: the view is marked
	// on the main thread.
	void invalidRect (const CRect& rect) override;
	void setSize (const CRect& newSize) override;
	SharedPointer<COffscreenContext> createOffscreenContext (CCoord width, CCoord height,
	                                                         double scaleFactor) override;
	bool setMouseCursor (CCursorType type) override;
	// The generic option menu while a theme is set, else the native one.
	SharedPointer<IPlatformOptionMenu> createPlatformOptionMenu () override;
	void setGenericOptionMenuTheme (std::unique_ptr<GenericOptionMenuTheme> theme) override;

	// From the frame view, on the main thread.
	void drawRect (NSRect dirtyRect);
	void mouseDown (NSEvent* event);
	void mouseUp (NSEvent* event);
	void mouseMoved (NSEvent* event);
	void mouseExited (NSEvent* event);
	void scrollWheel (NSEvent* event);
	void windowKeyStateChanged ();
	void windowBackingPropertiesChanged ();
	void updateTrackingArea ();

private:
	CPoint locationOf (NSEvent* event) const;

	IPlatformFrameCallback* frame;
	NSView* nsView {nullptr};
	NSTrackingArea* trackingArea {nullptr};
	std::unique_ptr<GenericOptionMenuTheme> genericOptionMenuTheme;
};

} // VSTGUI
