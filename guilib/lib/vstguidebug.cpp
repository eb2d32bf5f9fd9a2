#include "vstguidebug.h"

#include <atomic>

namespace VSTGUI {

static std::atomic<AssertionHandler> assertionHandler {nullptr};

void setAssertionHandler (AssertionHandler handler)
{
	assertionHandler.store (handler);
}

bool hasAssertionHandler ()
{
	return assertionHandler.load () != nullptr;
}

void doAssert (const char* filename, const char* line, const char* description)
{
	if (auto handler = assertionHandler.load ())
		handler (filename, line, description);
}

} // VSTGUI
