// A report's export table as an Excel workbook: one sheet named after the report, the printed
// title and month or year in the first two rows, the headings in the third (frozen, so they
// stay in view), then the rows. Hours, money and counts are numbers shown with their column's
// format ("0.0", "#,##0", "0"), months are dates shown "yyyy/mm"; total rows are bold and the
// cells the screen colours are filled yellow or red. The numbers are the table's own texts read
// back, so the workbook holds exactly the figures of the CSV and the pages.
#pragma once

#include "platform/report/ExportTable.h"

#include <QString>

#include <string>

namespace plat::report {

// The display width of a text as a sheet's column counts it: a double-byte character 2, any
// other 1; the longest line of a text with line breaks.
int displayWidth(const std::string& utf8);

// Writes the workbook to path, replacing the file only once it is complete; sheetName is the
// report's caption (cut to what a sheet name may hold). ReportError on failure.
void writeXlsx(const ExportTable& table, const QString& path, const std::string& sheetName);

} // namespace plat::report
