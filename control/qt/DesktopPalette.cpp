// The system colours the control uses, taken from the application's palette each time; the
// ones the palette has no role for keep the classic scheme.
#include "control/qt/DesktopPalette.h"

#include "control/qt/QtConvert.h"

#include <QApplication>
#include <QPalette>

namespace vantil {

Rgb DesktopPalette::systemColor(unsigned index) const {
    const QPalette pal = QApplication::palette();
    switch (index) {
    case syscolor::Window:
        return qtconv::fromQt(pal.color(QPalette::Base));
    case syscolor::WindowText:
        return qtconv::fromQt(pal.color(QPalette::Text));
    case syscolor::Highlight:
        return qtconv::fromQt(pal.color(QPalette::Highlight));
    case syscolor::HighlightText:
        return qtconv::fromQt(pal.color(QPalette::HighlightedText));
    case syscolor::ButtonFace:
        return qtconv::fromQt(pal.color(QPalette::Button));
    case syscolor::ButtonShadow:
        return qtconv::fromQt(pal.color(QPalette::Mid));
    case syscolor::GrayText:
        return qtconv::fromQt(pal.color(QPalette::Disabled, QPalette::Text));
    case syscolor::ButtonText:
        return qtconv::fromQt(pal.color(QPalette::ButtonText));
    case syscolor::ButtonHighlight:
        return qtconv::fromQt(pal.color(QPalette::Light));
    case syscolor::DarkShadow3D:
        return qtconv::fromQt(pal.color(QPalette::Shadow));
    case syscolor::Light3D:
        return qtconv::fromQt(pal.color(QPalette::Midlight));
    default:
        return FixedPalette().systemColor(index);
    }
}

} // namespace vantil
