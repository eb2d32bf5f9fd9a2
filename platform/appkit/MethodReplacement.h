// Puts an implementation of our own in place of a class's method, once per
// process, and hands back the one it replaced, for the new one to call.
#pragma once

#include <objc/runtime.h>

namespace Tolvik::AppKit {

// Method implementations are plain functions of their own types; IMP is
// their common type, reached through a function pointer without arguments.
template <typename Function>
IMP toIMP (Function function)
{
	return reinterpret_cast<IMP> (reinterpret_cast<void (*) ()> (function));
}

template <typename Function>
Function fromIMP (IMP imp)
{
	return reinterpret_cast<Function> (reinterpret_cast<void (*) ()> (imp));
}

template <typename Function>
IMP replaceMethod (Class cls, SEL selector, Function replacement)
{
	Method method = class_getInstanceMethod (cls, selector);
	return method ? method_setImplementation (method, toIMP (replacement)) : nullptr;
}

} // namespace Tolvik::AppKit
