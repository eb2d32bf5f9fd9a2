#import "HostHooks.h"

#include <objc/runtime.h>

namespace Tolvik::Testing {

std::function<void (NSView*)> onNSViewDealloc;

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
IMP originalLoadNib = nullptr;

void hookedNSViewDealloc (id self, SEL cmd)
{
	if (onNSViewDealloc)
		onNSViewDealloc (self);
	impCast<void (*) (id, SEL)> (originalNSViewDealloc) (self, cmd);
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
	// NSView implements dealloc itself, so this replaces only NSView's.
	Method dealloc = class_getInstanceMethod ([NSView class], @selector (dealloc));
	originalNSViewDealloc = method_setImplementation (dealloc, toImp (&hookedNSViewDealloc));
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
