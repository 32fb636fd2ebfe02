// Creation of control windows and the about box on Qt.
#include "control/qt/QtControlPlatform.h"

#include "control/qt/AboutDialog.h"
#include "control/qt/QtControlView.h"
#include "control/qt/QtRepeatingTimer.h"

#include <QApplication>

namespace vantil {

std::unique_ptr<ControlView> QtControlPlatform::createView(CVantilCtrl& control, void* parentWindow,
                                                           int x, int y, int widthPx,
                                                           int heightPx) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    return std::make_unique<QtControlView>(control, palette_, static_cast<QWidget*>(parentWindow),
                                           x, y, widthPx, heightPx);
}

Clipboard* QtControlPlatform::clipboard() {
    // Qt's clipboard needs a GUI application.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? &clipboard_ : nullptr;
}

std::unique_ptr<RepeatingTimer> QtControlPlatform::createTimer(std::function<void()> onTick) {
    if (QCoreApplication::instance() == nullptr) {
        return nullptr;
    }
    return std::make_unique<QtRepeatingTimer>(std::move(onTick));
}

void QtControlPlatform::showWaitCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

void QtControlPlatform::restoreCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtControlPlatform::showModal(const AboutBoxContent& content) {
    AboutDialog dialog(content, QApplication::activeWindow());
    dialog.exec();
}

QtControlPlatform& qtControlPlatform() {
    static QtControlPlatform platform;
    return platform;
}

} // namespace vantil
