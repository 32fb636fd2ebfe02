// IMEMode on the control's input method: what gaining focus applies for each mode, and what
// losing focus reads back into IMEMode before the state the input method had is restored.
#pragma once

#include "control/core/edit/EditServices.h"

#include <cstdint>
#include <optional>

namespace vantil {

// The input method's state remembered when the control gained focus.
struct ImeState {
    bool open = false;
    std::uint32_t conversion = 0;
};

// Sets the composition font and remembers the current state, then applies `mode` (0 does
// nothing and remembers nothing).
std::optional<ImeState> applyImeModeOnFocus(InputMethodContext& ime, std::int16_t mode,
                                            const plat::automation::FontDesc& font);
// Applies `mode` now (a change of IMEMode while the control has focus).
void applyImeMode(InputMethodContext& ime, std::int16_t mode);
// The IMEMode that describes the input method's current state.
std::int16_t imeModeOf(const InputMethodContext& ime);
// Restores `saved` and re-attaches the input context.
void restoreImeState(InputMethodContext& ime, const ImeState& saved);

} // namespace vantil
