// Shared by the widget, frame and maintenance tests: one QApplication for the test program
// (offscreen platform, the program's name for default message titles) and a temporary folder
// under the build's test area.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

namespace testsupport {

inline QApplication& qtApp() {
    static int argc = 1;
    static char arg0[] = "tamsel-tests";
    static char* argv[] = {arg0, nullptr};
    // Never destroyed: Qt's own globals may already be gone when static objects are.
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Tamsel"));
        QApplication::setQuitOnLastWindowClosed(false);
        return a;
    }();
    return *app;
}

inline QString tempRoot() {
    QString base = qEnvironmentVariable("TAMSEL_TEST_TMP");
    if (base.isEmpty())
        base = QDir::tempPath();
    QDir().mkpath(base);
    return base;
}

// A fresh empty folder, removed with the object.
class TempFolder {
public:
    TempFolder() : dir_(tempRoot() + QStringLiteral("/spine-XXXXXX")) {}
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir dir_;
};

} // namespace testsupport
