// Evaluation of the overtime caps over one year of month figures.
#include "app/overtime/CapCheck.h"

#include <algorithm>

namespace tamsel::overtime {

std::vector<Rule> applicableRules(bool specialClause) {
    if (specialClause)
        return {Rule::Month100, Rule::Average80, Rule::Year720, Rule::SixMonths};
    return {Rule::Month45, Rule::Month100, Rule::Average80, Rule::Year360};
}

namespace {

// a / spanA > b / spanB without division.
bool higher(const Average& a, const Average& b) {
    return b.span == 0 || a.sum * b.span > b.sum * a.span;
}

// The month in which a running year total first goes beyond limit, or -1.
int monthPassing(const EmployeeYear& y, Tenths limit) {
    Tenths sum = 0;
    for (int m = 0; m < kMonthsInYear; ++m) {
        sum += y.months[static_cast<std::size_t>(m)].overtime;
        if (sum > limit)
            return m;
    }
    return -1;
}

void addBreaches(EmployeeYear& y, Rule rule) {
    auto mark = [&](int month, Tenths figure, int span) {
        y.breaches.push_back({rule, month, figure, span});
        y.broken[static_cast<std::size_t>(month)] = true;
    };
    switch (rule) {
    case Rule::Month45:
        for (int m = 0; m < kMonthsInYear; ++m)
            if (y.over45[static_cast<std::size_t>(m)])
                mark(m, y.months[static_cast<std::size_t>(m)].overtime, 1);
        break;
    case Rule::Month100:
        for (int m = 0; m < kMonthsInYear; ++m) {
            const Tenths t = y.months[static_cast<std::size_t>(m)].overtimeAndHoliday();
            if (t >= kMonthAbsolute)
                mark(m, t, 1);
        }
        break;
    case Rule::Average80:
        for (int m = 0; m < kMonthsInYear; ++m) {
            const Average& a = y.worstAverage[static_cast<std::size_t>(m)];
            if (a.exceeds(kAverageLimit))
                mark(m, a.sum, a.span);
        }
        break;
    case Rule::Year360:
    case Rule::Year720: {
        // The cap is broken in the month the running total passes it, and every month with
        // overtime after that adds to the excess.
        const int from = monthPassing(y, rule == Rule::Year360 ? kYearPrinciple : kYearSpecial);
        if (from < 0)
            break;
        y.breaches.push_back({rule, from, y.yearOvertime, 1});
        for (int m = from; m < kMonthsInYear; ++m)
            if (m == from || y.months[static_cast<std::size_t>(m)].overtime > 0)
                y.broken[static_cast<std::size_t>(m)] = true;
        break;
    }
    case Rule::SixMonths: {
        // The seventh month beyond 45 hours breaks the cap, and so does every later one.
        int seen = 0;
        for (int m = 0; m < kMonthsInYear; ++m) {
            if (!y.over45[static_cast<std::size_t>(m)] || ++seen <= kMonthsOver45Allowed)
                continue;
            if (seen == kMonthsOver45Allowed + 1)
                y.breaches.push_back(
                    {rule, m, y.months[static_cast<std::size_t>(m)].overtime, y.monthsOver45});
            y.broken[static_cast<std::size_t>(m)] = true;
        }
        break;
    }
    }
}

} // namespace

EmployeeYear checkYear(std::span<const MonthFigures> figures, bool specialClause) {
    EmployeeYear y;
    if (figures.size() != static_cast<std::size_t>(kMonthsBefore + kMonthsInYear))
        return y;
    for (int m = 0; m < kMonthsInYear; ++m) {
        const auto at = static_cast<std::size_t>(m);
        y.months[at] = figures[static_cast<std::size_t>(kMonthsBefore + m)];
        y.yearOvertime += y.months[at].overtime;
        y.over45[at] = y.months[at].overtime > kMonthPrinciple;
        if (y.over45[at])
            ++y.monthsOver45;
        Average sum;
        for (int span = 1; span <= kLongestAverage; ++span) {
            sum.sum += figures[static_cast<std::size_t>(kMonthsBefore + m - span + 1)]
                           .overtimeAndHoliday();
            sum.span = span;
            if (span >= kShortestAverage && higher(sum, y.worstAverage[at]))
                y.worstAverage[at] = sum;
        }
    }
    for (Rule rule : applicableRules(specialClause))
        addBreaches(y, rule);
    return y;
}

} // namespace tamsel::overtime
