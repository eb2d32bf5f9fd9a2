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

// A new class of `superclass`, not yet registered, named `baseName` with a
// suffix that no other class has: Objective-C class names are shared by
// every copy of the library in the process. `owner` (an address of the
// calling copy) goes into the name.
inline Class allocateUniqueClass (Class superclass, const char* baseName, const void* owner)
{
	char name[96];
	Class cls = Nil;
	for (unsigned suffix = 0; !cls; ++suffix)
	{
		std::snprintf (name, sizeof (name), "%s_%p_%u", baseName, owner, suffix);
		if (!objc_lookUpClass (name))
			cls = objc_allocateClassPair (superclass, name, 0);
	}
	return cls;
}

// The instance variable `name` of `object`, looked up on the object's class:
// null for an object whose class has no such variable.
template <typename T>
T* instanceVariable (id object, const char* name)
{
	Ivar variable = class_getInstanceVariable (object_getClass (object), name);
	if (!variable)
		return nullptr;
	return reinterpret_cast<T*> (reinterpret_cast<char*> (object) + ivar_getOffset (variable));
}

// The value of that variable, or T's zero without one.
template <typename T>
T variableOf (id object, const char* name)
{
	auto variable = instanceVariable<T> (object, name);
	return variable ? *variable : T {};
}

// Sets that variable; nothing without one.
template <typename T>
void setVariable (id object, const char* name, T value)
{
	if (auto variable = instanceVariable<T> (object, name))
		*variable = value;
}

// A method type string ("result @ : arguments"), built from this runtime's
// own encodings.
struct TypeString
{
	char text[96];
	TypeString (const char* result, const char* arguments, const char* last = "")
	{
		std::snprintf (text, sizeof (text), "%s@:%s%s", result, arguments, last);
	}
};

} // VSTGUI
