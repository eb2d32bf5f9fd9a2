// How knobs follow a drag: the frame asks its editor, the knobs ask the frame.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CKnobMode : int32_t
{
	kCircularMode = 0,
	kRelativCircularMode,
	kLinearMode
};

} // VSTGUI
