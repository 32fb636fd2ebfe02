// The IMEMode table: open state and conversion mode applied for each mode, and read back.
#include "control/core/edit/ImeModes.h"

namespace vantil {

namespace {

using namespace imeconv;

// The conversion each of the modes 4 to 8 sets (the roman bit is kept from before).
constexpr std::uint32_t kConversionOfMode[] = {
    Native | FullShape,            // 4 full-width hiragana
    Native | Katakana | FullShape, // 5 full-width katakana
    Native | Katakana,             // 6 half-width katakana
    FullShape,                     // 7 full-width alphanumeric
    0,                             // 8 half-width alphanumeric
};

} // namespace

void applyImeMode(InputMethodContext& ime, std::int16_t mode) {
    if (mode <= 0 || mode > 8) {
        return;
    }
    if (mode != 3 && !ime.attached()) {
        ime.setAttached(true);
    }
    switch (mode) {
    case 1:
        ime.setOpen(true);
        return;
    case 2:
        ime.setOpen(false);
        return;
    case 3:
        ime.setOpen(false);
        ime.setAttached(false);
        return;
    default:
        ime.setOpen(true);
        ime.setConversion(kConversionOfMode[mode - 4] | (ime.conversion() & Roman));
        return;
    }
}

std::optional<ImeState> applyImeModeOnFocus(InputMethodContext& ime, std::int16_t mode,
                                            const plat::automation::FontDesc& font) {
    if (mode == 0) {
        return std::nullopt;
    }
    ime.setCompositionFont(font);
    const ImeState saved{ime.isOpen(), ime.conversion()};
    applyImeMode(ime, mode);
    return saved;
}

std::int16_t imeModeOf(const InputMethodContext& ime) {
    if (!ime.isOpen()) {
        return ime.attached() ? 2 : 3;
    }
    switch (ime.conversion() & ~Roman) {
    case 0:
        return 8;
    case Native | Katakana:
        return 6;
    case FullShape:
        return 7;
    case Native | FullShape:
        return 4;
    case Native | Katakana | FullShape:
        return 5;
    default:
        return 0;
    }
}

void restoreImeState(InputMethodContext& ime, const ImeState& saved) {
    ime.setAttached(true);
    ime.setOpen(saved.open);
    ime.setConversion(saved.conversion);
}

} // namespace vantil
