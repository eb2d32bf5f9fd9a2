// Hears of a control's value changes and of the edits around them.
#pragma once

#include "../vstguifwd.h"

#include <cstdint>

namespace VSTGUI {

class CControl;

class IControlListener
{
public:
	virtual void valueChanged (CControl* control) = 0;
	virtual void controlBeginEdit (CControl*) {}
	virtual void controlEndEdit (CControl*) {}

protected:
	virtual ~IControlListener () noexcept = default;
};

} // VSTGUI
