// Phrases for broken caps, grouped by rule.
#include "app/overtime/BreachWords.h"

#include "app/overtime/Texts.h"
#include "platform/text/Format.h"

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

const char* ruleFormat(Rule rule) {
    switch (rule) {
    case Rule::Month45:
        return t::kRuleMonth45;
    case Rule::Month100:
        return t::kRuleMonth100;
    case Rule::Average80:
        return t::kRuleAverage80;
    case Rule::Year360:
        return t::kRuleYear360;
    case Rule::Year720:
        return t::kRuleYear720;
    case Rule::SixMonths:
        return t::kRuleSixMonths;
    }
    return "";
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
        std::string args;
        std::size_t next = i + 1;
        switch (first.rule) {
        case Rule::Month45:
        case Rule::Month100:
        case Rule::Average80:
            args = item(check, first);
            for (; next < year.breaches.size() && year.breaches[next].rule == first.rule; ++next)
                args += t::kListSeparator + item(check, year.breaches[next]);
            phrases.push_back(fillIn(ruleFormat(first.rule), {args}));
            break;
        case Rule::Year360:
        case Rule::Year720:
            phrases.push_back(fillIn(ruleFormat(first.rule),
                                     {monthText(check, first.month), hoursText(first.figure)}));
            break;
        case Rule::SixMonths:
            phrases.push_back(fillIn(ruleFormat(first.rule),
                                     {monthText(check, first.month), std::to_string(first.span)}));
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
