// Day-by-day walk through the weeks that computes the statutory month figures.
#include "app/overtime/MonthFigures.h"

#include "platform/text/DateTime.h"

#include <algorithm>
#include <cmath>

namespace tamsel::overtime {

Tenths toTenths(double hours) {
    return static_cast<Tenths>(std::llround(hours * static_cast<double>(kTenthsPerHour)));
}

std::vector<MonthFigures> monthFigures(const EmployeeDays& days, int firstMonth, int count,
                                       int holidayWeekday) {
    std::vector<MonthFigures> out(static_cast<std::size_t>(std::max(count, 0)));
    Tenths week = 0; // hours within 8 a day, counted toward the current week's 40
    // The month before is walked too: the week the first month starts in may begin there.
    for (int m = firstMonth - 1; m < firstMonth + count; ++m) {
        const int year = yearOf(m);
        const int month = monthOf(m);
        const int length = plat::text::daysInMonth(year, month);
        const auto found = days.find(m);
        MonthFigures* figures =
            m >= firstMonth ? &out[static_cast<std::size_t>(m - firstMonth)] : nullptr;
        int wd = plat::text::weekday(plat::text::DateTime{year, month, 1});
        for (int d = 0; d < length; ++d, wd = (wd + 1) % 7) {
            if (wd == 0)
                week = 0;
            const Tenths hours =
                found == days.end()
                    ? 0
                    : std::max<Tenths>(0, found->second[static_cast<std::size_t>(d)]);
            Tenths overtime = 0;
            Tenths holiday = 0;
            if (wd == holidayWeekday) {
                holiday = hours;
            } else {
                const Tenths daily = std::max<Tenths>(0, hours - kDayLimit);
                const Tenths before = week;
                week += hours - daily;
                overtime = daily + std::max<Tenths>(0, week - std::max(before, kWeekLimit));
            }
            if (figures) {
                figures->total += hours;
                figures->overtime += overtime;
                figures->holiday += holiday;
            }
        }
    }
    return out;
}

} // namespace tamsel::overtime
