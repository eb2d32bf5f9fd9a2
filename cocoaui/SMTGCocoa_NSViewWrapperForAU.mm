#import "SMTGCocoa_NSViewWrapperForAU.h"

#include "BuildVariant.h"
#include "lib/cframe.h"
#include "lib/pluginguieditor.h"

static const CGFloat kInitialViewSize = 100.;
static const CGFloat kFramelessEditorViewSize = 200.;

@implementation SMTGCocoa_NSViewWrapperForAU

- (id)initWithEditController:(PluginGUIEditor*)editor
                   audioUnit:(AudioUnit)unit
               preferredSize:(CGSize)size
{
	(void)size; // the editor's frame decides the size
	self = [super initWithFrame:CGRectMake (0, 0, kInitialViewSize, kInitialViewSize)];
	if (!self)
		return nil;
	if (!editor)
	{
		// A unit may answer the editor property with a null address: there is
		// nothing to show.
		[self release];
		return nil;
	}

	editController = editor;
	audioUnit = unit;
	editController->open (self);

	CGRect frameRect = CGRectMake (0, 0, kFramelessEditorViewSize, kFramelessEditorViewSize);
	if (VSTGUI::CFrame* frame = editController->getFrame ())
	{
		const VSTGUI::CRect& editorRect = frame->getViewSize ();
		frameRect = CGRectMake (0, 0, editorRect.getWidth (), editorRect.getHeight ());
	}
	// NSView's setFrame: itself: the override is there for the host's calls.
	[super setFrame:frameRect];
	return self;
}

// Only the view's own frame changes: the editor keeps the size it has.
- (void)setFrame:(CGRect)frameRect
{
	[super setFrame:frameRect];
}

- (BOOL)isFlipped
{
	return YES;
}

// Moving the view between superviews leaves the open editor alone.
- (void)viewDidMoveToSuperview
{
}

- (void)dealloc
{
	if (editController)
	{
		editController->close ();
		if (Tolvik::kViewDeletesOwnerlessEditor && editController->owner == nullptr)
		{
			delete editController;
			editController = nullptr;
		}
	}
	[super dealloc];
}

@end
