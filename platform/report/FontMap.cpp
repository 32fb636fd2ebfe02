// Font resolution: width-folded, case-folded matching of the layout's font name.
#include "platform/report/FontMap.h"

#include <QFontDatabase>

#include <algorithm>
#include <cmath>

namespace plat::report {

namespace {

// Full-width Latin letters and digits folded to ASCII, blanks dropped, lower case.
QString foldName(const QString& name) {
    QString out;
    for (QChar ch : name) {
        char16_t u = ch.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            u = static_cast<char16_t>(u - 0xFF01 + 0x21);
        if (u == u' ' || u == 0x3000)
            continue;
        out += QChar(u).toLower();
    }
    return out;
}

} // namespace

QString resolveFontFamily(const QString& layoutName) {
    const QString folded = foldName(layoutName);
    const bool gothic = folded.contains(QStringLiteral(u"ゴシック")) || folded.contains(u"gothic");
    const bool mincho = folded.contains(QStringLiteral(u"明朝")) || folded.contains(u"mincho");
    if (gothic || mincho) {
        // "P" right before the face name marks the proportional variant ("ＭＳ Ｐ明朝").
        const bool proportional = folded.contains(QStringLiteral(u"p明朝")) ||
                                  folded.contains(QStringLiteral(u"pゴシック")) ||
                                  folded.contains(u"pmincho") || folded.contains(u"pgothic") ||
                                  folded.contains(QStringLiteral(u"ui"));
        if (gothic)
            return proportional ? QStringLiteral("IPAPGothic") : QStringLiteral("IPAGothic");
        return proportional ? QStringLiteral("IPAPMincho") : QStringLiteral("IPAMincho");
    }
    if (!layoutName.isEmpty() && QFontDatabase::hasFamily(layoutName))
        return layoutName;
    return QStringLiteral("IPAPMincho");
}

QFont twipsFont(const FontChoice& face) {
    QFont font(resolveFontFamily(QString::fromStdString(face.name)));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(face.size * kTwipsPerPoint))));
    font.setBold(face.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace plat::report
