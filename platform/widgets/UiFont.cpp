// The Japanese user-interface font: the proportional Gothic face when the machine has it.
#include "platform/widgets/UiFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace plat::widgets {

namespace {
QString preferredFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* wanted : {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}) {
            if (families.contains(QString::fromLatin1(wanted)))
                return QString::fromLatin1(wanted);
        }
        return QString();
    }();
    return family;
}
} // namespace

QFont uiFont(double pointSize) {
    QFont font = QApplication::font();
    const QString family = preferredFamily();
    if (!family.isEmpty())
        font.setFamilies({family});
    font.setPointSizeF(pointSize);
    return font;
}

void applyUiFont(QApplication& app) {
    app.setFont(uiFont());
}

} // namespace plat::widgets
