#include "cdrawcontext.h"

#include <cassert>

namespace VSTGUI {

CDrawContext::Transform::Transform (CDrawContext& context, const CGraphicsTransform& transform)
: context (context), pushed (!transform.isIdentity ())
{
	if (pushed)
		context.pushTransform (transform);
}

CDrawContext::Transform::~Transform () noexcept
{
	if (pushed)
		context.popTransform ();
}

CDrawContext::CDrawContext (const CRect& surfaceRect) : surfaceRect (surfaceRect)
{
	currentState.clipRect = surfaceRect;
}

CDrawContext::~CDrawContext () noexcept = default;

void CDrawContext::pushTransform (const CGraphicsTransform& transform)
{
	transformStack.push_back (getCurrentTransform () * transform);
}

void CDrawContext::popTransform ()
{
	assert (transformStack.size () > 1 && "unbalanced popTransform");
	if (transformStack.size () > 1)
		transformStack.pop_back ();
}

CRect& CDrawContext::getClipRect (CRect& clip) const
{
	// The clip is kept in surface coordinates; hand it out in the current
	// view's. Only translations are undone here, which is what views use.
	const auto& t = getCurrentTransform ();
	clip = currentState.clipRect;
	clip.offset (-t.dx, -t.dy);
	return clip;
}

void CDrawContext::setClipRect (const CRect& clip)
{
	currentState.clipRect = getCurrentTransform ().transform (clip);
}

void CDrawContext::resetClipRect ()
{
	currentState.clipRect = surfaceRect;
}

void CDrawContext::saveGlobalState ()
{
	stateStack.push_back (currentState);
}

void CDrawContext::restoreGlobalState ()
{
	assert (!stateStack.empty () && "unbalanced restoreGlobalState");
	if (stateStack.empty ())
		return;
	currentState = stateStack.back ();
	stateStack.pop_back ();
}

} // VSTGUI
