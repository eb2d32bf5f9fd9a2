#include "ccontrol.h"

#include "../cframe.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

int32_t CControl::kDefaultValueModifier = kControl;
int32_t CControl::kZoomModifier = kShift;

CControl::CControl (const CRect& size, IControlListener* listener, int32_t tag)
: CView (size), tag (tag), listener (listener)
{
}

CControl::CControl (const CControl& other)
: CView (other),
  value (other.value),
  vmin (other.vmin),
  vmax (other.vmax),
  defaultValue (other.defaultValue),
  oldValue (other.oldValue),
  tag (other.tag),
  listener (other.listener)
{
}

CControl::~CControl () noexcept = default;

void CControl::setValue (float newValue)
{
	value = newValue;
}

void CControl::setValueNormalized (float normalized)
{
	if (std::isnan (normalized))
		return;
	setValue (getMin () + std::clamp (normalized, 0.f, 1.f) * getRange ());
}

float CControl::getValueNormalized () const
{
	const float range = getRange ();
	return range == 0.f ? 0.f : (getValue () - getMin ()) / range;
}

void CControl::bounceValue ()
{
	if (value > getMax ())
		value = getMax ();
	else if (value < getMin ())
		value = getMin ();
}

bool CControl::checkDefaultValue (CButtonState buttons)
{
	if (!buttons.isDoubleClick () &&
	    !(buttons.getButtonState () == kLButton && buttons.getModifierState () == kDefaultValueModifier))
		return false;
	const float defaultValue = getDefaultValue ();
	if (defaultValue == getValue ())
		return true;
	beginEdit ();
	setValue (defaultValue);
	valueChanged ();
	endEdit ();
	// Marked as changed and redrawn with its new value: no pass over dirty
	// views follows the click that reset it.
	setDirty (true);
	invalid ();
	return true;
}

template <typename Call>
void CControl::notifyListeners (Call&& call)
{
	if (listener)
		call (listener);
	subListeners.forEach (call);
}

void CControl::valueChanged ()
{
	notifyListeners ([this] (IControlListener* l) { l->valueChanged (this); });
}

void CControl::valueChangedSince (float previousValue)
{
	if (value != previousValue)
		valueChanged ();
	if (isDirty ())
		invalid ();
}

void CControl::beginEdit ()
{
	if (editing++ > 0)
		return;
	if (auto frame = getFrame ())
		frame->beginEdit (tag);
	notifyListeners ([this] (IControlListener* l) { l->controlBeginEdit (this); });
}

void CControl::endEdit ()
{
	if (editing == 0 || --editing > 0)
		return;
	notifyListeners ([this] (IControlListener* l) { l->controlEndEdit (this); });
	if (auto frame = getFrame ())
		frame->endEdit (tag);
}

void CControl::setDirty (bool state)
{
	CView::setDirty (state);
	// A marked control compares unequal to its old value until it is drawn.
	if (state)
		oldValue = value == -1.f ? 0.f : -1.f;
	else
		oldValue = value;
}

bool CControl::isDirty () const
{
	return oldValue != value || CView::isDirty ();
}

} // VSTGUI
