// The overtime caps of a year for one employee: the cap figures (month overtime, month overtime
// plus holiday work, the 2- to 6-month averages, the year's overtime, the months over 45 hours)
// and which of the caps that apply to the firm are broken, and in which month.
#pragma once

#include "app/overtime/MonthFigures.h"

#include <array>
#include <span>
#include <vector>

namespace tamsel::overtime {

inline constexpr int kMonthsInYear = 12;
inline constexpr int kLongestAverage = 6;
inline constexpr int kShortestAverage = 2;
// The averages run over consecutive months whatever year they belong to, so a year's check
// reads this many months before its first month.
inline constexpr int kMonthsBefore = kLongestAverage - 1;

inline constexpr Tenths kMonthPrinciple = 45 * kTenthsPerHour; // beyond: over 45 hours
inline constexpr Tenths kMonthAbsolute = 100 * kTenthsPerHour; // reached: broken
inline constexpr Tenths kAverageLimit = 80 * kTenthsPerHour;   // beyond: broken
inline constexpr Tenths kYearPrinciple = 360 * kTenthsPerHour; // beyond: broken
inline constexpr Tenths kYearSpecial = 720 * kTenthsPerHour;   // beyond: broken
inline constexpr int kMonthsOver45Allowed = 6;

enum class Rule {
    Month45,   // overtime of a month at most 45 hours (no special clause)
    Year360,   // overtime of the year at most 360 hours (no special clause)
    Month100,  // overtime plus holiday work of a month under 100 hours (always)
    Average80, // overtime plus holiday work at most 80 hours on average over 2 to 6 months (always)
    Year720,   // overtime of the year at most 720 hours (special clause)
    SixMonths, // overtime beyond 45 hours in at most 6 months of the year (special clause)
};

// The caps a firm must keep: the monthly 100 hours and the 80-hour averages bind everyone; a
// firm without a special clause keeps 45 hours a month and 360 a year, a firm with one keeps
// 720 a year and at most six months beyond 45 hours.
std::vector<Rule> applicableRules(bool specialClause);

// The highest average of overtime plus holiday work over the 2 to 6 months ending with a month.
struct Average {
    Tenths sum = 0;
    int span = 0; // months averaged; 0 when there is none
    bool exceeds(Tenths limit) const { return span > 0 && sum > limit * span; }
};

struct Breach {
    Rule rule;
    int month = 0;     // 0 to 11 within the year: where the cap is broken
    Tenths figure = 0; // the month's hours, the year's overtime, or for averages the sum
    int span = 1;      // averages: the months averaged, ending with `month`; SixMonths: the count
};

struct EmployeeYear {
    std::array<MonthFigures, kMonthsInYear> months{};
    std::array<Average, kMonthsInYear> worstAverage{};
    Tenths yearOvertime = 0;
    int monthsOver45 = 0;
    std::array<bool, kMonthsInYear> over45{}; // overtime beyond 45 hours
    std::array<bool, kMonthsInYear> broken{}; // the month breaks a cap that applies
    std::vector<Breach> breaches;             // by rule (in applicableRules' order), then month
};

// `figures`: the kMonthsBefore months before the year, then the year's 12 months.
EmployeeYear checkYear(std::span<const MonthFigures> figures, bool specialClause);

} // namespace tamsel::overtime
