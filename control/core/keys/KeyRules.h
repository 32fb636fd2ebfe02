// The keyboard and drop-down decisions that are plain arithmetic: where the open list goes,
// the two encodings of the hot-key modifier codes, what a hot key means, and when an arrow key
// moves focus instead of the caret or the highlight.
#pragma once

#include "control/core/Geometry.h"

#include <cstdint>

namespace vantil {

struct ControlProperties;

// What the list's rectangle is computed from.
struct DropDownSizes {
    int droppedWidth = 0;
    int droppedRows = 0;
    int defHeight = 0;
    int itemCount = 0;
    int columnCount = 0;
    int headerHeight = 0;
};

// The open list's rectangle in screen coordinates: under the input area (`input`, screen
// coordinates), above it when it would leave the desktop's `available` area at the bottom, and
// kept inside it horizontally.
Rect dropDownRect(const Rect& input, const Rect& available, const DropDownSizes& sizes);

// A modifier code 0-7 (Alt, Ctrl, Shift and their combinations) as hot-key modifiers
// (Alt 1, Ctrl 2, Shift 4) and as the Shift argument of KeyDown (Shift 1, Ctrl 2, Alt 4).
int hotKeyModifiers(int code);
std::int16_t keyDownShift(int code);

// The two hot keys a focused control registers.
inline constexpr int kDropDownHotKey = 171;
inline constexpr int kCloseUpHotKey = 161;

enum class HotKeyAction { None, Open, Close };

// What hot key `id` means with the list open or closed.
HotKeyAction hotKeyAction(int id, bool listOpen, const ControlProperties& p);

// Up or Down moves focus under LostFocusAtVertArrow `mode`: 1 always; 2 at the ends of the list
// (`current` the highlighted item or -1 of `count` items).
bool verticalArrowMovesFocus(bool down, int mode, std::int32_t current, std::int32_t count);
// Left or Right moves focus under LostFocusAtHorzArrow `mode`: 1 always; 2 with the caret at
// the matching end of the text.
bool horizontalArrowMovesFocus(bool right, int mode, std::int32_t caret, std::int32_t length);

} // namespace vantil
