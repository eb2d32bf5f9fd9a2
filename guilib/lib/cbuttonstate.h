// The buttons and modifier keys of one mouse event, in one 32-bit word.
#pragma once

#include <cstdint>

namespace VSTGUI {

enum CButton : int32_t
{
	kLButton = 1 << 1,
	kMButton = 1 << 2,
	kRButton = 1 << 3,
	kShift = 1 << 4,
	kControl = 1 << 5, // Command on macOS
	kAlt = 1 << 6,     // Option on macOS
	kApple = 1 << 7,   // never set on a macOS mouse-down
	kButton4 = 1 << 8,
	kButton5 = 1 << 9,
	kDoubleClick = 1 << 10
};

class CButtonState
{
public:
	static constexpr int32_t kButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
	static constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

	constexpr CButtonState (int32_t state = 0) : state (state) {}

	constexpr int32_t getButtonState () const { return state & kButtonMask; }
	constexpr int32_t getModifierState () const { return state & kModifierMask; }
	constexpr bool isLeftButton () const { return getButtonState () == kLButton; }
	constexpr bool isRightButton () const { return getButtonState () == kRButton; }
	constexpr bool isDoubleClick () const { return (state & kDoubleClick) != 0; }
	constexpr int32_t operator() () const { return state; }

	constexpr bool operator== (const CButtonState& other) const { return state == other.state; }
	constexpr bool operator!= (const CButtonState& other) const { return state != other.state; }
	CButtonState& operator= (int32_t newState)
	{
		state = newState;
		return *this;
	}

private:
	int32_t state;
};

} // VSTGUI
