// How the control's client rectangle splits into the outer border, the caption area, the
// input area, the drop-down button and the text rectangle.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/Geometry.h"

namespace vantil {

// Width of the drop-down button at the right of the input area.
inline constexpr int kButtonWidth = 16;

struct ControlLayout {
    Rect client;
    Rect interior; // client less the outer border
    Rect captionRect;
    Rect inputOuter; // the input area before its own border
    Rect inputRect;  // the input area inside its border
    Rect buttonRect;
    Rect textRect; // inputRect less the button, less the focus border
};

// The amount by which the outer border shrinks the client rectangle on every side.
int outerBorderWidth(BorderStyleConstants style, int width, int inner, int outer);
// 0, 1 or 2 pixels of the input area's own border: one a frame.
int inputAreaBorderWidth(InputAreaBorderConstants inputAreaBorder);
// 0 without a focus border, else the two pixels the focus border takes on every side.
int focusBorderWidth(FocusBorderConstants focusBorder);

ControlLayout computeLayout(const ControlProperties& p, const Rect& client);

// The control height that makes the input area exactly `defHeight` pixels high.
int heightForDefHeight(const ControlLayout& layout, int defHeight);

} // namespace vantil
