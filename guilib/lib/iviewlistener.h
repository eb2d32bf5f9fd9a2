// Listeners of a view's attachment and of a container's child list. They are
// called on the thread that edits the tree; removal notices come while the
// frame's drawing lock is held, so they must not edit views of that frame.
// Nobody deletes a listener through these interfaces (their destructors are
// protected); the destructors are virtual so that every listener's is.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

class IViewListener
{
public:
	// The view has been attached to a frame, from its parent's attached.
	virtual void viewAttached (CView* view) = 0;
	// The view is being taken off its frame: called from its removed, before
	// it loses its parent and frame.
	virtual void viewRemoved (CView* view) = 0;

protected:
	virtual ~IViewListener () noexcept = default;
};

class IViewContainerListener
{
public:
	virtual void viewContainerViewAdded (CViewContainer* container, CView* view) = 0;
	virtual void viewContainerViewRemoved (CViewContainer* container, CView* view) = 0;
	virtual void viewContainerViewZOrderChanged (CViewContainer* container, CView* view) = 0;

protected:
	virtual ~IViewContainerListener () noexcept = default;
};

// Empty answers, for listeners that care about some of the notices only.
class ViewListenerAdapter : public IViewListener
{
public:
	void viewAttached (CView*) override {}
	void viewRemoved (CView*) override {}
};

class ViewContainerListenerAdapter : public IViewContainerListener
{
public:
	void viewContainerViewAdded (CViewContainer*, CView*) override {}
	void viewContainerViewRemoved (CViewContainer*, CView*) override {}
	void viewContainerViewZOrderChanged (CViewContainer*, CView*) override {}
};

} // VSTGUI
