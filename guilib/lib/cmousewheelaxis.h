// The direction of one mouse-wheel event.
#pragma once

namespace VSTGUI {

enum CMouseWheelAxis
{
	kMouseWheelAxisX = 0,
	kMouseWheelAxisY
};

} // VSTGUI
