// One year's overtime check from the ledger.
#include "app/overtime/YearCheck.h"

#include "app/overtime/LedgerHours.h"

namespace tamsel::overtime {

YearCheck runYearCheck(plat::jet::Database& db, int year, const Settings& settings) {
    YearCheck check;
    check.settings = settings;
    check.year = year;
    check.firstMonth = firstMonthOfYear(settings, year);
    const int from = check.firstMonth - kMonthsBefore;
    const int count = kMonthsBefore + kMonthsInYear;
    // One month more before: the week the earliest month starts in may begin there.
    for (EmployeeLedger& e : readLedger(db, from - 1, from + count - 1)) {
        const std::vector<MonthFigures> figures =
            monthFigures(e.days, from, count, settings.holidayWeekday);
        bool worked = false;
        for (int m = kMonthsBefore; m < count; ++m)
            worked = worked || figures[static_cast<std::size_t>(m)].total > 0;
        if (worked)
            check.employees.push_back(
                {e.syainId, std::move(e.name), checkYear(figures, settings.specialClause)});
    }
    return check;
}

} // namespace tamsel::overtime
