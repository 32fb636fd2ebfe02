// What a report exports: its lines as a table that the CSV and the workbook writers both take.
// One column per export column the layout defines, one row per detail band placed on a page and
// one total row per placed total band (an employee's footer, the report's grand total). The
// cells are taken while the pages are laid out, from the values and texts the bands print, so a
// saved table and the printed pages can never disagree.
//
// Every cell is kept as the text the CSV writes (plain digits, the printed rounding: "7.5",
// "9375", "2004/04"); the column's type says what a spreadsheet makes of it (a number shown with
// the column's format, a month as a date), so the workbook reads the same texts back as numbers.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace plat::report {

enum class ExportType {
    Text,
    Hours, // a number of hours; format "0.0" (or "0.00" where the page prints two decimals)
    Money, // whole yen; shown "#,##0"
    Month, // "yyyy/mm": the first day of the month, shown "yyyy/mm"
    Count, // a whole number
};

// A cell's background in the workbook, as the screen colours the same figure.
enum class CellFill : unsigned char {
    None = 0,
    Caution = 1, // yellow: beyond a principle
    Alarm = 2,   // red: a cap is broken
};
// The colours (0xRRGGBB) the overtime screen paints its cells with.
inline constexpr unsigned kCautionRgb = 0xFFF176;
inline constexpr unsigned kAlarmRgb = 0xEF5350;

struct ExportColumn {
    ExportColumn() = default;
    ExportColumn(std::string heading_, std::string control_, std::string dataField_,
                 std::string format_, ExportType type_ = ExportType::Text)
        : heading(std::move(heading_)), control(std::move(control_)),
          dataField(std::move(dataField_)), format(std::move(format_)), type(type_) {}

    std::string heading;
    // Detail rows take their cell from one of these, in this order:
    // a control of the detail band (its bound value or sum, formatted with `format`; empty while
    // the control is hidden; a control without a value gives its text as shown),
    std::string control;
    // a column of the current row, formatted with `format`,
    std::string dataField;
    std::string format;
    ExportType type = ExportType::Text;
    // or the report's own code, asked once the band is formatted.
    std::function<std::string()> value;

    // Total rows: a control of the total band, a fixed text, the report's own code, or (with
    // `totalRepeats`) the column's detail value of the current row; otherwise empty.
    std::string totalControl;
    std::string totalText;
    std::function<std::string()> totalValue;
    bool totalRepeats = false;

    // A column of the current row holding the cell's fill (0 none, 1 yellow, 2 red).
    std::string fillField;
};

// A column with its heading, type and format; the caller names where its cells come from.
inline ExportColumn exportColumn(std::string heading, ExportType type, std::string format) {
    return ExportColumn(std::move(heading), {}, {}, std::move(format), type);
}

struct ExportTable {
    // The report's printed title and its month or year, the first rows of a workbook.
    std::string title;
    std::string period;

    std::vector<std::string> headings;
    // Per column: its type and the number format of its texts ("0.0", "0", "yyyy/mm"); a table
    // made without them is all text.
    std::vector<ExportType> types;
    std::vector<std::string> formats;

    std::vector<std::vector<std::string>> rows;
    std::vector<bool> totals;                 // per row: a total row (bold in a workbook)
    std::vector<std::vector<CellFill>> fills; // per row; empty when the row has no fills

    bool empty() const { return rows.empty(); }
    ExportType type(std::size_t column) const {
        return column < types.size() ? types[column] : ExportType::Text;
    }
    const std::string& format(std::size_t column) const {
        static const std::string none;
        return column < formats.size() ? formats[column] : none;
    }
    bool isTotal(std::size_t row) const { return row < totals.size() && totals[row]; }
    CellFill fill(std::size_t row, std::size_t column) const {
        return row < fills.size() && column < fills[row].size() ? fills[row][column]
                                                                : CellFill::None;
    }
    void clearRows() {
        rows.clear();
        totals.clear();
        fills.clear();
    }
};

} // namespace plat::report
