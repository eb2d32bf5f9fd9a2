#include "ViewNames.h"

#include "Named.h"

#include "lib/cviewcontainer.h"

namespace Tolvik::Testing {

std::string nameOf (VSTGUI::CView* view)
{
	auto named = dynamic_cast<Named*> (view);
	return named ? named->name : "?";
}

Names childNamesOf (const VSTGUI::CViewContainer& container)
{
	Names names;
	for (const auto& child : container.getChildren ())
		names.push_back (nameOf (child));
	return names;
}

} // Tolvik::Testing
