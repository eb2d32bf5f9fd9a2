// The root container of an editor's view tree, shown in a platform view.
#pragma once

#include "cviewcontainer.h"

namespace VSTGUI {

class CFrame : public CViewContainer
{
public:
	// `editor` is kept unchanged for the frame's life and never deleted.
	CFrame (const CRect& size, VSTGUIEditorInterface* editor);
	~CFrame () noexcept override;

	VSTGUIEditorInterface* getEditor () const;

protected:
	struct Impl;

	int32_t guiDrawingLock;
	Impl* pImpl;
};

} // VSTGUI
