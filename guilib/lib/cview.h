// The base of everything that appears in a frame: a rectangle in its parent's
// coordinates, a parent container and the frame it is shown in.
#pragma once

#include "crect.h"
#include "vstguibase.h"

namespace VSTGUI {

class CView : public ReferenceCounted
{
public:
	explicit CView (const CRect& size);
	CView (const CView& other);
	~CView () noexcept override;

	// The view's rectangle in its parent's coordinates.
	const CRect& getViewSize () const { return size; }
	virtual void setViewSize (const CRect& rect, bool invalid = true);

	// The frame the view is shown in: set by attached, cleared by removed.
	CFrame* getFrame () const { return pFrame; }
	CViewContainer* getParentView () const { return pParentView; }
	// The editor of the view's frame, or null when the view has no frame.
	VSTGUIEditorInterface* getEditor () const;

protected:
	CRect size;
	CFrame* pFrame {nullptr};
	CViewContainer* pParentView {nullptr};
};

} // VSTGUI
