#include "TwoFactorStrip.h"

#include "FrameSheet.h"

namespace Tolvik::Testing {

using namespace VSTGUI;

TwoFactorStrip::TwoFactorStrip ()
: first (FrameSheet (100, 100, 3, 1).makeBitmap (1.)), second (FrameSheet (100, 100, 3, 1).makeBitmap (2.))
{
	first->setFrameGrid (3, 1, 0.5);
	bitmap = makeOwned<CBitmap> (first.get ());
	bitmap->addBitmap (second);
}

} // namespace Tolvik::Testing
