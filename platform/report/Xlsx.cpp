// Writing an export table as an Excel workbook through libxlsxwriter.
#include "platform/report/Xlsx.h"

#include "platform/report/ReportError.h"
#include "platform/report/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string_view>
#include <tuple>

namespace plat::report {

namespace {

constexpr lxw_row_t kTitleRow = 0;
constexpr lxw_row_t kPeriodRow = 1;
constexpr lxw_row_t kHeadingRow = 2;
constexpr lxw_row_t kFirstDataRow = 3;
constexpr int kMinWidth = 4;
constexpr int kMaxWidth = 60;
constexpr std::size_t kSheetNameChars = 31;

[[noreturn]] void fail(const QString& path) {
    throw ReportError(static_cast<int>(ErrorCode::FileAccess),
                      std::string(texts::kXlsxWriteFailed) + "（" + path.toStdString() + "）");
}

// The number format a column's cells are shown with in a sheet.
std::string sheetFormat(ExportType type, const std::string& format) {
    switch (type) {
    case ExportType::Hours:
        return format.empty() ? "0.0" : format;
    case ExportType::Money:
        return "#,##0";
    case ExportType::Month:
        return "yyyy/mm";
    case ExportType::Count:
        return "0";
    case ExportType::Text:
        break;
    }
    return {};
}

// "yyyy/mm" as the first day of that month.
bool parseMonth(const std::string& text, lxw_datetime& out) {
    int y = 0;
    int m = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%4d/%2d%c", &y, &m, &rest) != 2 || m < 1 || m > 12)
        return false;
    out = lxw_datetime{y, m, 1, 0, 0, 0.0};
    return true;
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

// The report's caption as a sheet name: at most 31 characters, none of []:*?/\.
std::string sheetNameOf(const std::string& caption) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < caption.size() && chars < kSheetNameChars;) {
        const auto lead = static_cast<unsigned char>(caption[i]);
        const std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const char c = caption[i];
        if (len == 1 && std::string_view("[]:*?/\\").find(c) != std::string_view::npos)
            out += '_';
        else
            out.append(caption, i, len);
        i += len;
        ++chars;
    }
    return out.empty() ? std::string(texts::kDefaultSheet) : out;
}

// The formats of one workbook, made once per combination of number format, bold and fill.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {}

    lxw_format* get(const std::string& numberFormat, bool bold, CellFill fill) {
        const auto key = std::make_tuple(numberFormat, bold, fill);
        auto found = cache_.find(key);
        if (found != cache_.end())
            return found->second;
        lxw_format* f = workbook_add_format(book_);
        if (!numberFormat.empty())
            format_set_num_format(f, numberFormat.c_str());
        if (bold)
            format_set_bold(f);
        if (fill != CellFill::None) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, fill == CellFill::Alarm ? kAlarmRgb : kCautionRgb);
        }
        format_set_text_wrap(f);
        format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        cache_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* book_;
    std::map<std::tuple<std::string, bool, CellFill>, lxw_format*> cache_;
};

lxw_error writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const std::string& text,
                    ExportType type, lxw_format* format) {
    if (text.empty())
        return format ? worksheet_write_blank(sheet, row, col, format) : LXW_NO_ERROR;
    double number = 0;
    lxw_datetime month{};
    switch (type) {
    case ExportType::Hours:
    case ExportType::Money:
    case ExportType::Count:
        if (parseNumber(text, number))
            return worksheet_write_number(sheet, row, col, number, format);
        break;
    case ExportType::Month:
        if (parseMonth(text, month))
            return worksheet_write_datetime(sheet, row, col, &month, format);
        break;
    case ExportType::Text:
        break;
    }
    return worksheet_write_string(sheet, row, col, text.c_str(), format);
}

