// Wheel lines from QStyleHints.
#include "control/qt/QtListSettings.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace vantil {

std::optional<int> QtListSettings::wheelScrollLines() const {
#if defined(Q_OS_LINUX)
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        return QGuiApplication::styleHints()->wheelScrollLines();
    }
#endif
    return std::nullopt;
}

} // namespace vantil
