// The library's view of the plug-in editor that owns a frame.
//
// The table of virtual operations is shared with code built outside the
// bundles (the editor lives in the Audio Unit component), so its order is
// part of the bundles' interface and must not change: slot 0 doIdle, 1
// getKnobMode, 2 beginEdit, 3 endEdit, 4 onUnhandledMouseDown, 5
// onUnhandledMouseUp, 6 beforeSizeChange, 7 getFrame, 8 and 9 the destructor
// (9 is the deleting one). The component implements every operation.
#pragma once

#include "cbuttonstate.h"
#include "cpoint.h"
#include "crect.h"

namespace VSTGUI {

class VSTGUIEditorInterface
{
public:
	virtual void doIdle () = 0;
	// -1 means no preference: the frame uses CFrame::kDefaultKnobMode.
	virtual int32_t getKnobMode () const = 0;
	virtual void beginEdit (int32_t index) = 0;
	virtual void endEdit (int32_t index) = 0;

	// A mouse-down or mouse-up that the frame left unhandled. `where` is the
	// point object the frame's platform entry received; the answer becomes the
	// frame's answer.
	virtual CMouseEventResult onUnhandledMouseDown (CPoint& where, const CButtonState& buttons) = 0;
	virtual CMouseEventResult onUnhandledMouseUp (CPoint& where, const CButtonState& buttons) = 0;

	// Asked before the frame changes its size; false refuses the change.
	virtual bool beforeSizeChange (const CRect& newSize, const CRect& oldSize) = 0;
	// The editor's frame, or null when it has none.
	virtual CFrame* getFrame () const = 0;

	virtual ~VSTGUIEditorInterface () noexcept = default;
};

} // VSTGUI
