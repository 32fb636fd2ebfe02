// The overtime caps on hand-made years: which rule breaks, in which month, with and without
// the special clause; and the words that say so.
#include "app/overtime/CapCheck.h"
#include "app/overtime/BreachWords.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using namespace tamsel::overtime;

// Months given as (month of the year, overtime hours, holiday hours); month -1 to -5 are the
// months before the year.
struct Month {
    int month;
    double overtime;
    double holiday = 0;
};

std::vector<MonthFigures> yearOf(const std::vector<Month>& months, double everyMonth = 0) {
    std::vector<MonthFigures> f(kMonthsBefore + kMonthsInYear);
    for (int m = 0; m < kMonthsInYear; ++m)
        f[static_cast<std::size_t>(kMonthsBefore + m)].overtime = toTenths(everyMonth);
    for (const Month& m : months) {
        MonthFigures& x = f[static_cast<std::size_t>(kMonthsBefore + m.month)];
        x.overtime = toTenths(m.overtime);
        x.holiday = toTenths(m.holiday);
    }
    return f;
}

using Broken = std::set<std::pair<Rule, int>>; // rule, month where the breach is recorded

struct Case {
    const char* name;
    std::vector<MonthFigures> figures;
    bool specialClause;
    Broken expected;
    std::set<int> redMonths;
};

TEST(CapCheck, WhichCapBreaksInWhichMonth) {
    std::vector<Month> seven;
    for (int m = 0; m < 7; ++m)
        seven.push_back({m, 46});
    std::vector<Month> six(seven.begin(), seven.end() - 1);
    const Case cases[] = {
        {"a 100-hour month of overtime and holiday work",
         yearOf({{2, 90, 10}}),
         true,
         {{Rule::Month100, 2}},
         {2}},
        {"99.9 hours in a month keep the cap", yearOf({{2, 89.9, 10}}), true, {}, {}},
        {"without the clause the 100-hour month also breaks 45 hours",
         yearOf({{2, 90, 10}}),
         false,
         {{Rule::Month45, 2}, {Rule::Month100, 2}},
         {2}},
        {"a 2-month average of 80.5 hours",
         yearOf({{3, 81}, {4, 80}}),
         true,
         {{Rule::Average80, 4}},
         {4}},
        {"a 2-month average of exactly 80 hours", yearOf({{3, 80}, {4, 80}}), true, {}, {}},
        {"holiday work counts in the averages",
         yearOf({{3, 40, 41}, {4, 80}}),
         true,
         {{Rule::Average80, 4}},
         {4}},
        {"an average reaching back before the year",
         yearOf({{-1, 90}, {0, 75}}),
         true,
         {{Rule::Average80, 0}},
         {0}},
        {"a 6-month average of 81 hours",
         yearOf({{0, 81}, {1, 81}, {2, 81}, {3, 81}, {4, 81}, {5, 81}}),
         true,
         {{Rule::Average80, 1},
          {Rule::Average80, 2},
          {Rule::Average80, 3},
          {Rule::Average80, 4},
          {Rule::Average80, 5}},
         {1, 2, 3, 4, 5}},
        {"six months over 45 hours with the clause", yearOf(six), true, {}, {}},
        {"a seventh month over 45 hours with the clause",
         yearOf(seven),
         true,
         {{Rule::SixMonths, 6}},
         {6}},
        {"a year of 361 hours without the clause",
         yearOf({{11, 31}}, 30),
         false,
         {{Rule::Year360, 11}},
         {11}},
        {"a year of 361 hours with the clause", yearOf({{11, 31}}, 30), true, {}, {}},
        {"a year of 721 hours with the clause",
         yearOf({{0, 80}, {1, 80}, {2, 80}, {3, 80}, {4, 80}, {5, 80}, {11, 16}}, 45),
         true,
         {{Rule::Year720, 11}},
         {11}},
        {"46 hours in a month without the clause",
         yearOf({{5, 46}}),
         false,
         {{Rule::Month45, 5}},
         {5}},
    };
    for (const Case& c : cases) {
        const EmployeeYear y = checkYear(c.figures, c.specialClause);
        Broken broken;
        for (const Breach& b : y.breaches)
            broken.insert({b.rule, b.month});
        EXPECT_EQ(broken, c.expected) << c.name;
        std::set<int> red;
        for (int m = 0; m < kMonthsInYear; ++m)
            if (y.broken[static_cast<std::size_t>(m)])
                red.insert(m);
        EXPECT_EQ(red, c.redMonths) << c.name;
    }
}

TEST(CapCheck, YearFiguresCountEveryMonthOfTheYear) {
    std::vector<Month> months;
    for (int m = 0; m < 8; ++m)
        months.push_back({m, 45.5});
    months.push_back({-1, 200}); // before the year
    const EmployeeYear y = checkYear(yearOf(months, 10), true);
    EXPECT_EQ(y.monthsOver45, 8);
    EXPECT_EQ(y.yearOvertime, 8 * 455 + 4 * 100);
    EXPECT_EQ(y.worstAverage[0].span, 2);
    EXPECT_EQ(y.worstAverage[0].sum, 2000 + 455);
}

TEST(BreachWords, SayWhichRuleIsBrokenAndWhen) {
    YearCheck check;
    check.firstMonth = monthIndex(2024, 4);
    const EmployeeYear y = checkYear(yearOf({{7, 99, 1}, {8, 70}, {9, 50}}, 40), false);
    const std::string line = breachLine(check, y);
    EXPECT_EQ(line, "月45時間超（11月 99.0時間、12月 70.0時間、1月 50.0時間）／"
                    "時間外＋休日労働が月100時間以上（11月 100.0時間）／"
                    "2～6か月平均80時間超（11月～12月 平均85.00時間）／"
                    "年360時間超（11月に超過、年間579.0時間）");
    EXPECT_EQ(breachLine(check, checkYear(yearOf({}, 30), false)), "上限の範囲内です。");
}

} // namespace
