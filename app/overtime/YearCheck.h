// The overtime check of one agreement year for every employee: the settings, the months of the
// year and each employee's cap figures and breaches, read from the database in one pass.
#pragma once

#include "app/overtime/CapCheck.h"
#include "app/overtime/OvertimeSettings.h"
#include "platform/jet/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tamsel::overtime {

struct EmployeeCheck {
    std::int64_t syainId = 0;
    std::string name;
    EmployeeYear year;
};

struct YearCheck {
    Settings settings;
    int year = 0;
    int firstMonth = 0; // month index of the year's first month
    // Employees who worked in the year, by employee number.
    std::vector<EmployeeCheck> employees;

    // Calendar month number (1 to 12) of the year's month m (0 to 11).
    int monthNumber(int m) const { return monthOf(firstMonth + m); }
};

// Reads the year that starts in `year` (with the months before it that the weeks and the
// averages reach into) and checks every employee. Throws plat::jet::Error.
YearCheck runYearCheck(plat::jet::Database& db, int year, const Settings& settings);

} // namespace tamsel::overtime
