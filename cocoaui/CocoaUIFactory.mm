#import "CocoaUIFactory.h"
#import "SMTGCocoa_NSViewWrapperForAU.h"

#include "lib/pluginguieditor.h"

static NSString* const kNibName = @"TolvikCocoaView";

@implementation TOLVIK_VIEW_FACTORY_CLASS

- (unsigned)interfaceVersion
{
	return 0;
}

- (NSString*)description
{
	return TOLVIK_PRODUCT_NAME;
}

- (NSView*)uiViewForAudioUnit:(AudioUnit)inAudioUnit withSize:(CGSize)inPreferredSize
{
	PluginGUIEditor* editor = nullptr;
	UInt32 size = sizeof (editor);
	if (AudioUnitGetProperty (inAudioUnit, kPluginGUIEditorProperty, kAudioUnitScope_Global, 0, &editor, &size) != noErr)
		return nil;

	if (Tolvik::kFactoryLoadsNib && ![NSBundle loadNibNamed:kNibName owner:self])
		return nil;

	SMTGCocoa_NSViewWrapperForAU* view = [[SMTGCocoa_NSViewWrapperForAU alloc] initWithEditController:editor
	                                                                                          audioUnit:inAudioUnit
	                                                                                      preferredSize:inPreferredSize];
	return [view autorelease];
}

@end
