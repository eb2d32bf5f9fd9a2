// Tracking areas over this platform's tracking rectangles. A view keeps its
// areas here; while it is in a window each area is a tracking rectangle of
// the view, which tells the area's owner when the mouse enters and leaves.
// Mouse-moved options make the window deliver mouse-moved events, which this
// platform sends to the view under the mouse.
#import <AppKit/AppKit.h>

#include "MethodReplacement.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct Area
{
	NSTrackingArea* area;
	NSTrackingRectTag tag {0};
	bool installed {false};
};

// Views by address, not retained: a view removes its areas before it goes.
// Main thread only, as all view work.
std::map<NSView*, std::vector<Area>>& areasByView ()
{
	static std::map<NSView*, std::vector<Area>> areas;
	return areas;
}

void install (NSView* view, Area& entry)
{
	NSWindow* window = [view window];
	if (!window || entry.installed)
		return;
	const NSTrackingAreaOptions options = [entry.area options];
	const NSRect rect = (options & NSTrackingInVisibleRect) ? [view visibleRect] : [entry.area rect];
	entry.tag = [view addTrackingRect:rect owner:[entry.area owner] userData:nullptr assumeInside:NO];
	entry.installed = true;
	if (options & NSTrackingMouseMoved)
		[window setAcceptsMouseMovedEvents:YES];
}

void uninstall (NSView* view, Area& entry)
{
	if (!entry.installed)
		return;
	[view removeTrackingRect:entry.tag];
	entry.installed = false;
}

IMP viewDidMoveToWindowPrivate = nullptr;

// AppKit asks a view to update its tracking areas when it moves into a
// window; this platform does not, so it is done after the move here.
void viewDidMoveToWindow (id self, SEL selector)
{
	Tolvik::AppKit::fromIMP<void (*) (id, SEL)> (viewDidMoveToWindowPrivate) (self, selector);
	if ([static_cast<NSView*> (self) window])
		[self updateTrackingAreas];
}

} // namespace

@implementation NSView (TolvikTrackingAreas)

- (void)addTrackingArea:(NSTrackingArea*)trackingArea
{
	if (!trackingArea)
		return;
	auto& areas = areasByView ()[self];
	areas.push_back ({[trackingArea retain]});
	install (self, areas.back ());
}

- (void)removeTrackingArea:(NSTrackingArea*)trackingArea
{
	auto found = areasByView ().find (self);
	if (found == areasByView ().end ())
		return;
	auto& areas = found->second;
	auto it = std::find_if (areas.begin (), areas.end (), [&] (const Area& a) { return a.area == trackingArea; });
	if (it == areas.end ())
		return;
	uninstall (self, *it);
	[it->area release];
	areas.erase (it);
	if (areas.empty ())
		areasByView ().erase (found);
}

- (NSArray*)trackingAreas
{
	NSMutableArray* result = [NSMutableArray array];
	auto found = areasByView ().find (self);
	if (found != areasByView ().end ())
		for (const auto& entry : found->second)
			[result addObject:entry.area];
	return result;
}

// The areas again over the view's rectangles as they are now.
- (void)updateTrackingAreas
{
	auto found = areasByView ().find (self);
	if (found == areasByView ().end ())
		return;
	for (auto& entry : found->second)
	{
		uninstall (self, entry);
		install (self, entry);
	}
}

+ (void)load
{
	viewDidMoveToWindowPrivate = Tolvik::AppKit::replaceMethod (self, @selector (_viewDidMoveToWindow),
	                                                            viewDidMoveToWindow);
}

@end
