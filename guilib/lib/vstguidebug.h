// The library's assertion handler. A failed check calls the installed
// handler with the source path, the line and a message; without a handler
// a failed check only returns and the caller goes on.
#pragma once

namespace VSTGUI {

using AssertionHandler = void (*) (const char* filename, const char* line, const char* description);

// Installs the handler (null: none). The handler may throw; callers inside
// the library leave their state consistent when it does.
void setAssertionHandler (AssertionHandler handler);
bool hasAssertionHandler ();

void doAssert (const char* filename, const char* line, const char* description = nullptr);

} // VSTGUI

#define VSTGUI_ASSERT_STRINGIFY_(x) #x
#define VSTGUI_ASSERT_STRINGIFY(x) VSTGUI_ASSERT_STRINGIFY_ (x)

// vstgui_assert (condition [, "message"]): reports a false condition to the
// assertion handler, in every build type.
#define vstgui_assert(condition, ...)                                                              \
	do                                                                                             \
	{                                                                                              \
		if (!(condition))                                                                          \
			VSTGUI::doAssert (__FILE__, VSTGUI_ASSERT_STRINGIFY (__LINE__), ##__VA_ARGS__);        \
	} while (false)
