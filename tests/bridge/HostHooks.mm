#import "HostHooks.h"

#include <objc/runtime.h>

namespace Tolvik::Testing {

std::function<void (NSView*)> onNSViewDealloc;
std::function<void (NSView*)> onNSViewDidMoveToSuperview;
std::function<void (NSView*, NSRect)> onViewClassSetFrame;

const char* const kViewClass = "SMTGCocoa_NSViewWrapperForAU";

std::vector<NibLoad>& nibLoads ()
{
	static std::vector<NibLoad> loads;
	return loads;
}

namespace {

// Method implementations are stored as IMP and called through their real
// signature; the detour through a plain function type keeps g++ from
// warning about the cast.
template <typename Function>
Function impCast (IMP imp)
{
	return reinterpret_cast<Function> (reinterpret_cast<void (*) ()> (imp));
}

template <typename Function>
IMP toImp (Function function)
{
	return reinterpret_cast<IMP> (reinterpret_cast<void (*) ()> (function));
}

IMP originalNSViewDealloc = nullptr;
IMP originalNSViewDidMoveToSuperview = nullptr;
IMP originalViewClassSetFrame = nullptr;
IMP originalLoadNib = nullptr;

void hookedNSViewDealloc (id self, SEL cmd)
{
	if (onNSViewDealloc)
		onNSViewDealloc (self);
	impCast<void (*) (id, SEL)> (originalNSViewDealloc) (self, cmd);
}

void hookedNSViewDidMoveToSuperview (id self, SEL cmd)
{
	if (onNSViewDidMoveToSuperview)
		onNSViewDidMoveToSuperview (self);
	impCast<void (*) (id, SEL)> (originalNSViewDidMoveToSuperview) (self, cmd);
}

void hookedViewClassSetFrame (id self, SEL cmd, NSRect frame)
{
	if (onViewClassSetFrame)
		onViewClassSetFrame (self, frame);
	impCast<void (*) (id, SEL, NSRect)> (originalViewClassSetFrame) (self, cmd, frame);
}

// Replaces `cls`'s own implementation of `sel`, or gives `cls` one when it
// only inherits it (replacing the inherited one would hook the superclass).
// Returns the implementation that the hook must forward to.
IMP hookMethod (Class cls, SEL sel, IMP hook)
{
	Method method = class_getInstanceMethod (cls, sel);
	IMP original = method_getImplementation (method);
	if (!class_addMethod (cls, sel, hook, method_getTypeEncoding (method)))
		method_setImplementation (class_getInstanceMethod (cls, sel), hook);
	return original;
}

BOOL hookedLoadNib (id self, SEL cmd, NSString* name, id owner)
{
	BOOL loaded = impCast<BOOL (*) (id, SEL, NSString*, id)> (originalLoadNib) (self, cmd, name, owner);
	nibLoads ().push_back ({[name UTF8String], owner, loaded});
	return loaded;
}

} // namespace

void installHostHooks ()
{
	if (originalNSViewDealloc)
		return;
	originalNSViewDealloc = hookMethod ([NSView class], @selector (dealloc), toImp (&hookedNSViewDealloc));
	originalNSViewDidMoveToSuperview =
	    hookMethod ([NSView class], @selector (viewDidMoveToSuperview), toImp (&hookedNSViewDidMoveToSuperview));
	originalViewClassSetFrame =
	    hookMethod (objc_lookUpClass (kViewClass), @selector (setFrame:), toImp (&hookedViewClassSetFrame));
	Method loadNib = class_getClassMethod ([NSBundle class], @selector (loadNibNamed:owner:));
	originalLoadNib = method_setImplementation (loadNib, toImp (&hookedLoadNib));
}

void* pointerIvar (id object, const char* name)
{
	Ivar ivar = class_getInstanceVariable (object_getClass (object), name);
	if (!ivar)
		return nullptr;
	return *reinterpret_cast<void**> (reinterpret_cast<char*> (object) + ivar_getOffset (ivar));
}

} // Tolvik::Testing
