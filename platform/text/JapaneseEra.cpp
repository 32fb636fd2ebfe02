// Era table: each era starts on its first day and runs until the next one starts.
#include "platform/text/JapaneseEra.h"

#include <array>

namespace plat::text {

namespace {

// 明治 from 1868-01-01 rather than its historical first day: years before the calendar reform
// are counted as the runtime counts them, whole Gregorian years.
constexpr std::array<JapaneseEra, 5> kEras{{
    {"明治", "明", 'M', DateTime{1868, 1, 1, 0, 0, 0}},
    {"大正", "大", 'T', DateTime{1912, 7, 30, 0, 0, 0}},
    {"昭和", "昭", 'S', DateTime{1926, 12, 25, 0, 0, 0}},
    {"平成", "平", 'H', DateTime{1989, 1, 8, 0, 0, 0}},
    {"令和", "令", 'R', DateTime{2019, 5, 1, 0, 0, 0}},
}};

} // namespace

std::optional<EraDate> eraOf(const DateTime& d) {
    const DateTime day{d.year, d.month, d.day, 0, 0, 0};
    for (auto it = kEras.rbegin(); it != kEras.rend(); ++it) {
        if (day >= it->firstDay)
            return EraDate{&*it, d.year - it->firstDay.year + 1};
    }
    return std::nullopt;
}

} // namespace plat::text
