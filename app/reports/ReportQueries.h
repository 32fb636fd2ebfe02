// The statement texts of the inquiry and report screens, built piece by piece the way the
// screens have always built them, and the small computations around them. Pure functions.
#pragma once

#include "platform/jet/Value.h"
#include "platform/text/DateTime.h"

#include <cstdint>
#include <string>

namespace tamsel::reports {

// The monthly inquiry: one row per site of the month (GENBAID, GNAME, SD0 … SD30 where SDn sums
// ledger day D(n+1)), highest site identifier first.
std::string inquirySql(const plat::text::DateTime& month);

// The month buttons: "前月" never goes before December 2001, "次月" never past the month three
// months after the current calendar month (today's month). Both return the month to show,
// which is the shown month itself at a limit.
inline constexpr plat::text::DateTime kFirstMonth{2001, 12, 1};
plat::text::DateTime previousMonth(const plat::text::DateTime& shown);
plat::text::DateTime nextMonth(const plat::text::DateTime& shown,
                               const plat::text::DateTime& today);

// A single-precision sum as the grid shows it: the value at its 7 significant digits, so 0.1f
// added up reads 0.3 and not 0.30000001192…
double singleAsShown(float value);

// The text of the stored query "Q_PrtRoumuG": the month's money per site and day and GTOTAL.
std::string siteReportSql(const plat::text::DateTime& month);
inline constexpr char kSiteReportQuery[] = "Q_PrtRoumuG";

// The annual aggregation per employee and month of `year`, ordered by employee and month.
std::string yearAggregateSql(int year);
inline constexpr char kYearReportQuery[] = "Q_PrtRuikei";

// One aggregated employee-month as it is written into PRTRUIKEI.
struct YearLine {
    plat::text::DateTime nengetu;
    std::int64_t syainId = 0;
    plat::jet::Value sName; // Null: the SNAME column is left out of the insert
    plat::jet::Currency tMony;
    double rTime = 0;
};

// Amount of an employee-month: the largest whole money unit not above wage × hours. The product
// is taken at the currency's four decimals first, so that 1,200 × 22.6 hours held as
// 22.599999… still gives 27,120.
plat::jet::Currency monthAmount(const plat::jet::Currency& wage, double hours);

// The insert statement of one line; SNAME only when the ledger holds a name. Quotes in the name
// are doubled, so any name is stored as written.
std::string yearInsertSql(const YearLine& line);

// The statement screen's employee list, highest employee number first.
inline constexpr char kEmployeeListSql[] = "SELECT * FROM SYAIN_MT ORDER BY SYAINID DESC";

// The statement's copy queries: the ledger lines of one employee's month (by line number) or of
// every employee's month (by employee, then line number), each with GTOTAL, the sum of its days.
std::string employeeMonthCopySql(std::int64_t syainId, const plat::text::DateTime& month);
std::string allEmployeesMonthCopySql(const plat::text::DateTime& month);
inline constexpr char kStatementWorkTable[] = "PrtRoumuM";
inline constexpr char kStatementQuery[] = "Q_SRoumuM";

// The day columns a statement of `month` shows: 28 in February, 29 in a February whose year is
// divisible by 4 (there is no century rule), 30 in April, June, September and November, 31 else.
int statementDays(const plat::text::DateTime& month);

// The amount a statement pays: the printed hours text ("#,##0.0") read as a single-precision
// number, times the printed wage text ("#,##0") as money, at the currency's four decimals, cut
// to the largest whole money unit not above. Unreadable or empty texts count 0.
plat::jet::Currency statementAmount(const std::string& hoursText, const std::string& wageText);

} // namespace tamsel::reports
