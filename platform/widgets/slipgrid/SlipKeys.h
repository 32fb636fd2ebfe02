// Key codes the screens see in the grid's key-down notification: the classic virtual-key
// numbers (Enter 13, Delete 46, '0' 48, 'A' 65, F1 112 ...) of the platform's one key table,
// and the shift state as the sum of 1 (Shift), 2 (Ctrl) and 4 (Alt).
#pragma once

#include <Qt>

namespace plat::widgets {

// 0 for keys without a classic code and for the input method's own keys, which switch its
// modes while a cell is typed into and are not the screens' to handle.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace plat::widgets
