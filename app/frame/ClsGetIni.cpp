// INI reader: line cutting, section search, keyword and numeric-key look-ups.
#include "app/frame/ClsGetIni.h"

#include "platform/text/Cp932.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <limits>

namespace tamsel {

namespace {
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isHeader(const QString& line) {
    return line.startsWith(QLatin1Char('['));
}

QString headerName(const QString& line) {
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    return close < 0 ? line.mid(1) : line.mid(1, close - 1);
}

// Key and value of an entry line; false for a line without "=".
bool splitEntry(const QString& line, QString& key, QString& value) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    qsizetype keyEnd = eq;
    while (keyEnd > 0 && isBlank(line[keyEnd - 1]))
        --keyEnd;
    key = line.left(keyEnd);
    qsizetype start = eq + 1;
    while (start < line.size() && (isBlank(line[start]) || line[start] == QLatin1Char('"')))
        ++start;
    qsizetype end = line.indexOf(QLatin1Char('"'), start);
    if (end < 0)
        end = line.size();
    value = line.mid(start, end - start);
    return true;
}

std::optional<std::int16_t> numericKey(const QString& key) {
    bool ok = false;
    const double v = key.trimmed().toDouble(&ok);
    if (!ok || v < std::numeric_limits<std::int16_t>::min() - 0.5 ||
        v >= std::numeric_limits<std::int16_t>::max() + 0.5)
        return std::nullopt;
    return static_cast<std::int16_t>(qRound(v));
}
} // namespace

QString ClsGetIni::cutLine(const QString& raw) {
    // Leading blanks go first; the comment rule and the header test look at what follows.
    qsizetype start = 0;
    while (start < raw.size() && isBlank(raw[start]))
        ++start;
    QString line = raw.mid(start);
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
        return {};
    const qsizetype comment = line.indexOf(QLatin1Char(';'));
    if (comment >= 0)
        line.truncate(comment);
    qsizetype end = line.size();
    while (end > 0 && (isBlank(line[end - 1]) || line[end - 1] == QLatin1Char('"')))
        --end;
    line.truncate(end);
    return line;
}

QString ClsGetIni::decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    const std::u16string wide =
        plat::text::cp932::toUtf16(std::string_view(bytes.constData(), bytes.size()));
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

void ClsGetIni::setText(const QString& text) {
    lines_.clear();
    const QStringList raw = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& r : raw) {
        const QString cut = cutLine(r);
        if (!cut.isEmpty())
            lines_.push_back(cut);
    }
}

std::int16_t ClsGetIni::SetInifile(const QString& sIninm) {
    lines_.clear();
    QFile file(sIninm);
    if (!file.exists())
        return kFileNotFound;
    if (!file.open(QIODevice::ReadOnly))
        return kFileAccessError;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return kFileAccessError;
    setText(decode(bytes));
    return 0;
}

qsizetype ClsGetIni::sectionStart(const QString& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (isHeader(lines_[i]) && headerName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return -1;
}

std::optional<QString> ClsGetIni::GetKeyword(const QString& sCategory,
                                             const QString& sKeyword) const {
    const qsizetype start = sectionStart(sCategory);
    if (start < 0)
        return std::nullopt;
    for (qsizetype i = start; i < lines_.size() && !isHeader(lines_[i]); ++i) {
        QString key, value;
        if (splitEntry(lines_[i], key, value) && key.compare(sKeyword, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

std::int16_t ClsGetIni::GetKubun(const QString& sCategory, std::vector<std::int16_t>& nKBN,
                                 std::vector<QString>& sKbnNm) const {
    nKBN.clear();
    sKbnNm.clear();
    const qsizetype start = sectionStart(sCategory);
    if (start < 0)
        return 0;
    for (qsizetype i = start; i < lines_.size() && !isHeader(lines_[i]); ++i) {
        QString key, value;
        if (!splitEntry(lines_[i], key, value))
            continue;
        if (const std::optional<std::int16_t> n = numericKey(key)) {
            nKBN.push_back(*n);
            sKbnNm.push_back(value);
        }
    }
    return static_cast<std::int16_t>(nKBN.size());
}

} // namespace tamsel
