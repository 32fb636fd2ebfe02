// The state of the control's window that painting depends on besides its properties.
#pragma once

#include <string_view>

namespace vantil {

struct PaintState {
    bool focused = false;
    bool designMode = false;
    bool pointed = false;         // the pointer is over the control (run time)
    bool buttonPressed = false;   // the drop-down button is held down
    bool caretVisible = false;    // focused, in the shown phase of the caret's blink
    std::string_view composition; // the input method's text at the caret (code page 932)
};

} // namespace vantil
