// The input text of the focused control: where it starts in the text rectangle, the caret,
// the selection highlight, the composition text at the caret, the horizontal offset that keeps
// the caret visible, and the character under a pointer position.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/paint/Layout.h"
#include "control/core/paint/PaintState.h"
#include "control/core/paint/Surface.h"
#include "control/core/paint/SystemPalette.h"

#include <string_view>

namespace vantil {

// The rectangle the input text is drawn in: the text rectangle and one pixel more on both
// sides.
Rect inputTextRect(const ControlLayout& layout);

// The horizontal offset after the caret moved to `caretX` (pixels from the start of a text
// `textWidth` wide, `visible` pixels showing): unchanged while the caret is visible; past the
// right edge by a quarter of the visible width (less when less text remains), past the left
// edge back by a quarter, never below 0.
int scrolledOffset(int offset, int caretX, int textWidth, int visible);

// Brings the caret into view by the rule above and stores the offset in `p.edit`.
void scrollToCaret(Surface& s, ControlProperties& p, const ControlLayout& layout,
                   std::string_view composition);

// The caret of the focused control: the font's line height, 1 pixel wide in insert mode and
// as wide as the character under it in overwrite mode.
Rect caretRect(Surface& s, const ControlProperties& p, const ControlLayout& layout,
               std::string_view composition);

// The character index whose left edge is nearest to `x` (control pixels).
std::int32_t charIndexAt(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                         int x);

// The text with focus: selection highlight, composition underlined at the caret, and the caret
// while it shows.
void paintFocusedText(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                      const PaintState& state, const SystemPalette& palette);

} // namespace vantil
