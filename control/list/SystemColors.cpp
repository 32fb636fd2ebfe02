// The colour translation of the list's item colours: a system colour 0x800000nn becomes the
// colour the desktop currently uses for element nn (the light default scheme here; the window
// system layer may follow the desktop's own palette).
#include "control/list/ListItems.h"

#include <array>

namespace vantil {

namespace {
// 0x00BBGGRR per system colour index 0..30.
constexpr std::array<std::uint32_t, 31> kSystemColors = {
    0x00C8D0D4, 0x00A56E3A, 0x006A240A, 0x00808080, 0x00C8D0D4, 0x00FFFFFF, 0x00000000, 0x00000000,
    0x00000000, 0x00FFFFFF, 0x00C8D0D4, 0x00C8D0D4, 0x00808080, 0x006A240A, 0x00FFFFFF, 0x00C8D0D4,
    0x00808080, 0x00808080, 0x00000000, 0x00C8D0D4, 0x00FFFFFF, 0x00404040, 0x00C8D0D4, 0x00000000,
    0x00E1FFFF, 0x00B5B5B5, 0x00800000, 0x00F0CAA6, 0x00C0C0C0, 0x00D77800, 0x00F0F0F0,
};
} // namespace

std::uint32_t translateColor(std::uint32_t color) {
    if ((color & 0xFF000000u) == 0x80000000u) {
        const std::uint32_t index = color & 0x00FFFFFFu;
        return index < kSystemColors.size() ? kSystemColors[index] : color;
    }
    return color;
}

} // namespace vantil
