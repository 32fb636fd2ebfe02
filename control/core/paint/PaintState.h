// The state of the control's window that painting depends on besides its properties.
#pragma once

namespace vantil {

struct PaintState {
    bool focused = false;
    bool designMode = false;
    bool pointed = false;       // the pointer is over the control (run time)
    bool buttonPressed = false; // the drop-down button is held down
};

} // namespace vantil
