// Key codes the screens see in the grid's key-down notification: the classic virtual-key
// numbers (Enter 13, Delete 46, '0' 48, 'A' 65, F1 112 ...), and the shift state as the sum
// of 1 (Shift), 2 (Ctrl) and 4 (Alt).
#pragma once

#include <Qt>

namespace plat::widgets {

// 0 for keys without a classic code.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int shiftState(Qt::KeyboardModifiers modifiers);

namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Delete = 46;
constexpr int F2 = 113;
} // namespace vk

} // namespace plat::widgets
