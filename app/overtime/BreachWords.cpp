// Phrases for broken caps, grouped by rule.
#include "app/overtime/BreachWords.h"

#include "app/overtime/Texts.h"
#include "platform/text/Format.h"

#include <iterator>

namespace tamsel::overtime {

namespace t = texts;

std::string hoursText(Tenths tenths) {
    return plat::text::formatNumber(static_cast<double>(tenths) / kTenthsPerHour, "#,##0.0");
}

std::string averageText(const Average& average) {
    const double hours = average.span == 0 ? 0.0
                                           : static_cast<double>(average.sum) /
                                                 static_cast<double>(kTenthsPerHour * average.span);
    return plat::text::formatNumber(hours, "#,##0.00");
}

std::string fillIn(std::string_view format, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(format[i + 1] - '1');
            if (n < args.size())
                out += args[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// What a rule's phrase is filled in with: the months of all its breaches in a row, or its one
// breach's month with the year's hours or with the count of months beyond 45 hours.
enum class Fill { MonthList, MonthAndHours, MonthAndCount };

struct RuleWords {
    Rule rule;
    const char* format;
    Fill fill;
};

// In the order of Rule, so that a rule's words are at its own index.
constexpr RuleWords kRuleWords[] = {
    {Rule::Month45, t::kRuleMonth45, Fill::MonthList},
    {Rule::Year360, t::kRuleYear360, Fill::MonthAndHours},
    {Rule::Month100, t::kRuleMonth100, Fill::MonthList},
    {Rule::Average80, t::kRuleAverage80, Fill::MonthList},
    {Rule::Year720, t::kRuleYear720, Fill::MonthAndHours},
    {Rule::SixMonths, t::kRuleSixMonths, Fill::MonthAndCount},
};

constexpr bool inRuleOrder() {
    for (std::size_t i = 0; i < std::size(kRuleWords); ++i)
        if (static_cast<std::size_t>(kRuleWords[i].rule) != i)
            return false;
    return true;
}
static_assert(inRuleOrder() &&
                  std::size(kRuleWords) == static_cast<std::size_t>(Rule::SixMonths) + 1,
              "one entry per rule, in Rule's order");

const RuleWords& wordsOf(Rule rule) {
    return kRuleWords[static_cast<std::size_t>(rule)];
}

std::string monthText(const YearCheck& check, int m) {
    return std::to_string(monthOf(check.firstMonth + m));
}

// One item of a rule that lists months.
std::string item(const YearCheck& check, const Breach& b) {
    if (b.rule == Rule::Average80)
        return fillIn(t::kAverageHours,
                      {monthText(check, b.month - b.span + 1), monthText(check, b.month),
                       averageText({b.figure, b.span})});
    return fillIn(t::kMonthHours, {monthText(check, b.month), hoursText(b.figure)});
}

} // namespace

std::vector<std::string> breachPhrases(const YearCheck& check, const EmployeeYear& year) {
    std::vector<std::string> phrases;
    for (std::size_t i = 0; i < year.breaches.size();) {
        const Breach& first = year.breaches[i];
        const RuleWords& words = wordsOf(first.rule);
        std::size_t next = i + 1;
        switch (words.fill) {
        case Fill::MonthList: {
            std::string args = item(check, first);
            for (; next < year.breaches.size() && year.breaches[next].rule == first.rule; ++next)
                args += t::kListSeparator + item(check, year.breaches[next]);
            phrases.push_back(fillIn(words.format, {args}));
            break;
        }
        case Fill::MonthAndHours:
            phrases.push_back(
                fillIn(words.format, {monthText(check, first.month), hoursText(first.figure)}));
            break;
        case Fill::MonthAndCount:
            phrases.push_back(
                fillIn(words.format, {monthText(check, first.month), std::to_string(first.span)}));
            break;
        }
        i = next;
    }
    return phrases;
}

std::string breachLine(const YearCheck& check, const EmployeeYear& year) {
    const std::vector<std::string> phrases = breachPhrases(check, year);
    if (phrases.empty())
        return t::kWithinCaps;
    std::string line;
    for (const std::string& p : phrases)
        line += (line.empty() ? "" : t::kRuleSeparator) + p;
    return line;
}

} // namespace tamsel::overtime
