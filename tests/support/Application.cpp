#include "Application.h"

namespace testsupport {

QApplication& qtApp() {
    static int argc = 1;
    static char arg0[] = "tamsel-tests";
    static char* argv[] = {arg0, nullptr};
    static QApplication* app = [] {
        if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
            return existing;
        auto* a = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Tamsel"));
        QApplication::setQuitOnLastWindowClosed(false);
        return a;
    }();
    return *app;
}

} // namespace testsupport
