// A view with a value between a minimum and a maximum that the user edits:
// the base of knobs, switches, sliders and option menus.
#pragma once

#include "../cbitmap.h"
#include "../cview.h"
#include "../dispatchlist.h"
#include "icontrollistener.h"

#include <cstdint>

namespace VSTGUI {

class CControl : public CView
{
public:
	CControl (const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0);
	// A copy has the original's value, range, default, tag, listener and
	// background; it is not editing and has no registered listeners.
	CControl (const CControl& other);
	~CControl () noexcept override;

	// The value, stored as given; bounceValue keeps it in the range.
	virtual void setValue (float newValue);
	virtual float getValue () const { return value; }
	// The value as a fraction of the range, 0 when the range is empty. A
	// fraction outside 0 to 1 is clamped; NaN leaves the value alone.
	virtual void setValueNormalized (float normalized);
	virtual float getValueNormalized () const;
	virtual void setMin (float newMin) { vmin = newMin; }
	virtual float getMin () const { return vmin; }
	virtual void setMax (float newMax) { vmax = newMax; }
	virtual float getMax () const { return vmax; }
	float getRange () const { return getMax () - getMin (); }
	virtual void setDefaultValue (float newDefault) { defaultValue = newDefault; }
	virtual float getDefaultValue () const { return defaultValue; }
	virtual void bounceValue ();

	// Resets the value to the default on a reset click: any double-click, or
	// the left button alone with exactly kDefaultValueModifier. True when the
	// click was one, whether or not the value had to change; a change is
	// made as one edit, notified, marked dirty and redrawn.
	virtual bool checkDefaultValue (CButtonState buttons);

	// Tells the listener, then the registered listeners, that the value
	// changed.
	virtual void valueChanged ();

	// Edits nest: the editor and the listeners hear of the outermost only,
	// the editor with the control's tag. The editor hears of a begin first
	// and of an end last.
	virtual void beginEdit ();
	virtual void endEdit ();
	bool isEditing () const { return editing > 0; }

	virtual void setTag (int32_t newTag) { tag = newTag; }
	int32_t getTag () const { return tag; }
	IControlListener* getListener () const { return listener; }
	void setListener (IControlListener* newListener) { listener = newListener; }
	// Listeners beside the one of the constructor; not owned. May change
	// while they are called.
	void registerControlListener (IControlListener* l) { subListeners.add (l); }
	void unregisterControlListener (IControlListener* l) { subListeners.remove (l); }

	// Dirty while marked so, or while the value differs from the value that
	// the last setDirty (false) saw.
	void setDirty (bool state = true) override;
	bool isDirty () const override;

	// The modifiers that the controls read at each click; code outside the
	// bundle may change them. Command, and Shift.
	static int32_t kDefaultValueModifier;
	static int32_t kZoomModifier;

protected:
	// After an edit step: the listeners hear of it if the value is no longer
	// `previousValue`, and the control is redrawn while it is dirty.
	void valueChangedSince (float previousValue);

	float value {0.f};
	float vmin {0.f};
	float vmax {1.f};
	float defaultValue {0.5f};
	float oldValue {1.f};
	int32_t tag;
	IControlListener* listener;
	int32_t editing {0};

private:
	template <typename Call>
	void notifyListeners (Call&& call);

	DispatchList<IControlListener> subListeners;
};

} // VSTGUI
