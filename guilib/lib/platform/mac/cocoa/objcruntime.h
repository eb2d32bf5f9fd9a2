// Small pieces for classes made at run time: method implementations are
// plain functions of their own types, and IMP is their common type.
#pragma once

#include <objc/runtime.h>

#include <cstdio>

namespace VSTGUI {

template <typename Function>
IMP toIMP (Function function)
{
	return reinterpret_cast<IMP> (reinterpret_cast<void (*) ()> (function));
}

// Calls the implementation that `cls` has for `selector`, for a method that
// a subclass adds and that calls on to its superclass's.
template <typename Result, typename... Args>
Result callImplementation (Class cls, id receiver, SEL selector, Args... args)
{
	IMP imp = class_getMethodImplementation (cls, selector);
	return reinterpret_cast<Result (*) (id, SEL, Args...)> (reinterpret_cast<void (*) ()> (imp)) (receiver, selector,
	                                                                                             args...);
}

// A new class pair under `baseName` and a suffix that no class of the process
// has: class names are one namespace for every plug-in in a host. `tag`, an
// address in the caller's copy of the library, goes into the name. The
// caller adds the class's variables and methods, then registers it.
inline Class allocateUniqueClassPair (Class superclass, const char* baseName, const void* tag)
{
	char name[96];
	Class cls = Nil;
	for (unsigned suffix = 0; !cls; ++suffix)
	{
		std::snprintf (name, sizeof (name), "%s_%p_%u", baseName, tag, suffix);
		if (!objc_lookUpClass (name))
			cls = objc_allocateClassPair (superclass, name, 0);
	}
	return cls;
}

} // VSTGUI
