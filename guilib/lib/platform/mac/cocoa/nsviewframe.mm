#import "nsviewframe.h"

#import "cocoabuttonstate.h"
#import "nsviewoptionmenu.h"
#import "objcruntime.h"

#import <AppKit/AppKit.h>

#include "../../../coffscreencontext.h"
#include "../../common/genericoptionmenu.h"
#include "../cgdrawcontext.h"

// The frame view's own methods, made at run time by NSViewFrame::initClass.
@interface NSView (VSTGUIFrameView)
- (id)initWithNSViewFrame:(void*)platformFrame parent:(NSView*)parent andSize:(NSRect)size;
- (void)setNeedsDisplayInRectValue:(NSValue*)rect;
- (void)windowDidChangeBackingProperties:(NSNotification*)notification;
@end

namespace VSTGUI {
namespace {

Class frameViewClass = Nil;
constexpr const char* kFrameViewBaseName = "VSTGUI_NSView";
constexpr const char* kPlatformFrameVariable = "_nsViewFrame";

// The platform frame of a frame view, kept in the view's instance variable,
// which is looked up by name on the view's class: null for a view whose
// class has no such variable, and for a view whose frame has gone.
NSViewFrame* platformFrameOf (id view)
{
	return variableOf<NSViewFrame*> (view, kPlatformFrameVariable);
}

void setPlatformFrame (id view, NSViewFrame* platformFrame)
{
	setVariable (view, kPlatformFrameVariable, platformFrame);
}

CRect toCRect (NSRect rect)
{
	return CRect (NSMinX (rect), NSMinY (rect), NSMaxX (rect), NSMaxY (rect));
}

NSRect toNSRect (const CRect& rect)
{
	return NSMakeRect (rect.left, rect.top, rect.getWidth (), rect.getHeight ());
}

//------------------------------------------------------------------------------
// The frame view's methods, in the order in which the class gets them.

id initWithNSViewFrame (id self, SEL, void* platformFrame, NSView* parent, NSRect size)
{
	self = callImplementation<id> ([NSView class], self, @selector (initWithFrame:), size);
	if (!self)
		return nil;
	setPlatformFrame (self, static_cast<NSViewFrame*> (platformFrame));
	[parent addSubview:self];
	return self;
}

void updateTrackingAreas (id self, SEL selector)
{
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->updateTrackingArea ();
	callImplementation<void> ([NSView class], self, selector);
}

// Registers for the notices of the window that the view is in now, and only
// those: every registration goes first, also when the view leaves its window.
void viewDidMoveToWindow (id self, SEL)
{
	NSNotificationCenter* center = [NSNotificationCenter defaultCenter];
	[center removeObserver:self];
	NSWindow* window = [self window];
	if (!window)
		return;
	const struct
	{
		SEL selector;
		NSString* name;
	} registrations[] = {
	    {@selector (windowKeyStateChanged:), NSWindowDidBecomeKeyNotification},
	    {@selector (windowKeyStateChanged:), NSWindowDidResignKeyNotification},
	    {@selector (windowDidChangeBackingProperties:), NSWindowDidChangeBackingPropertiesNotification},
	    {@selector (windowDidDeminiaturizeNotification:), NSWindowDidDeminiaturizeNotification},
	};
	for (const auto& registration : registrations)
		[center addObserver:self selector:registration.selector name:registration.name object:window];
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->windowKeyStateChanged ();
	[self windowDidChangeBackingProperties:nil];
}

void windowKeyStateChanged (id self, SEL, NSNotification*)
{
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->windowKeyStateChanged ();
}

void windowDidChangeBackingProperties (id self, SEL, NSNotification*)
{
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->windowBackingPropertiesChanged ();
}

void windowDidDeminiaturizeNotification (id self, SEL, NSNotification*)
{
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->deminiaturizeWindow ();
}

BOOL isFlipped (id, SEL)
{
	return YES;
}

void drawRect (id self, SEL, NSRect rect)
{
	if (auto platformFrame = platformFrameOf (self))
		platformFrame->drawRect (rect);
}

// Each mouse event goes to the platform frame's handler of its kind.
template <void (NSViewFrame::*handle) (NSEvent*)>
void forwardMouseEvent (id self, SEL, NSEvent* event)
{
	if (auto platformFrame = platformFrameOf (self))
		(platformFrame->*handle) (event);
}

void mouseEntered (id, SEL, NSEvent*)
{
	// The frame finds the views under the mouse on the moves that follow.
}

BOOL acceptsFirstMouse (id, SEL, NSEvent*)
{
	return YES;
}

// Marks the view on the main thread for an invalidation made on another.
void setNeedsDisplayInRectValue (id self, SEL, NSValue* rect)
{
	[self setNeedsDisplayInRect:[rect rectValue]];
}

void addMethod (Class cls, SEL selector, IMP implementation, const char* types)
{
	class_addMethod (cls, selector, implementation, types);
}

Class makeFrameViewClass ()
{
	Class cls = allocateUniqueClass ([NSView class], kFrameViewBaseName, &frameViewClass);
	class_addIvar (cls, kPlatformFrameVariable, sizeof (void*), 3, "^v");

	const TypeString notification ("v", "@");
	const TypeString event ("v", "@");
	addMethod (cls, @selector (initWithNSViewFrame:parent:andSize:), toIMP (initWithNSViewFrame),
	           TypeString ("@", "^v@", @encode (NSRect)).text);
	addMethod (cls, @selector (updateTrackingAreas), toIMP (updateTrackingAreas), TypeString ("v", "").text);
	addMethod (cls, @selector (viewDidMoveToWindow), toIMP (viewDidMoveToWindow), TypeString ("v", "").text);
	addMethod (cls, @selector (windowKeyStateChanged:), toIMP (windowKeyStateChanged), notification.text);
	addMethod (cls, @selector (windowDidChangeBackingProperties:), toIMP (windowDidChangeBackingProperties),
	           notification.text);
	addMethod (cls, @selector (windowDidDeminiaturizeNotification:), toIMP (windowDidDeminiaturizeNotification),
	           notification.text);
	addMethod (cls, @selector (isFlipped), toIMP (isFlipped), TypeString (@encode (BOOL), "").text);
	addMethod (cls, @selector (drawRect:), toIMP (drawRect), TypeString ("v", @encode (NSRect)).text);
	addMethod (cls, @selector (mouseDown:), toIMP (forwardMouseEvent<&NSViewFrame::mouseDown>), event.text);
	addMethod (cls, @selector (rightMouseDown:), toIMP (forwardMouseEvent<&NSViewFrame::mouseDown>), event.text);
	addMethod (cls, @selector (otherMouseDown:), toIMP (forwardMouseEvent<&NSViewFrame::mouseDown>), event.text);
	addMethod (cls, @selector (mouseUp:), toIMP (forwardMouseEvent<&NSViewFrame::mouseUp>), event.text);
	addMethod (cls, @selector (rightMouseUp:), toIMP (forwardMouseEvent<&NSViewFrame::mouseUp>), event.text);
	addMethod (cls, @selector (otherMouseUp:), toIMP (forwardMouseEvent<&NSViewFrame::mouseUp>), event.text);
	addMethod (cls, @selector (mouseMoved:), toIMP (forwardMouseEvent<&NSViewFrame::mouseMoved>), event.text);
	addMethod (cls, @selector (mouseDragged:), toIMP (forwardMouseEvent<&NSViewFrame::mouseMoved>), event.text);
	addMethod (cls, @selector (rightMouseDragged:), toIMP (forwardMouseEvent<&NSViewFrame::mouseMoved>),
	           event.text);
	addMethod (cls, @selector (otherMouseDragged:), toIMP (forwardMouseEvent<&NSViewFrame::mouseMoved>),
	           event.text);
	addMethod (cls, @selector (scrollWheel:), toIMP (forwardMouseEvent<&NSViewFrame::scrollWheel>), event.text);
	addMethod (cls, @selector (mouseEntered:), toIMP (mouseEntered), event.text);
	addMethod (cls, @selector (mouseExited:), toIMP (forwardMouseEvent<&NSViewFrame::mouseExited>), event.text);
	addMethod (cls, @selector (acceptsFirstMouse:), toIMP (acceptsFirstMouse),
	           TypeString (@encode (BOOL), "@").text);
	addMethod (cls, @selector (setNeedsDisplayInRectValue:), toIMP (setNeedsDisplayInRectValue), event.text);
	objc_registerClassPair (cls);
	return cls;
}

NSCursor* cursorOf (CCursorType type)
{
	switch (type)
	{
		case kCursorHSize:
			return [NSCursor resizeLeftRightCursor];
		case kCursorVSize:
			return [NSCursor resizeUpDownCursor];
		case kCursorSizeAll:
			return [NSCursor closedHandCursor];
		case kCursorCopy:
			return [NSCursor dragCopyCursor];
		case kCursorNotAllowed:
			return [NSCursor operationNotAllowedCursor];
		case kCursorHand:
			return [NSCursor pointingHandCursor];
		default:
			return [NSCursor arrowCursor];
	}
}

} // namespace

//------------------------------------------------------------------------------
void NSViewFrame::initClass ()
{
	if (!frameViewClass)
		frameViewClass = makeFrameViewClass ();
}

NSViewFrame::NSViewFrame (IPlatformFrameCallback* frame, const CRect& size, NSView* parent) : frame (frame)
{
	initClass ();
	// Known before the view's initialiser puts it into the parent, which may
	// already ask the platform frame about it.
	nsView = [frameViewClass alloc];
	nsView = [nsView initWithNSViewFrame:this parent:parent andSize:toNSRect (size)];
}

NSViewFrame::~NSViewFrame () noexcept
{
	if (trackingArea)
		[nsView removeTrackingArea:trackingArea];
	[trackingArea release];
	setPlatformFrame (nsView, nullptr);
	[nsView removeFromSuperview];
	[nsView release];
}

void NSViewFrame::deminiaturizeWindow ()
{
	if (frame)
		frame->platformOnDeminiaturize ();
}

void NSViewFrame::invalidRect (const CRect& rect)
{
	const NSRect dirty = toNSRect (rect);
	if ([NSThread isMainThread])
		return [nsView setNeedsDisplayInRect:dirty];
	NSAutoreleasePool* pool = [NSAutoreleasePool new];
	[nsView performSelectorOnMainThread:@selector (setNeedsDisplayInRectValue:)
	                         withObject:[NSValue valueWithRect:dirty]
	                      waitUntilDone:NO];
	[pool release];
}

void NSViewFrame::setSize (const CRect& newSize)
{
	[nsView setFrame:toNSRect (newSize)];
}

SharedPointer<COffscreenContext> NSViewFrame::createOffscreenContext (CCoord width, CCoord height, double scaleFactor)
{
	return createCGOffscreenContext (width, height, scaleFactor);
}

bool NSViewFrame::setMouseCursor (CCursorType type)
{
	[cursorOf (type) set];
	return true;
}

SharedPointer<IPlatformOptionMenu> NSViewFrame::createPlatformOptionMenu ()
{
	if (genericOptionMenuTheme)
		return makeOwned<GenericOptionMenu> (*genericOptionMenuTheme);
	return makeOwned<NSViewOptionMenu> ();
}

void NSViewFrame::setGenericOptionMenuTheme (std::unique_ptr<GenericOptionMenuTheme> theme)
{
	genericOptionMenuTheme = std::move (theme);
}

//------------------------------------------------------------------------------
// One draw context for the whole Cocoa draw, and one frame draw for each
// rectangle being drawn.
void NSViewFrame::drawRect (NSRect)
{
	CGContextRef cgContext = [[NSGraphicsContext currentContext] CGContext];
	if (!cgContext || !frame)
		return;
	const NSRect* rects = nullptr;
	NSInteger count = 0;
	[nsView getRectsBeingDrawn:&rects count:&count];
	CGDrawContext drawContext (cgContext, toCRect ([nsView bounds]));
	if (NSWindow* window = [nsView window])
		drawContext.setScaleFactor ([window backingScaleFactor]);
	for (NSInteger i = 0; i < count; ++i)
		frame->platformDrawRect (&drawContext, toCRect (rects[i]));
}

CPoint NSViewFrame::locationOf (NSEvent* event) const
{
	const NSPoint point = [nsView convertPoint:[event locationInWindow] fromView:nil];
	return CPoint (point.x, point.y);
}

void NSViewFrame::mouseDown (NSEvent* event)
{
	CPoint where = locationOf (event);
	frame->platformOnMouseDown (where, buttonStateOfMouseEvent (event));
}

void NSViewFrame::mouseUp (NSEvent* event)
{
	CPoint where = locationOf (event);
	frame->platformOnMouseUp (where, buttonStateOfMouseEvent (event));
}

// Moves with a button down are drags of that button; plain moves carry the
// modifier keys only.
void NSViewFrame::mouseMoved (NSEvent* event)
{
	CPoint where = locationOf (event);
	const bool dragging = [event type] != NSMouseMoved;
	frame->platformOnMouseMoved (where, dragging ? buttonStateOfMouseEvent (event) : modifierStateOfEvent (event));
}

void NSViewFrame::mouseExited (NSEvent* event)
{
	CPoint where = locationOf (event);
	frame->platformOnMouseExited (where, modifierStateOfEvent (event));
}

void NSViewFrame::scrollWheel (NSEvent* event)
{
	const CPoint where = locationOf (event);
	const CButtonState modifiers = modifierStateOfEvent (event);
	if (const float deltaX = static_cast<float> ([event deltaX]); deltaX != 0.f)
		frame->platformOnMouseWheel (where, kMouseWheelAxisX, deltaX, modifiers);
	if (const float deltaY = static_cast<float> ([event deltaY]); deltaY != 0.f)
		frame->platformOnMouseWheel (where, kMouseWheelAxisY, deltaY, modifiers);
}

void NSViewFrame::windowKeyStateChanged ()
{
	if (frame)
		frame->platformOnActivate ([[nsView window] isKeyWindow]);
}

void NSViewFrame::windowBackingPropertiesChanged ()
{
	if (NSWindow* window = [nsView window]; window && frame)
		frame->platformScaleFactorChanged ([window backingScaleFactor]);
}

// One area over the view's visible rectangle, for the mouse's moves and its
// leaving the view.
void NSViewFrame::updateTrackingArea ()
{
	if (trackingArea)
	{
		[nsView removeTrackingArea:trackingArea];
		[trackingArea release];
	}
	const NSTrackingAreaOptions options =
	    NSTrackingMouseEnteredAndExited | NSTrackingMouseMoved | NSTrackingActiveAlways | NSTrackingInVisibleRect;
	trackingArea = [[NSTrackingArea alloc] initWithRect:[nsView bounds] options:options owner:nsView userInfo:nil];
	[nsView addTrackingArea:trackingArea];
}

} // VSTGUI
