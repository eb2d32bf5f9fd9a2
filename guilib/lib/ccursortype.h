// The mouse cursor shapes a view can ask its frame for.
#pragma once

namespace VSTGUI {

enum CCursorType
{
	kCursorDefault = 0,
	kCursorWait,
	kCursorHSize,
	kCursorVSize,
	kCursorSizeAll,
	kCursorNESWSize,
	kCursorNWSESize,
	kCursorCopy,
	kCursorNotAllowed,
	kCursorHand
};

} // VSTGUI
