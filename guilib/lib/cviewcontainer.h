// A view that holds child views.
#pragma once

#include "cview.h"

namespace VSTGUI {

class CViewContainer : public CView
{
public:
	explicit CViewContainer (const CRect& size);
	CViewContainer (const CViewContainer& other);
	~CViewContainer () noexcept override;
};

} // VSTGUI
