// Statutory working time of one employee: per calendar day the hours over all sites, and per
// month the hours worked, the statutory overtime and the hours worked on the legal holiday.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace tamsel::overtime {

// Hours are counted in tenths of an hour: the ledger keeps one decimal, and whole numbers keep
// sums, averages and cap comparisons exact (an 80.5-hour average is 805 tenths, never 80.4999).
using Tenths = std::int64_t;
Tenths toTenths(double hours);
inline constexpr Tenths kTenthsPerHour = 10;
inline constexpr Tenths kDayLimit = 8 * kTenthsPerHour;
inline constexpr Tenths kWeekLimit = 40 * kTenthsPerHour;

// A month as one number, year * 12 + month - 1, so consecutive months differ by one.
inline constexpr int monthIndex(int year, int month) {
    return year * 12 + month - 1;
}
inline constexpr int yearOf(int index) {
    return index / 12;
}
inline constexpr int monthOf(int index) {
    return index % 12 + 1;
}

// The hours of each day of one month over all sites; element 0 is day 1, days past the month's
// end stay 0.
using MonthDays = std::array<Tenths, 31>;
// One employee's day hours by month index; a month that is not present was not worked.
using EmployeeDays = std::map<int, MonthDays>;

struct MonthFigures {
    Tenths total = 0;    // every hour worked in the month, holiday work included
    Tenths overtime = 0; // statutory overtime: beyond 8 hours a day, then beyond 40 a week
    Tenths holiday = 0;  // hours worked on the legal holiday
    Tenths overtimeAndHoliday() const { return overtime + holiday; }
    friend bool operator==(const MonthFigures&, const MonthFigures&) = default;
};

// The figures of `count` months from `firstMonth` (a month index). holidayWeekday is the legal
// holiday, 0 = Sunday ... 6 = Saturday.
//
// How statutory overtime is counted:
// 1. On the legal holiday every hour worked is holiday work. It is not overtime, and it does not
//    count toward the week's 40 hours.
// 2. On any other day the hours beyond 8 are daily overtime.
// 3. The remaining hours (at most 8 a day) add up over the week, Sunday to Saturday; the hours
//    that take that sum beyond 40 are weekly overtime, on the day they were worked.
// 4. An hour of overtime belongs to the month of the day it was worked on. A week split by a
//    month's end stays one week: its days in the earlier month count toward its 40 hours, and
//    the hours beyond 40 on the days of the later month are the later month's overtime. Since
//    the 40 hours fill up in the order of the days, entering a month never changes the figures
//    of the month before; it only needs the last days of that month.
std::vector<MonthFigures> monthFigures(const EmployeeDays& days, int firstMonth, int count,
                                       int holidayWeekday);

} // namespace tamsel::overtime
