// System colours from the desktop's current palette.
#pragma once

#include "control/core/paint/SystemPalette.h"

namespace vantil {

class DesktopPalette final : public SystemPalette {
public:
    Rgb systemColor(unsigned index) const override;
};

} // namespace vantil
