// Qt keys to classic virtual-key codes for the grid's key-down notification.
#include "platform/widgets/slipgrid/SlipKeys.h"

#include "platform/widgets/VirtualKeys.h"

namespace plat::widgets {

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    return isInputMethodKey(qtKey) ? 0 : virtualKey(qtKey, modifiers);
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) +
           (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) +
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace plat::widgets
