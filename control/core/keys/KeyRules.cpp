// Placement of the open list, hot-key encodings and the arrow-key focus rules.
#include "control/core/keys/KeyRules.h"

#include "control/core/ControlProperties.h"

#include <algorithm>
#include <array>

namespace vantil {

Rect dropDownRect(const Rect& input, const Rect& available, const DropDownSizes& s) {
    Rect r;
    r.left = input.left - 1;
    r.right = input.right + 1;
    if (r.right - r.left < s.droppedWidth) {
        r.right = r.left + s.droppedWidth;
    }
    r.top = input.bottom + 2;
    int rows = std::min(s.droppedRows, s.itemCount);
    if (rows == 0 && s.columnCount > 0) {
        rows = 1;
    }
    if (rows == 0 && s.headerHeight <= 4 && s.itemCount == 0) {
        rows = 1;
    }
    r.bottom = input.bottom + s.headerHeight + s.defHeight * rows + 4;
    if (r.bottom > available.bottom) {
        const int height = r.height();
        r.bottom = input.top - 2;
        r.top = r.bottom - height;
        if (r.top < available.top) {
            r.top = available.top;
            r.bottom = r.top + height;
        }
    }
    if (r.right > available.right) {
        const int width = r.width();
        r.right = available.right;
        r.left = r.right - width;
        if (r.left < available.left) {
            r.left = available.left;
            r.right = r.left + width;
        }
    }
    return r;
}

namespace {
// Indexed by the modifier code: none, Alt, Ctrl, Shift, Alt+Ctrl, Alt+Shift, Ctrl+Shift, all.
constexpr std::array<int, 8> kHotKeyModifiers{0, 1, 2, 4, 3, 5, 6, 7};
constexpr std::array<std::int16_t, 8> kKeyDownShift{0, 4, 2, 1, 6, 5, 3, 7};
} // namespace

int hotKeyModifiers(int code) {
    return code >= 0 && code < 8 ? kHotKeyModifiers[static_cast<std::size_t>(code)] : 0;
}

std::int16_t keyDownShift(int code) {
    return code >= 0 && code < 8 ? kKeyDownShift[static_cast<std::size_t>(code)] : 0;
}

HotKeyAction hotKeyAction(int id, bool listOpen, const ControlProperties& p) {
    if (id == kDropDownHotKey && !listOpen) {
        return HotKeyAction::Open;
    }
    if (id == kCloseUpHotKey && listOpen) {
        return HotKeyAction::Close;
    }
    if (id == kDropDownHotKey && listOpen && p.dropDownVKeyCode == p.closeUpVKeyCode &&
        p.dropDownModifierFlags == p.closeUpModifierFlags) {
        return HotKeyAction::Close;
    }
    return HotKeyAction::None;
}

bool verticalArrowMovesFocus(bool down, int mode, std::int32_t current, std::int32_t count) {
    if (mode == 1) {
        return true;
    }
    if (mode != 2) {
        return false;
    }
    if (down) {
        return current < 0 ? count == 0 : current == count - 1;
    }
    return current <= 0;
}

bool horizontalArrowMovesFocus(bool right, int mode, std::int32_t caret, std::int32_t length) {
    if (mode == 1) {
        return true;
    }
    return mode == 2 && (right ? caret == length : caret == 0);
}

} // namespace vantil
