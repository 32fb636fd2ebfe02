// The Japanese eras the date formats name ("ggge"), with their first days as the classic
// runtime counts them; the names are UTF-8.
#pragma once

#include "platform/text/DateTime.h"

#include <optional>
#include <string_view>

namespace plat::text {

struct JapaneseEra {
    std::string_view name;   // "平成"
    std::string_view abbrev; // "平"
    char letter;             // 'H'
    DateTime firstDay;       // 1989-01-08
};

struct EraDate {
    const JapaneseEra* era;
    int year; // 1 in the era's first year
};

// The era a date falls in; nothing before 明治 1868-01-01.
std::optional<EraDate> eraOf(const DateTime& d);

} // namespace plat::text
