// One line of the control's popup menu as the window system shows it: a command with its
// caption and greyed state, or a separator.
#pragma once

#include <cstdint>
#include <string>

namespace vantil {

struct PopupItem {
    enum class Kind : std::uint8_t { Command, Separator };
    Kind kind = Kind::Command;
    int command = -1;    // the menu entry's index 0..19
    std::string caption; // code page 932, with the '&' of the access key
    bool enabled = true;

    friend bool operator==(const PopupItem&, const PopupItem&) = default;
};

} // namespace vantil
