#include "cmousewheeleditingsupport.h"

#include "ccontrol.h"

namespace VSTGUI {

bool CMouseWheelEditingSupport::onWheelStep (CControl* control, float distance, float increment,
                                             const CButtonState& buttons)
{
	if (!control->getMouseEnabled ())
		return false;
	onMouseWheelEditing (control);
	if (buttons () & CControl::kZoomModifier)
		increment *= 0.1f;
	const float previous = control->getValue ();
	control->setValueNormalized (control->getValueNormalized () + distance * increment);
	if (control->getValue () != previous)
		control->valueChanged ();
	if (control->isDirty ())
		control->invalid ();
	return true;
}

void CMouseWheelEditingSupport::onMouseWheelEditing (CControl* control)
{
	if (timer)
	{
		timer->stop ();
		timer->start ();
		return;
	}
	control->beginEdit ();
	timer = makeOwned<CVSTGUITimer> ([this, control] (CVSTGUITimer*) { invalidMouseWheelEditTimer (control); },
	                                 kEditEndDelay);
}

void CMouseWheelEditingSupport::invalidMouseWheelEditTimer (CControl* control)
{
	timer = nullptr;
	if (control->isEditing ())
		control->endEdit ();
}

} // VSTGUI
