// CSV text of an exported report table, and writing it to a file.
#include "platform/report/Csv.h"

#include "platform/report/ReportError.h"
#include "platform/report/Texts.h"

#include <QSaveFile>

namespace plat::report {

namespace {

void appendLine(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += csvField(fields[i]);
    }
    out += "\r\n";
}

} // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvText(const ExportTable& table) {
    std::string out = "\xEF\xBB\xBF";
    appendLine(out, table.headings);
    for (const auto& row : table.rows)
        appendLine(out, row);
    return out;
}

void writeCsv(const ExportTable& table, const QString& path) {
    const std::string text = csvText(table);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit())
        throw ReportError(static_cast<int>(ErrorCode::FileAccess),
                          std::string(texts::kCsvWriteFailed) + "（" + path.toStdString() + "）");
}

} // namespace plat::report
