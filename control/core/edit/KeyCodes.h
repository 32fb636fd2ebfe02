// Virtual-key codes of the keys the edit area and the keyboard handle, named from the type
// library's VKeyCodeConstants. Kept out of the services header: the Qt layer's headers include
// that one, and Qt's meta-object compiler cannot parse the constants' Japanese names.
#pragma once

#include "control/core/Enums.h"

namespace vantil {

namespace vk {
constexpr int code(VKeyCodeConstants key) {
    return static_cast<int>(key);
}
using enum VKeyCodeConstants;
inline constexpr int Back = code(lxvkc_VK_BACK), Tab = code(lxvkc_VK_TAB),
                     Return = code(lxvkc_VK_RETURN), Escape = code(lxvkc_VK_ESCAPE),
                     PageUp = code(lxvkc_VK_PRIOR), PageDown = code(lxvkc_VK_NEXT),
                     End = code(lxvkc_VK_END), Home = code(lxvkc_VK_HOME),
                     Left = code(lxvkc_VK_LEFT), Up = code(lxvkc_VK_UP),
                     Right = code(lxvkc_VK_RIGHT), Down = code(lxvkc_VK_DOWN),
                     Insert = code(lxvkc_VK_INSERT), Delete = code(lxvkc_VK_DELETE),
                     F4 = code(lxvkc_VK_F4), F10 = code(lxvkc_VK_F10);
inline constexpr int A = code(lxvkc_VK_A), C = code(lxvkc_VK_C), V = code(lxvkc_VK_V),
                     X = code(lxvkc_VK_X), Z = code(lxvkc_VK_Z);
// The application (context-menu) key, which the constants do not list.
inline constexpr int Apps = 93;
} // namespace vk

} // namespace vantil
