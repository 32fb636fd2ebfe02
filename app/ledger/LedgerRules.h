// The ledger's rules that need neither database nor window: reading a typed employee or site
// number, money of hours at a wage, days above 24 hours, and the check of the site column
// before a save.
#pragma once

#include "app/ledger/LedgerSql.h"
#include "platform/jet/Value.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel::ledger {

// A typed number as the ledger takes it: decimal digits (half- or full-width) with blanks
// around them, 0 to 2147483647. Anything else (signs, decimals, letters, empty) is nullopt.
std::optional<std::int64_t> parseWholeNumber(std::string_view utf8);

// Two site box texts name the same site: equal texts, or the same whole number ("7", "07").
bool sameSite(std::string_view a, std::string_view b);

// A single-precision sum as the grid shows it: the value at its 7 significant digits, so 0.1
// added up reads 0.3 and not 0.30000001192…
double shownHours(float value);

// Money of hours at a wage, in whole yen: wage × hours taken at the currency's four decimals
// first, then cut down, the same rule the reports use, so a 1,200 yen wage for 22.6 hours held
// as 22.599999… still gives 27,120.
std::int64_t moneyOf(const plat::jet::Currency& wage, double hours);

inline constexpr double kHoursPerDay = 24.0;
// What a day cell takes: 0 to 24 hours with at most one decimal (7.25 is refused, so what is
// shown, saved and printed is one figure).
bool isDayHours(double hours);

// A day whose hours over all lines are above 24 (compared at the one decimal the grid shows).
bool isOverDay(double hours);

// The first fault of the site column, in line order.
struct SiteColumnProblem {
    enum class Kind { None, Duplicate, Missing, NotWholeNumber };
    Kind kind = Kind::None;
    int focus = -1; // the site box that gets the focus
    int line = 0;   // Missing: the one-based number of the empty line
};

// The site boxes' texts, line 0 first, empty for an empty box. A site appearing twice, or an
// empty box with a filled one below it, ends the check; then every filled box must hold a
// whole number.
SiteColumnProblem checkSiteColumn(const std::array<std::string, kLines>& texts);

} // namespace tamsel::ledger
