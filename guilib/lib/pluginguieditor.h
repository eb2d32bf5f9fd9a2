// The plug-in editor as the Audio Unit component lends it through its editor
// property: a VSTGUIEditorInterface followed by the component's own operations
// and the editor's record.
//
// The component is built apart from the bundles, so both the record's layout
// and the order of the operations are fixed: after the interface's slots 0
// to 9 come getRect (10), idle (11), open (12) and close (13). The static
// assertions below fail the build if the record changes.
#pragma once

#include "vstguieditorinterface.h"

#include <cstddef>
#include <cstdint>

// The custom Audio Unit property through which the component lends its
// editor: global scope, element 0, 8 bytes holding the editor's address in
// the caller's process.
constexpr uint32_t kPluginGUIEditorProperty = 64000;

// Four signed 16-bit coordinates; their meaning belongs to the component.
struct ERect
{
	int16_t left;
	int16_t top;
	int16_t right;
	int16_t bottom;
};

class PluginGUIEditor : public VSTGUI::VSTGUIEditorInterface
{
public:
	// Component operations that the bundles never call; they hold their
	// slots so that open and close keep theirs.
	virtual bool getRect (ERect** rect) = 0;
	virtual void idle () = 0;

	// Opens the editor into a parent view (an NSView on macOS). The result is
	// the component's; the bundles ignore it.
	virtual bool open (void* parentView) = 0;
	virtual void close () = 0;

	// The record, in this order. The bundles read only `owner`: null means the
	// editor has no owner, and the main bundle's view deletes an ownerless
	// editor after closing it.
	VSTGUI::CFrame* frame {nullptr};
	ERect rect {};
	void* owner {nullptr};
	void* componentData {nullptr};
	uint32_t componentValue {0};
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert (sizeof (ERect) == 8 && alignof (ERect) == 2, "ERect is four signed 16-bit values");
static_assert (offsetof (PluginGUIEditor, frame) == 8, "the frame pointer follows the table pointer");
static_assert (offsetof (PluginGUIEditor, rect) == 16, "the ERect follows the frame pointer");
static_assert (offsetof (PluginGUIEditor, owner) == 24, "the owner pointer follows the ERect");
static_assert (offsetof (PluginGUIEditor, componentData) == 32, "the second pointer follows the owner");
static_assert (offsetof (PluginGUIEditor, componentValue) == 40, "the 32-bit value ends the record");
static_assert (sizeof (PluginGUIEditor) == 48, "nothing follows the 32-bit value");
#pragma GCC diagnostic pop
