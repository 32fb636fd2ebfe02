// The IMEMode table: open state and conversion mode applied for each mode, and read back.
#include "control/core/edit/ImeModes.h"

#include "control/core/Enums.h"

#include <iterator>

namespace vantil {

namespace {

using namespace imeconv;
using enum IMEModeConstants;

constexpr std::int16_t value(IMEModeConstants mode) {
    return static_cast<std::int16_t>(mode);
}

// The conversion each of the modes from full-width hiragana to half-width alphanumeric sets
// (the roman bit is kept from before).
constexpr IMEModeConstants kFirstConversionMode = lxim_全角ひらがな;
constexpr std::uint32_t kConversionOfMode[] = {
    Native | FullShape,            // full-width hiragana
    Native | Katakana | FullShape, // full-width katakana
    Native | Katakana,             // half-width katakana
    FullShape,                     // full-width alphanumeric
    0,                             // half-width alphanumeric
};
static_assert(value(kFirstConversionMode) + std::size(kConversionOfMode) - 1 ==
              static_cast<std::size_t>(value(lxim_半角英数)));

} // namespace

void applyImeMode(InputMethodContext& ime, std::int16_t mode) {
    if (mode <= value(lxim_なし) || mode > value(lxim_半角英数)) {
        return;
    }
    const auto m = static_cast<IMEModeConstants>(mode);
    if (m != lxim_オフ固定 && !ime.attached()) {
        ime.setAttached(true);
    }
    switch (m) {
    case lxim_オン:
        ime.setOpen(true);
        return;
    case lxim_オフ:
        ime.setOpen(false);
        return;
    case lxim_オフ固定:
        ime.setOpen(false);
        ime.setAttached(false);
        return;
    default:
        ime.setOpen(true);
        ime.setConversion(kConversionOfMode[mode - value(kFirstConversionMode)] |
                          (ime.conversion() & Roman));
        return;
    }
}

std::optional<ImeState> applyImeModeOnFocus(InputMethodContext& ime, std::int16_t mode,
                                            const plat::automation::FontDesc& font) {
    if (mode == value(lxim_なし)) {
        return std::nullopt;
    }
    ime.setCompositionFont(font);
    const ImeState saved{ime.isOpen(), ime.conversion()};
    applyImeMode(ime, mode);
    return saved;
}

std::int16_t imeModeOf(const InputMethodContext& ime) {
    if (!ime.isOpen()) {
        return value(ime.attached() ? lxim_オフ : lxim_オフ固定);
    }
    const std::uint32_t conversion = ime.conversion() & ~Roman;
    for (std::size_t i = 0; i < std::size(kConversionOfMode); ++i) {
        if (kConversionOfMode[i] == conversion) {
            return static_cast<std::int16_t>(value(kFirstConversionMode) + i);
        }
    }
    return value(lxim_なし);
}

void restoreImeState(InputMethodContext& ime, const ImeState& saved) {
    ime.setAttached(true);
    ime.setOpen(saved.open);
    ime.setConversion(saved.conversion);
}

} // namespace vantil
