// Cocoa's positioned popup of a menu and its minimum width, over this
// platform's modal context menu. The context menu opens at the mouse and
// tracks it until a mouse-up; the popup here moves it to the place asked
// for as soon as its tracking begins, before any event reaches it. A menu
// view widens its item cells to its menu's minimum width whenever it sizes
// itself.
#import <AppKit/AppKit.h>

#include "MethodReplacement.h"

#include <algorithm>
#include <map>

// Watches one popup: places the menu when its tracking begins, and notes
// whether an item of the menu, or of one of its submenus, sent its action.
@interface TolvikMenuPopUp : NSObject
{
	NSMenu* menu;
	NSMenuItem* item;
	NSPoint location; // in screen coordinates
	BOOL chosen;
}
- (id)initWithMenu:(NSMenu*)aMenu item:(NSMenuItem*)anItem location:(NSPoint)screenLocation;
- (BOOL)chosen;
@end

namespace {

// Where in the menu window, in its base coordinates, the location goes: the
// top-left corner of the item, or of the window for none.
NSPoint anchorOf (NSMenu* menu, NSMenuItem* item)
{
	NSMenuView* view = [menu menuRepresentation];
	const NSInteger index = item ? [menu indexOfItem:item] : -1;
	if (index < 0)
		return NSMakePoint (0, NSHeight ([[view window] frame]));
	const NSRect rect = [view convertRect:[view rectOfItemAtIndex:index] toView:nil];
	return NSMakePoint (NSMinX (rect), NSMaxY (rect));
}

// The origin moved so that a window of `size` there lies on the screen's
// visible area, as far as it fits.
NSPoint keptOnScreen (NSPoint origin, NSSize size, NSRect visible)
{
	origin.x = std::max (NSMinX (visible), std::min (origin.x, NSMaxX (visible) - size.width));
	origin.y = std::max (NSMinY (visible), std::min (origin.y, NSMaxY (visible) - size.height));
	return origin;
}

bool isWithin (NSMenu* menu, NSMenu* top)
{
	for (; menu; menu = [menu supermenu])
		if (menu == top)
			return true;
	return false;
}

} // namespace

@implementation TolvikMenuPopUp

- (id)initWithMenu:(NSMenu*)aMenu item:(NSMenuItem*)anItem location:(NSPoint)screenLocation
{
	if (!(self = [super init]))
		return nil;
	menu = aMenu;
	item = anItem;
	location = screenLocation;
	NSNotificationCenter* center = [NSNotificationCenter defaultCenter];
	[center addObserver:self
	           selector:@selector (menuDidBeginTracking:)
	               name:NSMenuDidBeginTrackingNotification
	             object:menu];
	[center addObserver:self selector:@selector (menuDidSendAction:) name:NSMenuDidSendActionNotification object:nil];
	return self;
}

- (void)dealloc
{
	[[NSNotificationCenter defaultCenter] removeObserver:self];
	[super dealloc];
}

- (BOOL)chosen
{
	return chosen;
}

// Once, when the menu is on screen and its tracking has not yet begun.
- (void)menuDidBeginTracking:(NSNotification*)notification
{
	[[NSNotificationCenter defaultCenter] removeObserver:self name:[notification name] object:menu];
	NSWindow* window = [[menu menuRepresentation] window];
	const NSPoint anchor = anchorOf (menu, item);
	NSScreen* screen = [window screen] ? [window screen] : [NSScreen mainScreen];
	const NSPoint origin = NSMakePoint (location.x - anchor.x, location.y - anchor.y);
	[menu nestedSetFrameOrigin:keptOnScreen (origin, [window frame].size, [screen visibleFrame])];
}

- (void)menuDidSendAction:(NSNotification*)notification
{
	if (isWithin ([notification object], menu))
		chosen = YES;
}

@end

//------------------------------------------------------------------------------
namespace {

// The menus that have a minimum width, by address (not retained): a menu's
// entry goes when the menu does. Menus live on the main thread.
std::map<NSMenu*, CGFloat>& minimumWidths ()
{
	static std::map<NSMenu*, CGFloat> widths;
	return widths;
}

IMP deallocMenuPrivate = nullptr;
IMP sizeMenuViewToFitPrivate = nullptr;

void deallocMenu (id self, SEL selector)
{
	minimumWidths ().erase (self);
	Tolvik::AppKit::fromIMP<void (*) (id, SEL)> (deallocMenuPrivate) (self, selector);
}

// The width of a menu view's item cells is this platform's own field: the
// view draws and hit-tests its items in cells of that width.
void widenCells (NSMenuView* view, CGFloat extra)
{
	if (Ivar cellSize = class_getInstanceVariable ([NSMenuView class], "_cellSize"))
		reinterpret_cast<NSSize*> (reinterpret_cast<char*> (view) + ivar_getOffset (cellSize))->width += extra;
}

// A vertical menu view narrower than its menu's minimum width widens its
// cells and itself to it; the menu's window takes the view's size.
void sizeMenuViewToFit (id self, SEL selector)
{
	Tolvik::AppKit::fromIMP<void (*) (id, SEL)> (sizeMenuViewToFitPrivate) (self, selector);
	NSMenuView* view = self;
	const CGFloat minimum = [[view menu] minimumWidth];
	const NSSize size = [view frame].size;
	if ([view isHorizontal] || size.width >= minimum)
		return;
	widenCells (view, minimum - size.width);
	[view setFrameSize:NSMakeSize (minimum, size.height)];
}

} // namespace

@implementation NSMenu (TolvikPopUp)

- (BOOL)popUpMenuPositioningItem:(NSMenuItem*)item atLocation:(NSPoint)location inView:(NSView*)view
{
	NSWindow* window = [view window];
	const NSPoint inWindow = view ? [view convertPoint:location toView:nil] : location;
	const NSPoint onScreen = window ? [window convertBaseToScreen:inWindow] : location;
	TolvikMenuPopUp* popUp = [[TolvikMenuPopUp alloc] initWithMenu:self item:item location:onScreen];
	NSEvent* event = [NSEvent mouseEventWithType:NSLeftMouseDown
	                                    location:inWindow
	                               modifierFlags:0
	                                   timestamp:0
	                                windowNumber:[window windowNumber]
	                                     context:nil
	                                 eventNumber:0
	                                  clickCount:1
	                                    pressure:1];
	[NSMenu popUpContextMenu:self withEvent:event forView:view];
	const BOOL chosen = [popUp chosen];
	[popUp release];
	return chosen;
}

- (CGFloat)minimumWidth
{
	auto found = minimumWidths ().find (self);
	return found == minimumWidths ().end () ? 0 : found->second;
}

- (void)setMinimumWidth:(CGFloat)width
{
	minimumWidths ()[self] = width;
	[[self menuRepresentation] setNeedsSizing:YES];
}

+ (void)load
{
	deallocMenuPrivate = Tolvik::AppKit::replaceMethod (self, @selector (dealloc), deallocMenu);
	sizeMenuViewToFitPrivate =
	    Tolvik::AppKit::replaceMethod ([NSMenuView class], @selector (sizeToFit), sizeMenuViewToFit);
}

@end
