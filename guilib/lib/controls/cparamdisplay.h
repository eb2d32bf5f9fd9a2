// A control that shows its value: the base of option menus. This build draws
// its background bitmap (the view's) only, no text.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class CBitmap;

// Style bits of a parameter display and its subclasses.
enum CParamDisplayStyle : int32_t
{
	kNoTextStyle = 1 << 0,
	kPopupStyle = 1 << 8,         // an option menu pops up over itself, positioned at its current item
	kCheckStyle = 1 << 9,         // an option menu marks its current item
	kMultipleCheckStyle = 1 << 10 // ... or toggles the mark of each chosen item
};

class CParamDisplay : public CControl
{
public:
	CParamDisplay (const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
	CParamDisplay (const CParamDisplay& other);
	~CParamDisplay () noexcept override;

	virtual void setStyle (int32_t newStyle);
	int32_t getStyle () const { return style; }

	void draw (CDrawContext* context) override;

protected:
	// Draws `bitmap` over the view's rectangle.
	void drawBitmap (CDrawContext* context, CBitmap* bitmap);

	int32_t style;
};

} // VSTGUI
