// The firm's settings of the overtime check, kept in the database file in the one-row table
// ZANGYO_SET: the legal holiday's weekday, whether the labour agreement has a special clause,
// and the month the agreement's year starts in. The table is created the first time settings
// are stored; a file without it (every file made before the check existed) reads the defaults.
#pragma once

#include "app/overtime/MonthFigures.h"
#include "platform/jet/Database.h"

namespace tamsel::overtime {

struct Settings {
    int holidayWeekday = 0; // 0 = Sunday ... 6 = Saturday
    bool specialClause = false;
    int yearStartMonth = 4; // 1 to 12
    friend bool operator==(const Settings&, const Settings&) = default;
};

// Defaults when the table is missing or empty; a stored value out of range reads as its
// default. Other database errors are thrown (plat::jet::Error).
Settings loadSettings(plat::jet::Database& db);
// Replaces the stored settings in one transaction, creating the table when needed.
void saveSettings(plat::jet::Database& db, const Settings& settings);

// The month index of the first month of the agreement year that starts in `year`.
int firstMonthOfYear(const Settings& settings, int year);
// The agreement year a month belongs to (the year its first month lies in).
int agreementYearOf(const Settings& settings, int year, int month);

} // namespace tamsel::overtime
