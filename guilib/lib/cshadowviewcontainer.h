// A container that shows a shadow of its children beneath them: the
// children drawn offscreen, moved by the shadow offset, shown as the
// container's background at the shadow intensity. The image is a sharp copy
// of the children in their own colours; it is made again only when the
// drawing scale changes or the shadow is invalidated.
#pragma once

#include "cviewcontainer.h"

#include <atomic>

namespace VSTGUI {

class CShadowViewContainer : public CViewContainer, public ViewContainerListenerAdapter
{
public:
	explicit CShadowViewContainer (const CRect& size);
	// A copy has the original's offset, intensity and blur size, and makes an
	// image of its own.
	CShadowViewContainer (const CShadowViewContainer& copy);
	~CShadowViewContainer () noexcept override;

	// The copy shows moved back by the offset: (3, 4) puts it 3 units left of
	// and 4 above the children (with the background offset at (0, 0)).
	void setShadowOffset (const CPoint& offset);
	const CPoint& getShadowOffset () const { return shadowOffset; }
	// The alpha of the shadow image, times the context's global alpha.
	void setShadowIntensity (float intensity);
	float getShadowIntensity () const { return shadowIntensity; }
	// Stored for callers; the shadow is not blurred, though a new size makes
	// the image again.
	void setShadowBlurSize (double size);
	double getShadowBlurSize () const { return shadowBlurSize; }

	// Makes the next draw make the image again, and asks for that draw.
	void invalidateShadow ();

	// CViewContainer
	void drawRect (CDrawContext* context, const CRect& updateRect) override;
	bool attached (CViewContainer* parent) override;
	// Drops the image: the container makes a new one once it is back on a frame.
	bool removed (CViewContainer* parent) override;
	CMessageResult notify (CView* sender, IdStringPtr message) override;
	void onScaleFactorChanged (double newScaleFactor) override;

	// IViewContainerListener, of the container's own children: another child
	// list makes another image. On the thread that edits the tree.
	void viewContainerViewAdded (CViewContainer* container, CView* view) override;
	void viewContainerViewRemoved (CViewContainer* container, CView* view) override;
	void viewContainerViewZOrderChanged (CViewContainer* container, CView* view) override;

protected:
	// The shadow image at the shadow intensity; nothing while the children
	// are drawn into the image.
	void drawBackgroundRect (CDrawContext* context, const CRect& updateRect) override;

private:
	// The container's own drawing, without the background, into the
	// offscreen context.
	void drawChildrenOnly (CDrawContext& offscreen);

	CPoint shadowOffset;
	float shadowIntensity {0.3f};
	double shadowBlurSize {4.};
	// The drawing scale of the last image made, 0 when the next draw has to
	// make one. Child events may reset it on an editing thread.
	std::atomic<double> scaleFactorUsed {0.};
	bool dontDrawBackground {false};
};

} // VSTGUI
