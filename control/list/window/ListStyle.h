// The colours and styles the drop-down list paints with, taken from the control's properties.
// Colour values are resolved through the system palette each time a style is made, so a
// system colour change shows at the next repaint.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/paint/BorderPainter.h"
#include "control/core/paint/Surface.h"
#include "control/core/paint/SystemPalette.h"

#include <cstdint>
#include <optional>

namespace vantil {

struct ListColors {
    Rgb itemText;       // ForeColor
    Rgb itemBack;       // InputAreaColor
    Rgb headerText;     // ForeColor
    Rgb headerBack;     // BackColor
    Rgb empty;          // InputAreaColor: right of the last column, below the last row
    Rgb itemBorder;     // ItemBorderColor
    Rgb itemVertBorder; // ItemVertBorderColor
    Rgb light;          // LightColor
    Rgb shadow;         // ShadowColor
    Rgb selection;      // SelectedColor
    Rgb disabled;       // DisabledColor
    Rgb gap;            // BackColor: the gap of a double line
    Rgb darkShadow3D;
    Rgb light3D;
};

struct ListStyle {
    ListColors colors;
    DisplayItemConstants displayItem = DisplayItemConstants::lxdil_テキスト;
    Font3DConstants font3D = Font3DConstants::lxf3d_なし;
    // 3D: header cells get a light edge.
    InputAreaBorderConstants inputAreaBorder = InputAreaBorderConstants::lxipab_なし;
    ItemBorderConstants itemBorder = ItemBorderConstants::lxib_なし;
    ItemVertBorderConstants itemVertBorder = ItemVertBorderConstants::lxivb_指定なし;
    int cellMargin = 0;
    // OddRowForeColor and OddRowBackColor resolved; unset when the property is -1.
    std::optional<Rgb> oddRowFore;
    std::optional<Rgb> oddRowBack;
    FontRequest font; // the list's font
};

ListStyle listStyleFrom(const ControlProperties& p, const SystemPalette& palette);

} // namespace vantil
