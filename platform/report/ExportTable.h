// The detail lines of a laid-out report as a table, for saving as CSV: one column per export
// column the layout defines, one row per detail band placed on a page. The cells are taken while
// the pages are laid out, from the values the lines print, so a saved table and the printed
// pages can never disagree.
#pragma once

#include <string>
#include <vector>

namespace plat::report {

struct ExportColumn {
    std::string heading;
    // Either a control of the detail band (its bound value or sum, formatted with `format`;
    // empty while the control is hidden; a control without a value gives its text as shown)
    std::string control;
    // or a column of the current row, formatted with `format`.
    std::string dataField;
    std::string format;
};

struct ExportTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;

    bool empty() const { return rows.empty(); }
};

} // namespace plat::report
