// The ledger's pure rules.
#include "app/ledger/LedgerRules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tamsel::ledger {

namespace {
bool isBlank(std::string_view s, std::size_t i, std::size_t& width) {
    if (s[i] == ' ' || s[i] == '\t') {
        width = 1;
        return true;
    }
    // U+3000, the full-width blank
    if (s.substr(i, 3) == "\xE3\x80\x80") {
        width = 3;
        return true;
    }
    return false;
}

// The digit at i (half-width, or full-width U+FF10 … U+FF19), -1 when there is none.
int digitAt(std::string_view s, std::size_t i, std::size_t& width) {
    if (s[i] >= '0' && s[i] <= '9') {
        width = 1;
        return s[i] - '0';
    }
    if (i + 2 < s.size() && static_cast<unsigned char>(s[i]) == 0xEF &&
        static_cast<unsigned char>(s[i + 1]) == 0xBC) {
        const unsigned char c = static_cast<unsigned char>(s[i + 2]);
        if (c >= 0x90 && c <= 0x99) {
            width = 3;
            return c - 0x90;
        }
    }
    return -1;
}
} // namespace

std::optional<std::int64_t> parseWholeNumber(std::string_view s) {
    constexpr std::int64_t kMax = 2147483647;
    std::size_t i = 0;
    std::size_t w = 0;
    while (i < s.size() && isBlank(s, i, w))
        i += w;
    std::int64_t value = 0;
    int digits = 0;
    while (i < s.size()) {
        const int d = digitAt(s, i, w);
        if (d < 0)
            break;
        value = value * 10 + d;
        if (value > kMax)
            return std::nullopt;
        ++digits;
        i += w;
    }
    while (i < s.size() && isBlank(s, i, w))
        i += w;
    if (digits == 0 || i != s.size())
        return std::nullopt;
    return value;
}

bool sameSite(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    const auto x = parseWholeNumber(a);
    const auto y = parseWholeNumber(b);
    return x && y && *x == *y;
}

double shownHours(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
    return std::strtod(buf, nullptr);
}

std::int64_t moneyOf(const plat::jet::Currency& wage, double hours) {
    const plat::jet::Currency product = plat::jet::Currency::fromDouble(wage.toDouble() * hours);
    std::int64_t units = product.scaled / plat::jet::Currency::kScale;
    if (product.scaled < 0 && product.scaled % plat::jet::Currency::kScale != 0)
        --units;
    return units;
}

bool isDayHours(double hours) {
    if (!(hours >= 0.0 && hours <= kHoursPerDay))
        return false;
    const double tenths = hours * 10.0;
    return std::abs(tenths - std::round(tenths)) < 1e-6;
}

bool isOverDay(double hours) {
    return std::round(hours * 10.0) > kHoursPerDay * 10.0;
}

SiteColumnProblem checkSiteColumn(const std::array<std::string, kLines>& texts) {
    using Kind = SiteColumnProblem::Kind;
    for (int a = 0; a < kLines; ++a) {
        const std::string& mine = texts[static_cast<std::size_t>(a)];
        if (!mine.empty()) {
            for (int i = 0; i < kLines; ++i) {
                if (i != a && !texts[static_cast<std::size_t>(i)].empty() &&
                    sameSite(mine, texts[static_cast<std::size_t>(i)]))
                    return {Kind::Duplicate, i, 0};
            }
        } else if (a < kLines - 1) {
            for (int i = a + 1; i < kLines; ++i) {
                if (!texts[static_cast<std::size_t>(i)].empty())
                    return {Kind::Missing, i - 1, i};
            }
        }
    }
    for (int a = 0; a < kLines; ++a) {
        const std::string& mine = texts[static_cast<std::size_t>(a)];
        if (!mine.empty() && !parseWholeNumber(mine))
            return {Kind::NotWholeNumber, a, a + 1};
    }
    return {};
}

} // namespace tamsel::ledger
