// Plain text to and from Qt's clipboard, in the control's code page.
#include "control/qt/QtClipboard.h"

#include "control/qt/QtConvert.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vantil {

std::optional<std::string> QtClipboard::text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return std::nullopt;
    }
    const QString text = clipboard->text();
    if (text.isNull()) {
        return std::nullopt;
    }
    return qtconv::textFromQt(text);
}

bool QtClipboard::setText(std::string_view cp932) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setText(qtconv::textToQt(cp932));
    return true;
}

} // namespace vantil