void fillSheet(lxw_workbook* book, lxw_worksheet* sheet, const ExportTable& table) {
    Formats formats(book);
    lxw_format* title = workbook_add_format(book);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    format_set_bottom(heading, LXW_BORDER_THIN);
    format_set_align(heading, LXW_ALIGN_CENTER);

    lxw_error error = LXW_NO_ERROR;
    auto check = [&error](lxw_error e) {
        if (error == LXW_NO_ERROR)
            error = e;
    };
    if (!table.title.empty())
        check(worksheet_write_string(sheet, kTitleRow, 0, table.title.c_str(), title));
    if (!table.period.empty()) {
        lxw_datetime month{};
        if (parseMonth(table.period, month))
            check(worksheet_write_datetime(sheet, kPeriodRow, 0, &month,
                                           formats.get("yyyy/mm", false, CellFill::None)));
        else
            check(worksheet_write_string(sheet, kPeriodRow, 0, table.period.c_str(), nullptr));
    }

    const std::size_t columns = table.headings.size();
    std::vector<int> widths(columns, kMinWidth);
    std::vector<std::string> numberFormats(columns);
    // Per column the formats of plain and total rows under each fill, looked up once.
    using ColumnFormats = std::array<std::array<lxw_format*, 3>, 2>;
    std::vector<ColumnFormats> cellFormats(columns, ColumnFormats{});
    for (std::size_t c = 0; c < columns; ++c) {
        numberFormats[c] = sheetFormat(table.type(c), table.format(c));
        widths[c] = std::max(widths[c], displayWidth(table.headings[c]));
        check(worksheet_write_string(sheet, kHeadingRow, static_cast<lxw_col_t>(c),
                                     table.headings[c].c_str(), heading));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<std::string>& row = table.rows[r];
        const bool total = table.isTotal(r);
        const auto sheetRow = static_cast<lxw_row_t>(kFirstDataRow + r);
        for (std::size_t c = 0; c < row.size() && c < columns; ++c) {
            const CellFill fill = table.fill(r, c);
            lxw_format*& format = cellFormats[c][total ? 1 : 0][static_cast<std::size_t>(fill)];
            if (!format)
                format = formats.get(numberFormats[c], total, fill);
            check(writeCell(sheet, sheetRow, static_cast<lxw_col_t>(c), row[c], table.type(c),
                            format));
            // Numbers take their formatted width (thousands separators included).
            int width = displayWidth(row[c]);
            if (table.type(c) == ExportType::Money)
                width += width / 3;
            widths[c] = std::max(widths[c], width);
        }
    }
    for (std::size_t c = 0; c < columns; ++c)
        check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                   std::min(widths[c], kMaxWidth) + 2, nullptr));
    worksheet_freeze_panes(sheet, kFirstDataRow, 0);
    if (error != LXW_NO_ERROR)
        throw ReportError(static_cast<int>(ErrorCode::FileAccess), lxw_strerror(error));
}

} // namespace

int displayWidth(const std::string& utf8) {
    int widest = 0;
    int line = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead == '\n') {
            widest = std::max(widest, line);
            line = 0;
            ++i;
            continue;
        }
        // Single-byte and the half-width katakana (U+FF61 to U+FF9F) count 1.
        std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        bool narrow = len == 1;
        if (len == 3 && i + 2 < utf8.size() && lead == 0xEF) {
            const unsigned cp = ((lead & 0x0Fu) << 12) |
                                ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                                (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
            narrow = cp >= 0xFF61 && cp <= 0xFF9F;
        }
        line += narrow ? 1 : 2;
        i += len;
    }
    return std::max(widest, line);
}

void writeXlsx(const ExportTable& table, const QString& path, const std::string& sheetName) {
    // The workbook is written beside the target and moved over it once complete, so a failed
    // save never leaves half a file in its place.
    const QFileInfo target(path);
    QTemporaryFile part(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part")
                                                          .arg(target.fileName())));
    if (!part.open())
        fail(path);
    part.close();
    const QByteArray partName = QFile::encodeName(part.fileName());

    lxw_workbook* book = workbook_new(partName.constData());
    if (!book)
        fail(path);
    lxw_worksheet* sheet = workbook_add_worksheet(book, sheetNameOf(sheetName).c_str());
    if (!sheet) {
        workbook_close(book);
        fail(path);
    }
    try {
        fillSheet(book, sheet, table);
    } catch (const ReportError&) {
        workbook_close(book);
        fail(path);
    }
    if (workbook_close(book) != LXW_NO_ERROR)
        fail(path);
    // A replaced file keeps its permissions; a new one gets those of an ordinary file.
    const QFileDevice::Permissions permissions =
        target.exists() ? QFile::permissions(target.absoluteFilePath())
                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(part.fileName(), permissions);
    // On the disk before it takes the target's name, as a saved CSV is.
    if (const int fd = ::open(partName.constData(), O_RDONLY); fd >= 0) {
        const bool synced = ::fsync(fd) == 0;
        ::close(fd);
        if (!synced)
            fail(path);
    } else {
        fail(path);
    }
    if (std::rename(partName.constData(), QFile::encodeName(target.absoluteFilePath())) != 0)
        fail(path);
    part.setAutoRemove(false);
}

} // namespace plat::report
