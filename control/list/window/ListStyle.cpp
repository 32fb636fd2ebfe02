// The list's colours and styles from the control's properties.
#include "control/list/window/ListStyle.h"

namespace vantil {

namespace {

Rgb resolve(Color value, unsigned fallback, const SystemPalette& palette) {
    return value == kNoColor ? palette.systemColor(fallback) : resolveColor(value, palette);
}

} // namespace

ListStyle listStyleFrom(const ControlProperties& p, const SystemPalette& palette) {
    ListStyle s;
    ListColors& c = s.colors;
    c.itemText = resolve(p.foreColor, syscolor::WindowText, palette);
    c.itemBack = resolve(p.inputAreaColor, syscolor::Window, palette);
    c.headerText = c.itemText;
    c.headerBack = resolve(p.backColor, syscolor::ButtonFace, palette);
    c.empty = c.itemBack;
    c.itemBorder = resolve(p.itemBorderColor, syscolor::WindowFrame, palette);
    c.itemVertBorder = resolve(p.itemVertBorderColor, syscolor::WindowFrame, palette);
    c.light = resolve(p.lightColor, syscolor::ButtonHighlight, palette);
    c.shadow = resolve(p.shadowColor, syscolor::ButtonShadow, palette);
    c.selection = resolve(p.selectedColor, syscolor::Highlight, palette);
    c.disabled = resolve(p.disabledColor, syscolor::GrayText, palette);
    c.gap = c.headerBack;
    c.darkShadow3D = palette.systemColor(syscolor::DarkShadow3D);
    c.light3D = palette.systemColor(syscolor::Light3D);
    s.displayItem = p.displayItem;
    s.font3D = p.font3D;
    s.inputAreaBorder = InputAreaBorderConstants{p.inputAreaBorder};
    s.itemBorder = p.itemBorder;
    s.itemVertBorder = p.itemVertBorder;
    if (p.oddRowForeColor != kNoColor) {
        s.oddRowFore = resolveColor(p.oddRowForeColor, palette);
    }
    if (p.oddRowBackColor != kNoColor) {
        s.oddRowBack = resolveColor(p.oddRowBackColor, palette);
    }
    s.font = FontRequest{p.font, 0};
    return s;
}

} // namespace vantil
