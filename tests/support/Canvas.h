// A transparent bitmap context of width by height points at `scaleFactor`
// pixels a point, a CGDrawContext over it, and its pixels to look at.
#pragma once

#include "PositionImage.h"

#include "lib/platform/mac/cgdrawcontext.h"

#include <cstddef>
#include <cstdint>

namespace Tolvik::Testing {

class Canvas
{
public:
	Canvas (double width, double height, double scaleFactor = 1.);
	~Canvas ();
	Canvas (const Canvas&) = delete;
	Canvas& operator= (const Canvas&) = delete;

	VSTGUI::CGDrawContext& context () { return *drawContext; }
	CGContextRef cgContext () const { return cg; }
	// The pixel under the view point (x, y).
	ImagePixel at (double x, double y) const;
	uint32_t wordAt (double x, double y) const;
	// The pixel in device column `column` of device row `row`, rows counted
	// from the top.
	uint32_t deviceWordAt (size_t column, size_t row) const;
	size_t deviceWidth () const;
	size_t deviceHeight () const;
	// Whether any pixel outside `rect` (view coordinates) was drawn.
	bool drawnOutside (const VSTGUI::CRect& rect) const;

private:
	double scaleFactor;
	CGContextRef cg;
	VSTGUI::SharedPointer<VSTGUI::CGDrawContext> drawContext;
};

} // namespace Tolvik::Testing
