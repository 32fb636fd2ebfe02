// Open state, conversion and attachment of a control window's input method on Qt.
#include "control/qt/QtInputMethod.h"

#include "control/qt/QtConvert.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

namespace vantil {

void QtInputMethod::changed(Qt::InputMethodQueries queries) {
    if (window_.hasFocus()) {
        QGuiApplication::inputMethod()->update(queries);
    }
}

void QtInputMethod::setOpen(bool open) {
    if (open_ == open) {
        return;
    }
    open_ = open;
    if (!open) {
        // Closing ends a composition in progress.
        QGuiApplication::inputMethod()->reset();
    }
    changed(Qt::ImHints);
}

void QtInputMethod::setConversion(std::uint32_t mode) {
    if (conversion_ != mode) {
        conversion_ = mode;
        changed(Qt::ImHints);
    }
}

void QtInputMethod::setAttached(bool attached) {
    if (attached_ == attached) {
        return;
    }
    attached_ = attached;
    window_.setAttribute(Qt::WA_InputMethodEnabled, attached);
    changed(Qt::ImEnabled | Qt::ImHints);
}

void QtInputMethod::setCompositionFont(const plat::automation::FontDesc& font) {
    font_ = qtconv::toQt(font);
    changed(Qt::ImFont);
}

Qt::InputMethodHints QtInputMethod::hints() const {
    if (open_ && (conversion_ & imeconv::Native) != 0) {
        return Qt::ImhNone;
    }
    return Qt::ImhPreferLatin;
}

} // namespace vantil
