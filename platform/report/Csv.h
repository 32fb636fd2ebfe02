// Comma-separated text of a table as spreadsheets read it: UTF-8 with a byte-order mark (so
// Japanese text opens correctly), lines ended by CR LF, a field quoted when it holds a comma, a
// double quote or a line break, with its double quotes doubled.
#pragma once

#include "platform/report/ExportTable.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace plat::report {

// One field as written between the commas.
std::string csvField(std::string_view text);
// The whole file: byte-order mark, heading line, then one line per row.
std::string csvText(const ExportTable& table);
// Writes csvText to path, replacing the file only once it is complete; ReportError on failure.
void writeCsv(const ExportTable& table, const QString& path);

} // namespace plat::report
