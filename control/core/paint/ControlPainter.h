// Paints the whole control: background, outer border, caption, input area with its border,
// focus border and text, and the drop-down button.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/paint/Layout.h"
#include "control/core/paint/PaintState.h"
#include "control/core/paint/Surface.h"
#include "control/core/paint/SystemPalette.h"

namespace vantil {

void paintControl(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                  const PaintState& state, const SystemPalette& palette);

// The parts, in paint order; paintControl runs them all.
void paintInputArea(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                    const SystemPalette& palette);
void paintFocusBorder(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                      const PaintState& state, const SystemPalette& palette);
void paintInputText(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                    const SystemPalette& palette);
void paintDropDownButton(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                         bool pressed, const SystemPalette& palette);

} // namespace vantil
