#include "cframe.h"

namespace VSTGUI {

struct CFrame::Impl
{
	VSTGUIEditorInterface* editor {nullptr};
};

CFrame::CFrame (const CRect& size, VSTGUIEditorInterface* editor)
: CViewContainer (size), guiDrawingLock (0), pImpl (nullptr)
{
	pImpl = new Impl;
	pImpl->editor = editor;
	pFrame = this;
}

CFrame::~CFrame () noexcept
{
	delete pImpl;
}

VSTGUIEditorInterface* CFrame::getEditor () const
{
	return pImpl->editor;
}

} // VSTGUI
