// Statutory month figures on hand-made months (April 2024 starts on a Monday; the week of
// Sunday 28 April to Saturday 4 May is split by the month's end).
#include "app/overtime/MonthFigures.h"
#include "app/overtime/LedgerHours.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tamsel::overtime;

struct Day {
    int month; // of 2024
    int day;
    double hours;
};

EmployeeDays daysOf(const std::vector<Day>& worked) {
    EmployeeDays days;
    for (const Day& d : worked) {
        MonthDays& m = days[monthIndex(2024, d.month)];
        m[static_cast<std::size_t>(d.day - 1)] += toTenths(d.hours);
    }
    return days;
}

std::vector<Day> run(int month, int from, int to, double hours) {
    std::vector<Day> out;
    for (int d = from; d <= to; ++d)
        out.push_back({month, d, hours});
    return out;
}

std::vector<Day> operator+(std::vector<Day> a, const std::vector<Day>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Case {
    const char* name;
    std::vector<Day> worked;
    int month;              // the month of 2024 whose figures are checked
    int holidayWeekday = 0; // Sunday
    MonthFigures expected;  // tenths: total, overtime, holiday
};

TEST(MonthFigures, StatutoryOvertimeAndHolidayWorkOfHandMadeMonths) {
    const Case cases[] = {
        {"an 8-hour day", {{4, 1, 8}}, 4, 0, {80, 0, 0}},
        {"a 10-hour day", {{4, 1, 10}}, 4, 0, {100, 20, 0}},
        {"half an hour beyond 8", {{4, 1, 8.5}}, 4, 0, {85, 5, 0}},
        {"six 8-hour days in one week", run(4, 1, 6, 8), 4, 0, {480, 80, 0}},
        {"daily overtime does not fill the week",
         run(4, 1, 5, 10) + run(4, 6, 6, 8),
         4,
         0,
         {580, 180, 0}},
        {"Sunday work is holiday work, not overtime", {{4, 7, 9}}, 4, 0, {90, 0, 90}},
        {"holiday work does not count toward the week", run(4, 7, 12, 8), 4, 0, {480, 0, 80}},
        {"with Saturday the legal holiday, Sunday is a working day",
         {{4, 6, 9}, {4, 7, 9}},
         4,
         6,
         {180, 10, 90}},
        {"a week split by the month's end: the earlier month has no overtime",
         run(4, 29, 30, 8) + run(5, 1, 4, 8),
         4,
         0,
         {160, 0, 0}},
        {"a week split by the month's end: its 40 hours run on into the later month",
         run(4, 29, 30, 8) + run(5, 1, 4, 8),
         5,
         0,
         {320, 80, 0}},
        {"a month without ledger lines", {}, 4, 0, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const std::vector<MonthFigures> f =
            monthFigures(daysOf(c.worked), monthIndex(2024, c.month), 1, c.holidayWeekday);
        ASSERT_EQ(f.size(), 1u) << c.name;
        EXPECT_EQ(f[0], c.expected)
            << c.name << ": " << f[0].total << "/" << f[0].overtime << "/" << f[0].holiday;
    }
}

TEST(LedgerMonthFigures, SumsTheSitesOfADayAndReadsTheWeekBeforeTheMonth) {
    LineHours site1{};
    LineHours site2{};
    site1[0] = 6; // Wednesday 1 May: 6 + 4.5 hours on two sites
    site2[0] = 4.5;
    for (int d = 2; d <= 4; ++d)
        site1[static_cast<std::size_t>(d - 1)] = 8;
    LineHours april{};
    april[28] = 8; // Monday 29 and Tuesday 30 April
    april[29] = 8;
    const LineHours lines[] = {site1, site2};
    const LineHours before[] = {april};
    // 2.5 hours beyond 8 on 1 May; the week reaches 40 on Friday, so Saturday's 8 are overtime.
    EXPECT_EQ(monthFiguresOfLines({2024, 5, 1}, lines, before, 0), (MonthFigures{345, 105, 0}));
    EXPECT_EQ(monthFiguresOfLines({2024, 5, 1}, lines, {}, 0), (MonthFigures{345, 25, 0}));
}

} // namespace
