#include "cdrawcontext.h"

#include "vstguidebug.h"

#include <algorithm>
#include <cmath>

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
	vstgui_assert (transformStack.size () > 1, "unbalanced popTransform");
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
	vstgui_assert (!stateStack.empty (), "unbalanced restoreGlobalState");
	if (stateStack.empty ())
		return;
	currentState = stateStack.back ();
	stateStack.pop_back ();
}

namespace {

// Each coordinate on the way must move on by a whole tile: a tile too small
// for the rectangle's coordinates, or an endless rectangle, would never end.
bool isTileable (const CRect& srcRect, const CRect& dstRect)
{
	const double tileWidth = srcRect.getWidth (), tileHeight = srcRect.getHeight ();
	return tileWidth > 0. && tileHeight > 0. && std::isfinite (tileWidth) && std::isfinite (tileHeight) &&
	       std::isfinite (dstRect.left) && std::isfinite (dstRect.top) && std::isfinite (dstRect.right) &&
	       std::isfinite (dstRect.bottom);
}

} // namespace

void CDrawContext::fillRectWithBitmap (CBitmap* bitmap, const CRect& srcRect, const CRect& dstRect, float alpha)
{
	if (!isTileable (srcRect, dstRect))
		return;
	const CPoint offset = srcRect.getTopLeft ();
	for (CCoord top = dstRect.top; top < dstRect.bottom;)
	{
		const CCoord nextTop = top + srcRect.getHeight ();
		for (CCoord left = dstRect.left; left < dstRect.right;)
		{
			const CCoord nextLeft = left + srcRect.getWidth ();
			drawBitmap (bitmap, CRect (left, top, std::min (nextLeft, dstRect.right), std::min (nextTop, dstRect.bottom)),
			            offset, alpha);
			if (!(nextLeft > left))
				break;
			left = nextLeft;
		}
		if (!(nextTop > top))
			break;
		top = nextTop;
	}
}

} // VSTGUI
