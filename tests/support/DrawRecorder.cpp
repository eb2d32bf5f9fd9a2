#include "DrawRecorder.h"

namespace Tolvik::Testing {

DrawRecorder::DrawRecorder (CGContextRef context) : context (context)
{
	CGStandIn::setObserver (context, this);
}

DrawRecorder::~DrawRecorder ()
{
	CGStandIn::setObserver (context, nullptr);
}

} // namespace Tolvik::Testing
