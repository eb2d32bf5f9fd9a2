#include "cparamdisplay.h"

#include "../cbitmap.h"
#include "../cdrawcontext.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay (const CRect& size, CBitmap* background, int32_t style)
: CControl (size), style (style)
{
	setBackground (background);
}

CParamDisplay::CParamDisplay (const CParamDisplay& other)
: CControl (other), style (other.style)
{
}

CParamDisplay::~CParamDisplay () noexcept = default;

void CParamDisplay::setStyle (int32_t newStyle)
{
	style = newStyle;
	setDirty ();
}

void CParamDisplay::drawBitmap (CDrawContext* context, CBitmap* bitmap)
{
	if (context && bitmap)
		context->drawBitmap (bitmap, getViewSize (), CPoint (), 1.f);
}

void CParamDisplay::draw (CDrawContext* context)
{
	drawBitmap (context, getBackground ());
	setDirty (false);
}

} // VSTGUI
