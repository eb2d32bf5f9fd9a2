// Test views carry a name, so that a test can state a container's children
// as a list of names.
#pragma once

#include "Names.h"

#include "lib/vstguifwd.h"

#include <string>

namespace Tolvik::Testing {

// The name of a named view, "?" for other views.
std::string nameOf (VSTGUI::CView* view);
// The names of a container's children, in their order.
Names childNamesOf (const VSTGUI::CViewContainer& container);

} // Tolvik::Testing
