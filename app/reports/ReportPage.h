// What every report layout of the program shares: A4 paper with the layout's orientation and
// tray, the printable width centred between equal side margins, the footer "N ／ M ページ", and
// the data source in the program's database file.
#pragma once

#include "platform/report/Report.h"

#include <QString>

#include <string>

namespace tamsel::reports {

// A4 as the layouts are drawn on it, in twips.
inline constexpr int kA4PortraitWidth = 11906;
inline constexpr int kA4LandscapeWidth = 16838;

// The printer set-up of a layout (its ChgPrinter): A4, `orientation` and `paperSource` by the
// engine's numbers (plat::report::orientation, plat::report::paperSource).
void setPrinter(plat::report::Report& report, int orientation, int paperSource);

// Equal left and right margins leaving `printableWidth` of a paper `paperWidth` wide.
void setSideMargins(plat::report::Report& report, int paperWidth, int printableWidth);

// The page footer band: page number, "／", page count and "ページ" in a row from `numberLeft`.
plat::report::Band& addPageFooter(plat::report::Report& report, int numberLeft);

// The database a layout reads its stored query from: the office database of the program
// folder `folder`, as databasePathIn() finds it (a server database's URI or the file).
std::string reportDatabase(const QString& folder);

// Names the layout's data source: the stored query `queryName` of reportDatabase(folder).
void readStoredQuery(plat::report::Report& report, const QString& folder,
                     const std::string& queryName);

} // namespace tamsel::reports
