// Date display formats: runs of format letters are replaced by parts of the date, everything
// else (kanji such as 年 月 日 度, brackets, separators) passes through unchanged.
#include "platform/text/Format.h"

#include "platform/text/Ascii.h"
#include "platform/text/JapaneseEra.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <optional>

namespace plat::text {

namespace {

constexpr std::array<std::string_view, 7> kWeekdayShort{"日", "月", "火", "水", "木", "金", "土"};
constexpr std::array<std::string_view, 7> kWeekdayLong{"日曜日", "月曜日", "火曜日", "水曜日",
                                                       "木曜日", "金曜日", "土曜日"};

std::string number(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

// Joins pieces by appending: g++ 12 at -O3 reports a false overlap in chains of string '+'.
std::string join(std::initializer_list<std::string_view> pieces) {
    std::string out;
    for (std::string_view p : pieces)
        out.append(p);
    return out;
}

int dayOfYear(const DateTime& d) {
    return static_cast<int>(dayNumber(d.year, d.month, d.day) - dayNumber(d.year, 1, 1)) + 1;
}

// Week 1 is the week (Sunday to Saturday) that holds 1 January.
int weekOfYear(const DateTime& d) {
    const DateTime jan1{d.year, 1, 1, 0, 0, 0};
    return (dayOfYear(d) - 1 + weekday(jan1)) / 7 + 1;
}

std::string shortDate(const DateTime& d) {
    return join({number(d.year, 4), "/", number(d.month, 2), "/", number(d.day, 2)});
}

std::string longTime(const DateTime& d) {
    return join({number(d.hour, 1), ":", number(d.minute, 2), ":", number(d.second, 2)});
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    return pos + word.size() <= text.size() && equalsNoCase(text.substr(pos, word.size()), word);
}

// The 12-hour marker the format asks for, if any: "AM/PM", "A/P" or "AMPM" in any case.
bool usesTwelveHours(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '"') {
            const std::size_t end = format.find('"', i + 1);
            if (end == std::string_view::npos)
                break;
            i = end;
        } else if (format[i] == '\\') {
            ++i;
        } else if (startsWithNoCase(format, i, "am/pm") || startsWithNoCase(format, i, "a/p") ||
                   startsWithNoCase(format, i, "ampm")) {
            return true;
        }
    }
    return false;
}

// A quoted text or a backslash-escaped character at `i` goes to `out` as it is; the position
// after it, or `i` when there is none.
std::size_t copyLiteral(std::string_view format, std::size_t i, std::string& out) {
    if (format[i] == '"') {
        const std::size_t end = format.find('"', i + 1);
        const std::size_t stop = end == std::string_view::npos ? format.size() : end;
        out += format.substr(i + 1, stop - i - 1);
        return stop + 1;
    }
    if (format[i] == '\\') {
        if (i + 1 < format.size())
            out += format[i + 1];
        return i + 2;
    }
    return i;
}

// "AM/PM" and "A/P" write the marker in the case of their first letter, "AMPM" always in
// capitals. The number of format characters used, 0 when there is no marker at `i`.
std::size_t putHalfDayMarker(int hour, std::string_view format, std::size_t i, std::string& out) {
    const bool pm = hour >= 12;
    const bool shortForm = startsWithNoCase(format, i, "a/p");
    if (shortForm || startsWithNoCase(format, i, "am/pm")) {
        std::string mark = shortForm ? (pm ? "P" : "A") : (pm ? "PM" : "AM");
        if (std::islower(static_cast<unsigned char>(format[i])) != 0)
            mark = asciiLowered(mark);
        out += mark;
        return shortForm ? 3 : 5;
    }
    if (startsWithNoCase(format, i, "ampm")) {
        out += pm ? "PM" : "AM";
        return 4;
    }
    return 0;
}

std::string yearText(const DateTime& value, std::size_t run) {
    if (run >= 4)
        return number(value.year, 4);
    if (run >= 2)
        return number(value.year % 100, 2);
    return number(dayOfYear(value), 1);
}

// "m" and "mm" right after an hour field are minutes; "mmm" and longer always the month.
std::string monthText(const DateTime& value, std::size_t run, bool afterHour) {
    if (afterHour && run <= 2)
        return number(value.minute, static_cast<int>(run));
    if (run <= 2)
        return number(value.month, static_cast<int>(run));
    return join({number(value.month, 1), "月"});
}

std::string dayText(const DateTime& value, std::size_t run) {
    if (run <= 2)
        return number(value.day, static_cast<int>(run));
    if (run == 3)
        return std::string(kWeekdayShort[static_cast<std::size_t>(weekday(value))]);
    if (run == 4)
        return std::string(kWeekdayLong[static_cast<std::size_t>(weekday(value))]);
    if (run == 5)
        return shortDate(value);
    return join(
        {number(value.year, 4), "年", number(value.month, 1), "月", number(value.day, 1), "日"});
}

std::string eraText(const std::optional<EraDate>& era, std::size_t run) {
    if (!era)
        return {};
    if (run == 1)
        return std::string(1, era->era->letter);
    return std::string(run == 2 ? era->era->abbrev : era->era->name);
}

// What one date being formatted needs besides the format letters.
struct DateParts {
    const DateTime& value;
    bool twelveHours;
    std::optional<EraDate> era;
};

// The text of a run of `run` format letters `c` (lower case); nothing when the run is not a
// field, and the letters then stand as they are.
std::optional<std::string> fieldText(const DateParts& p, char c, std::size_t run, bool afterHour) {
    const DateTime& v = p.value;
    const int narrowOrWide = run >= 2 ? 2 : 1;
    switch (c) {
    case 'y':
        return yearText(v, run);
    case 'm':
        return monthText(v, run, afterHour);
    case 'd':
        return dayText(v, run);
    case 'a':
        if (run == 3)
            return std::string(kWeekdayShort[static_cast<std::size_t>(weekday(v))]);
        if (run >= 4)
            return std::string(kWeekdayLong[static_cast<std::size_t>(weekday(v))]);
        return std::nullopt;
    case 'w':
        return run == 1 ? number(weekday(v) + 1, 1) : number(weekOfYear(v), 1);
    case 'q':
        return number((v.month - 1) / 3 + 1, 1);
    case 'h':
        return number(p.twelveHours ? (v.hour % 12 == 0 ? 12 : v.hour % 12) : v.hour, narrowOrWide);
    case 'n':
        return number(v.minute, narrowOrWide);
    case 's':
        return number(v.second, narrowOrWide);
    case 't':
        if (run >= 5)
            return longTime(v);
        return std::nullopt;
    case 'c':
        return formatDate(v, "c");
    case 'g':
        return eraText(p.era, run);
    case 'e':
        // Before the first era the Gregorian year stands in for the era year.
        return number(p.era ? p.era->year : v.year, narrowOrWide);
    default:
        return std::nullopt;
    }
}

} // namespace

std::string formatDate(const DateTime& value, std::string_view format) {
    if (format.empty() || format == "c" || format == "C") {
        std::string out = shortDate(value);
        if (value.hour != 0 || value.minute != 0 || value.second != 0)
            out.append(" ").append(longTime(value));
        return out;
    }
    const DateParts parts{value, usesTwelveHours(format), eraOf(value)};
    std::string out;
    bool afterHour = false; // an 'm' right after an hour field means minutes
    for (std::size_t i = 0; i < format.size();) {
        if (const std::size_t next = copyLiteral(format, i, out); next != i) {
            i = next;
            continue;
        }
        if (const std::size_t used = putHalfDayMarker(value.hour, format, i, out); used != 0) {
            i += used;
            continue;
        }
        const char c = asciiLower(format[i]);
        std::size_t run = 1;
        while (i + run < format.size() && asciiLower(format[i + run]) == c)
            ++run;
        if (const auto text = fieldText(parts, c, run, afterHour)) {
            out += *text;
            afterHour = c == 'h';
        } else {
            out += format.substr(i, run);
        }
        i += run;
    }
    return out;
}

} // namespace plat::text
