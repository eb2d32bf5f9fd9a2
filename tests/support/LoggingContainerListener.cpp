#include "LoggingContainerListener.h"

#include "ViewNames.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

void LoggingContainerListener::viewContainerViewAdded (CViewContainer*, CView* view)
{
	log.add ("added " + nameOf (view));
	if (whenAdded)
		whenAdded (view);
}

void LoggingContainerListener::viewContainerViewRemoved (CViewContainer*, CView* view)
{
	log.add ("removed " + nameOf (view));
	if (whenRemoved)
		whenRemoved (view);
}

} // Tolvik::Testing
