// Date display formats: runs of format letters are replaced by parts of the date, everything
// else (kanji such as 年 月 日 度, brackets, separators) passes through unchanged.
#include "platform/text/Format.h"

#include "platform/text/JapaneseEra.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <initializer_list>

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
    if (pos + word.size() > text.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != word[i])
            return false;
    }
    return true;
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

} // namespace

std::string formatDate(const DateTime& value, std::string_view format) {
    if (format.empty() || format == "c" || format == "C") {
        std::string out = shortDate(value);
        if (value.hour != 0 || value.minute != 0 || value.second != 0)
            out.append(" ").append(longTime(value));
        return out;
    }
    const bool twelve = usesTwelveHours(format);
    const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
    const std::optional<EraDate> era = eraOf(value);
    std::string out;
    bool afterHour = false; // an 'm' right after an hour field means minutes
    for (std::size_t i = 0; i < format.size();) {
        const char raw = format[i];
        if (raw == '"') {
            const std::size_t end = format.find('"', i + 1);
            const std::size_t stop = end == std::string_view::npos ? format.size() : end;
            out += format.substr(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (raw == '\\') {
            if (i + 1 < format.size())
                out += format[i + 1];
            i += 2;
            continue;
        }
        if (startsWithNoCase(format, i, "am/pm") || startsWithNoCase(format, i, "a/p")) {
            const bool pm = value.hour >= 12;
            const bool shortForm = startsWithNoCase(format, i, "a/p");
            const bool lower = std::islower(static_cast<unsigned char>(raw)) != 0;
            std::string mark = shortForm ? (pm ? "P" : "A") : (pm ? "PM" : "AM");
            if (lower)
                for (char& c : mark)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            out += mark;
            i += shortForm ? 3 : 5;
            continue;
        }
        if (startsWithNoCase(format, i, "ampm")) {
            out += value.hour >= 12 ? "PM" : "AM";
            i += 4;
            continue;
        }
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        std::size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == c)
            ++run;
        bool field = true;
        switch (c) {
        case 'y':
            if (run >= 4)
                out += number(value.year, 4);
            else if (run >= 2)
                out += number(value.year % 100, 2);
            else
                out += number(dayOfYear(value), 1);
            break;
        case 'm':
            if (afterHour && run <= 2)
                out += number(value.minute, static_cast<int>(run));
            else if (run <= 2)
                out += number(value.month, static_cast<int>(run));
            else
                out.append(number(value.month, 1)).append("月");
            break;
        case 'd':
            if (run <= 2)
                out += number(value.day, static_cast<int>(run));
            else if (run == 3)
                out += kWeekdayShort[static_cast<std::size_t>(weekday(value))];
            else if (run == 4)
                out += kWeekdayLong[static_cast<std::size_t>(weekday(value))];
            else if (run == 5)
                out += shortDate(value);
            else
                out += join({number(value.year, 4), "年", number(value.month, 1), "月",
                             number(value.day, 1), "日"});
            break;
        case 'a':
            if (run == 3)
                out += kWeekdayShort[static_cast<std::size_t>(weekday(value))];
            else if (run >= 4)
                out += kWeekdayLong[static_cast<std::size_t>(weekday(value))];
            else
                out += format.substr(i, run), field = false;
            break;
        case 'w':
            if (run == 1)
                out += number(weekday(value) + 1, 1);
            else
                out += number(weekOfYear(value), 1);
            break;
        case 'q':
            out += number((value.month - 1) / 3 + 1, 1);
            break;
        case 'h':
            out += number(twelve ? hour12 : value.hour, run >= 2 ? 2 : 1);
            break;
        case 'n':
            out += number(value.minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            out += number(value.second, run >= 2 ? 2 : 1);
            break;
        case 't':
            if (run >= 5)
                out += longTime(value);
            else
                out += format.substr(i, run), field = false;
            break;
        case 'c':
            out += formatDate(value, "c");
            break;
        case 'g':
            if (era)
                out += run == 1 ? std::string(1, era->era->letter)
                                : std::string(run == 2 ? era->era->abbrev : era->era->name);
            break;
        case 'e':
            // Before the first era the Gregorian year stands in for the era year.
            out += number(era ? era->year : value.year, run >= 2 ? 2 : 1);
            break;
        default:
            out += format.substr(i, run);
            field = false;
            break;
        }
        if (field)
            afterHour = c == 'h';
        i += run;
    }
    return out;
}

} // namespace plat::text
