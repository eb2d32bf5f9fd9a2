#include "SolidView.h"

#include "lib/cdrawcontext.h"
#include "lib/platform/iplatformbitmap.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

SolidView::SolidView (const CRect& size, uint32_t rgb)
: CView (size), bitmap (makeOwned<CBitmap> (size.getWidth (), size.getHeight ()))
{
	auto pixels = bitmap->getPlatformBitmap ()->lockPixels (true);
	const auto width = static_cast<uint32_t> (size.getWidth ()), height = static_cast<uint32_t> (size.getHeight ());
	for (uint32_t y = 0; y < height; ++y)
	{
		auto row = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
		for (uint32_t x = 0; x < width; ++x)
			row[x] = 0xff000000 | rgb;
	}
}

void SolidView::draw (CDrawContext* context)
{
	if (whenDrawn)
		whenDrawn ();
	context->drawBitmap (bitmap, getViewSize (), CPoint (), 1.f);
	CView::draw (context);
}

} // Tolvik::Testing
