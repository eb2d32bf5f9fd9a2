#include "TestContainer.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

TestContainer::TestContainer (EventLog* log, std::string name, const CRect& size)
: CViewContainer (size), Named (log, std::move (name))
{
}

bool TestContainer::removed (CViewContainer* parent)
{
	note ("removed");
	return CViewContainer::removed (parent);
}

void TestContainer::drawBackgroundRect (CDrawContext*, const CRect&)
{
	note ("background");
}

} // Tolvik::Testing
