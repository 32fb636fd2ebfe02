// Ambient properties from the hosting widget and the control's notifications to it.
#include "platform/host/ControlSite.h"

#include "platform/host/HostedControl.h"

#include <QApplication>
#include <QPalette>

namespace plat::host {

namespace {
// System colour indexes a form's ambient colours default to: button face and button text.
constexpr std::uint32_t kSystemButtonFace = 0x8000000F;
constexpr std::uint32_t kSystemButtonText = 0x80000012;
} // namespace

plat::automation::FontDesc fontDescOf(const QFont& font) {
    plat::automation::FontDesc d;
    d.name = font.family().toStdU16String();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
    d.size.scaled = static_cast<std::int64_t>(points * plat::automation::Currency::kScale + 0.5);
    // Qt's weights use the same 100..900 scale as the font object.
    d.weight = static_cast<std::int16_t>(font.weight());
    d.italic = font.italic();
    d.underline = font.underline();
    d.strikethrough = font.strikeOut();
    return d;
}

std::uint32_t colorValueOf(const QColor& shown, const QColor& applicationDefault,
                           std::uint32_t systemIndex) {
    if (shown == applicationDefault)
        return systemIndex;
    return static_cast<std::uint32_t>(shown.red()) |
           (static_cast<std::uint32_t>(shown.green()) << 8) |
           (static_cast<std::uint32_t>(shown.blue()) << 16);
}

bool ControlSite::userMode() const {
    return host_.userMode();
}

plat::automation::FontDesc ControlSite::ambientFont() const {
    return fontDescOf(host_.font());
}

std::uint32_t ControlSite::ambientForeColor() const {
    return colorValueOf(host_.palette().color(QPalette::WindowText),
                        QApplication::palette().color(QPalette::WindowText), kSystemButtonText);
}

std::uint32_t ControlSite::ambientBackColor() const {
    return colorValueOf(host_.palette().color(QPalette::Window),
                        QApplication::palette().color(QPalette::Window), kSystemButtonFace);
}

std::u16string ControlSite::displayName() const {
    return host_.objectName().toStdU16String();
}

void ControlSite::onChanged(plat::automation::DispId id) {
    host_.siteChanged(id);
}

void ControlSite::setModified() {
    host_.siteModified();
}

void* ControlSite::parentWindow() const {
    return static_cast<QWidget*>(&host_);
}

bool ControlSite::requestResize(int widthPx, int heightPx) {
    return host_.siteRequestsResize(widthPx, heightPx);
}

} // namespace plat::host
