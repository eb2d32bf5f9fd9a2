#include "cshadowviewcontainer.h"

#include "coffscreencontext.h"

#include <cmath>

namespace VSTGUI {
namespace {

// The context's scale factor, times the whole-number part (rounded) of a
// transform that scales both axes alike: the image is made at the density of
// the pixels it will cover.
double drawingScaleOf (const CDrawContext& context)
{
	double scale = context.getScaleFactor ();
	const auto& t = context.getCurrentTransform ();
	if (t.m11 == t.m22)
	{
		const double wholeScale = std::floor (t.m11 + 0.5);
		if (wholeScale != 0.)
			scale *= wholeScale;
	}
	return scale;
}

// Sets a flag for its life, and clears it also when drawing throws.
class ScopedFlag
{
public:
	explicit ScopedFlag (bool& flag) : flag (flag) { flag = true; }
	~ScopedFlag () noexcept { flag = false; }
	ScopedFlag (const ScopedFlag&) = delete;
	ScopedFlag& operator= (const ScopedFlag&) = delete;

private:
	bool& flag;
};

} // namespace

CShadowViewContainer::CShadowViewContainer (const CRect& size) : CViewContainer (size)
{
	registerViewContainerListener (this);
}

CShadowViewContainer::CShadowViewContainer (const CShadowViewContainer& copy)
: CViewContainer (copy),
  ViewContainerListenerAdapter (),
  shadowOffset (copy.shadowOffset),
  shadowIntensity (copy.shadowIntensity),
  shadowBlurSize (copy.shadowBlurSize)
{
	// The original's image shows the original's children.
	setBackground (nullptr);
	registerViewContainerListener (this);
}

CShadowViewContainer::~CShadowViewContainer () noexcept
{
	unregisterViewContainerListener (this);
}

void CShadowViewContainer::setShadowOffset (const CPoint& offset)
{
	if (offset == shadowOffset)
		return;
	shadowOffset = offset;
	invalidateShadow ();
}

void CShadowViewContainer::setShadowIntensity (float intensity)
{
	if (intensity == shadowIntensity)
		return;
	// Only the alpha at which the image shows changes.
	shadowIntensity = intensity;
	invalid ();
}

void CShadowViewContainer::setShadowBlurSize (double size)
{
	if (size == shadowBlurSize)
		return;
	shadowBlurSize = size;
	invalidateShadow ();
}

void CShadowViewContainer::invalidateShadow ()
{
	scaleFactorUsed.store (0., std::memory_order_relaxed);
	invalid ();
}

bool CShadowViewContainer::attached (CViewContainer* parent)
{
	const bool result = CViewContainer::attached (parent);
	invalidateShadow ();
	return result;
}

bool CShadowViewContainer::removed (CViewContainer* parent)
{
	setBackground (nullptr);
	return CViewContainer::removed (parent);
}

CMessageResult CShadowViewContainer::notify (CView* sender, IdStringPtr message)
{
	if (message == kMsgViewSizeChanged)
		invalidateShadow ();
	return CViewContainer::notify (sender, message);
}

void CShadowViewContainer::onScaleFactorChanged (double newScaleFactor)
{
	invalidateShadow ();
	CViewContainer::onScaleFactorChanged (newScaleFactor);
}

void CShadowViewContainer::viewContainerViewAdded (CViewContainer*, CView*)
{
	invalidateShadow ();
}

void CShadowViewContainer::viewContainerViewRemoved (CViewContainer*, CView*)
{
	invalidateShadow ();
}

void CShadowViewContainer::viewContainerViewZOrderChanged (CViewContainer*, CView*)
{
	invalidateShadow ();
}

void CShadowViewContainer::drawBackgroundRect (CDrawContext* context, const CRect& updateRect)
{
	if (dontDrawBackground)
		return;
	const float alpha = context->getGlobalAlpha ();
	context->setGlobalAlpha (shadowIntensity * alpha);
	CViewContainer::drawBackgroundRect (context, updateRect);
	context->setGlobalAlpha (alpha);
}

void CShadowViewContainer::drawChildrenOnly (CDrawContext& offscreen)
{
	ScopedFlag noBackground (dontDrawBackground);
	CViewContainer::drawRect (&offscreen, size);
}

// Makes the image when the drawing scale differs from that of the last one,
// then draws the container with it; otherwise draws the container with the
// image it has.
void CShadowViewContainer::drawRect (CDrawContext* context, const CRect& updateRect)
{
	const double scale = drawingScaleOf (*context);
	const CCoord width = size.getWidth (), height = size.getHeight ();
	if (scale == scaleFactorUsed.load (std::memory_order_relaxed) || !(width > 0.) || !(height > 0.))
	{
		CViewContainer::drawRect (context, updateRect);
		return;
	}
	// Set even when no image comes of it: later draws at this scale are
	// plain draws until the shadow is invalidated.
	scaleFactorUsed.store (scale, std::memory_order_relaxed);
	auto offscreen = COffscreenContext::create (getFrame (), width, height, scale);
	if (!offscreen)
		return;

	offscreen->beginDraw ();
	// The container's top-left corner moved by the offset becomes the image's
	// origin: the copy shows moved back by the offset.
	CDrawContext::Transform toImage (
	    *offscreen, CGraphicsTransform ().translate (-size.left - shadowOffset.x, -size.top - shadowOffset.y));
	drawChildrenOnly (*offscreen);
	offscreen->endDraw ();

	if (auto image = offscreen->getBitmap ())
	{
		setBackground (image);
		CViewContainer::drawRect (context, updateRect);
	}
}

} // VSTGUI
