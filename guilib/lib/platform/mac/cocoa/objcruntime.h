// Small pieces for classes made at run time: method implementations are
// plain functions of their own types, and IMP is their common type.
#pragma once

#include <objc/runtime.h>

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

} // VSTGUI
