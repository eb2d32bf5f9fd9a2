#include "ControlTestSupport.h"

#include "lib/cframe.h"
#include "lib/platform/iplatformbitmap.h"

#include <algorithm>
#include <iterator>

namespace Tolvik::Testing {

using namespace VSTGUI;

Names RecordingControlListener::names () const
{
	Names result;
	for (const auto& call : calls)
		result.push_back (call.name);
	return result;
}

size_t RecordingControlListener::count (const std::string& name) const
{
	return static_cast<size_t> (
	    std::count_if (calls.begin (), calls.end (), [&] (const Call& call) { return call.name == name; }));
}

//------------------------------------------------------------------------------
ControlFrame::ControlFrame () : frame (new CFrame (CRect (0, 0, 400, 300), &editor))
{
	platform = openOnRecordingPlatform (*frame);
	clearRecords ();
}

ControlFrame::~ControlFrame ()
{
	frame->close ();
}

CMouseEventResult ControlFrame::down (CPoint where, int32_t buttons)
{
	return frame->platformOnMouseDown (where, CButtonState (buttons));
}

CMouseEventResult ControlFrame::move (CPoint where, int32_t buttons)
{
	return frame->platformOnMouseMoved (where, CButtonState (buttons));
}

CMouseEventResult ControlFrame::up (CPoint where, int32_t buttons)
{
	return frame->platformOnMouseUp (where, CButtonState (buttons));
}

CMouseEventResult ControlFrame::click (CPoint where, int32_t buttons)
{
	const auto result = down (where, buttons);
	up (where, buttons & ~kDoubleClick);
	return result;
}

Names ControlFrame::edits () const
{
	Names result;
	for (const auto& call : log->all ())
		if (call.name == "beginEdit" || call.name == "endEdit")
			result.push_back (call.name + " " + std::to_string (call.index));
	return result;
}

void ControlFrame::clearRecords ()
{
	log->clear ();
	redrawsBefore = platform->invalidRects ().size ();
}

bool ControlFrame::redrawn (const CRect& rect) const
{
	const auto rects = platform->invalidRects ();
	auto meets = [&] (const CRect& r) {
		return r.left < rect.right && rect.left < r.right && r.top < rect.bottom && rect.top < r.bottom;
	};
	return std::any_of (rects.begin () + static_cast<long> (redrawsBefore), rects.end (), meets);
}

//------------------------------------------------------------------------------
SharedPointer<CBitmap> makeSolidStrip (uint32_t width, uint32_t frameHeight, std::initializer_list<uint32_t> colours)
{
	const auto frames = static_cast<uint32_t> (colours.size ());
	auto bitmap = makeOwned<CBitmap> (width, frameHeight * frames);
	auto pixels = bitmap->getPlatformBitmap ()->lockPixels (true);
	for (uint32_t y = 0; y < frameHeight * frames; ++y)
	{
		auto row = reinterpret_cast<uint32_t*> (pixels->getAddress () + y * pixels->getBytesPerRow ());
		std::fill (row, row + width, 0xff000000 | *(colours.begin () + y / frameHeight));
	}
	return bitmap;
}

int frameOfColour (uint32_t word)
{
	const auto it = std::find (std::begin (kStripColours), std::end (kStripColours), word & 0xffffff);
	return it == std::end (kStripColours) || (word >> 24) != 0xff ? -1
	                                                               : static_cast<int> (it - std::begin (kStripColours));
}

} // namespace Tolvik::Testing
