// Diagnostics of this platform's Core Graphics stand-in, for tests only: no
// Mac has these. An observer sees the rectangles that reach a context's
// clipping and image drawing, as the caller passed them (user space), with
// the graphics state in force. Object counts are in CFStandInDiagnostics.h.
#pragma once

#include <CoreGraphics/CGContext.h>

namespace CGStandIn {

struct DrawState
{
	CGAffineTransform ctm;
	CGFloat alpha;
	bool shouldAntialias;
	CGInterpolationQuality interpolationQuality;
};

class ContextObserver
{
public:
	virtual ~ContextObserver () = default;
	virtual void didClipToRect (CGRect rect, const DrawState& state) = 0;
	virtual void willDrawImage (CGRect rect, CGImageRef image, const DrawState& state) = 0;
};

// Observes one context (null: none). The observer must outlive its use.
void setObserver (CGContextRef context, ContextObserver* observer);

} // namespace CGStandIn
