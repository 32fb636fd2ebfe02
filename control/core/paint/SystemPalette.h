// System colours (0x800000nn) and how colour values of the control become drawable colours:
// the palette interface the window-system layer implements from the desktop's scheme, and a
// fixed classic scheme for tests and screenshots.
#pragma once

#include "control/core/Geometry.h"

#include <cstdint>

namespace vantil {

// Indexes nn of the system colours 0x800000nn the control paints with.
namespace syscolor {
inline constexpr unsigned Window = 5;
inline constexpr unsigned WindowFrame = 6;
inline constexpr unsigned WindowText = 8;
inline constexpr unsigned Highlight = 13;
inline constexpr unsigned HighlightText = 14;
inline constexpr unsigned ButtonFace = 15;
inline constexpr unsigned ButtonShadow = 16;
inline constexpr unsigned GrayText = 17;
inline constexpr unsigned ButtonText = 18;
inline constexpr unsigned ButtonHighlight = 20;
inline constexpr unsigned DarkShadow3D = 21;
inline constexpr unsigned Light3D = 22;
inline constexpr unsigned Count = 31;
} // namespace syscolor

class SystemPalette {
public:
    virtual ~SystemPalette() = default;
    // The current colour of system colour `index` (0..30).
    virtual Rgb systemColor(unsigned index) const = 0;
};

// The classic grey scheme; the same on every machine.
class FixedPalette final : public SystemPalette {
public:
    Rgb systemColor(unsigned index) const override;
};

// A colour value as drawn: 0x00BBGGRR as it is, 0x800000nn through the palette. The value -1
// ("no colour") never reaches here: callers resolve what it follows first.
Rgb resolveColor(std::uint32_t value, const SystemPalette& palette);

} // namespace vantil
