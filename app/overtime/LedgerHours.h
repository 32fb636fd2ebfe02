// The day hours the overtime check works on, from the ledger KYUYO_F: every employee's hours
// per day over all sites for a run of months, and the month figures of one employee-month as
// the ledger grid holds it (lines not yet saved included).
#pragma once

#include "app/overtime/MonthFigures.h"
#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tamsel::overtime {

struct EmployeeLedger {
    std::int64_t syainId = 0;
    std::string name; // from the employee master
    EmployeeDays days;
};

// The day hours, summed over the lines of each day, of every employee of the master who has
// ledger lines in the months firstMonth to lastMonth (month indexes), by employee number.
// Throws plat::jet::Error.
std::vector<EmployeeLedger> readLedger(plat::jet::Database& db, int firstMonth, int lastMonth);

// The hours of one ledger line, day 1 first.
using LineHours = std::array<double, 31>;

// The figures of one employee-month from its lines; previousMonth holds the lines of the month
// before, whose last days may begin the month's first week.
MonthFigures monthFiguresOfLines(const plat::text::DateTime& month,
                                 std::span<const LineHours> lines,
                                 std::span<const LineHours> previousMonth, int holidayWeekday);

// The hours of one employee-month's stored lines, line by line. Throws plat::jet::Error.
std::vector<LineHours> readMonthLines(plat::jet::Database& db, std::int64_t syainId,
                                      const plat::text::DateTime& month);

// The same with the month before read from the database: what the ledger grid shows under its
// totals while the month is being edited. Throws plat::jet::Error.
MonthFigures ledgerMonthFigures(plat::jet::Database& db, std::int64_t syainId,
                                const plat::text::DateTime& month, std::span<const LineHours> lines,
                                int holidayWeekday);

} // namespace tamsel::overtime
