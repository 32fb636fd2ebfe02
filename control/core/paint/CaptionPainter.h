// The caption: its colours by state, the placement of its lines, columns and characters in
// the caption area, the accelerator underline and the caption's focus frame.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/paint/PaintState.h"
#include "control/core/paint/Surface.h"
#include "control/core/paint/SystemPalette.h"

#include <optional>
#include <string>
#include <vector>

namespace vantil {

// The caption colour values with -1 resolved to what each follows: CaptionColor follows
// ForeColor, CaptionFocusColor FocusColor, CaptionDisabledColor DisabledColor and
// CaptionPointedColor the effective CaptionColor.
Color effectiveCaptionColor(const ControlProperties& p);
Color effectiveCaptionFocusColor(const ControlProperties& p);
Color effectiveCaptionDisabledColor(const ControlProperties& p);
Color effectiveCaptionPointedColor(const ControlProperties& p);
// The colour the caption text is drawn in: disabled, else pointed, else normal.
Color captionTextColor(const ControlProperties& p, const PaintState& state);

// Margin around the caption text for CaptionFocusBorder `border`.
int captionFocusMargin(CaptionFocusBorderConstants border);

struct CaptionRun {
    Point origin;
    std::string text;    // code page 932
    bool turned = false; // drawn with the font turned by 270 degrees
};

struct CaptionPlacement {
    Rect textArea;
    std::vector<CaptionRun> runs;
    std::optional<Rect> underline;
    Rect bounds; // what the focus frame surrounds, before widening
};

// Places the caption's text in `captionRect`; sets the caption font on `s` to measure.
CaptionPlacement placeCaption(Surface& s, const ControlProperties& p, const Rect& captionRect);

// Paints the caption area: background, text with its 3D effect, underline and focus frame.
void paintCaption(Surface& s, const ControlProperties& p, const Rect& captionRect,
                  const PaintState& state, const SystemPalette& palette);

} // namespace vantil
