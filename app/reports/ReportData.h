// The database steps the report screens run before a report: reading the month's inquiry
// rows, rewriting the site report's stored query, and filling the annual work table. The
// print screens and the batch printing share them. Database errors arrive as plat::jet::Error.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tamsel::reports {

inline constexpr int kInquiryDays = 31;

// One site of the monthly inquiry: its name (empty when Null) and the hours of days 1 … 31
// summed over the site's ledger lines, a Null sum counting 0.
struct InquiryRow {
    QString gName;
    std::array<float, kInquiryDays> days{};
};

std::vector<InquiryRow> readInquiry(plat::jet::Database& db, const plat::text::DateTime& month);

// Deletes the stored query "Q_PrtRoumuG" (a missing one is fine) and creates it for month.
void buildSiteReportQuery(plat::jet::Database& db, const plat::text::DateTime& month);

// Empties PRTRUIKEI and fills it with one line per employee and month of year. Rows written
// before an error stay. `progress` (may be empty) hears lines written and lines in all.
// extractYear runs in a transaction of its own; fillYear inside the caller's (PrintRun).
using ExtractProgress = std::function<void(int done, int total)>;
int extractYear(plat::jet::Database& db, int year, const ExtractProgress& progress = {});
int fillYear(plat::jet::Database& db, int year, const ExtractProgress& progress = {});

// Empties PRTROUMUM and copies into it the rows of a statement copy query (ReportQueries.h),
// each column into the work-table column of the same name; returns the rows copied.
int copyStatementLines(plat::jet::Database& db, const std::string& copySql);

} // namespace tamsel::reports
