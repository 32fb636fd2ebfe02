// Civil-calendar arithmetic (proleptic Gregorian) behind month keys and serial dates.
#include "platform/text/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace plat::text {
namespace {

// Days since 1970-01-01 of a civil date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kSerialEpoch = -25569;

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValid(const DateTime& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month) &&
           d.hour >= 0 && d.hour < 24 && d.minute >= 0 && d.minute < 60 && d.second >= 0 &&
           d.second < 60;
}

std::int64_t dayNumber(int year, int month, int day) {
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
           kSerialEpoch;
}

DateTime fromDayNumber(std::int64_t days) {
    DateTime r;
    civilFromDays(days + kSerialEpoch, r.year, r.month, r.day);
    r.hour = r.minute = r.second = 0;
    return r;
}

double toSerial(const DateTime& d) {
    const double days = static_cast<double>(dayNumber(d.year, d.month, d.day));
    const double frac = (d.hour * 3600.0 + d.minute * 60.0 + d.second) / 86400.0;
    // Automation dates before the epoch keep the time as a positive fraction after the
    // negative day number (-1.25 is 1899-12-29 06:00).
    return days >= 0 ? days + frac : days - frac;
}

DateTime fromSerial(double serial) {
    double dayPart = std::trunc(serial);
    double frac = std::fabs(serial - dayPart);
    auto seconds = static_cast<std::int64_t>(std::llround(frac * 86400.0));
    if (seconds >= 86400) {
        seconds -= 86400;
        dayPart += serial >= 0 ? 1 : -1;
    }
    DateTime r = fromDayNumber(static_cast<std::int64_t>(dayPart));
    r.hour = static_cast<int>(seconds / 3600);
    r.minute = static_cast<int>(seconds / 60 % 60);
    r.second = static_cast<int>(seconds % 60);
    return r;
}

int weekday(const DateTime& d) {
    // 1970-01-01 was a Thursday (4).
    const std::int64_t days =
        daysFromCivil(d.year, static_cast<unsigned>(d.month), static_cast<unsigned>(d.day));
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

DateTime firstOfMonth(const DateTime& d) {
    return DateTime{d.year, d.month, 1, 0, 0, 0};
}

DateTime addMonths(const DateTime& monthKey, int months) {
    int index = monthKey.year * 12 + (monthKey.month - 1) + months;
    int year = index >= 0 ? index / 12 : -((-index + 11) / 12);
    int month = index - year * 12 + 1;
    int day = std::min(monthKey.day, daysInMonth(year, month));
    return DateTime{year, month, day, monthKey.hour, monthKey.minute, monthKey.second};
}

DateTime lastDayOfMonth(const DateTime& d) {
    return DateTime{d.year, d.month, daysInMonth(d.year, d.month), 0, 0, 0};
}

DateTime addDays(const DateTime& d, int days) {
    DateTime r = fromDayNumber(dayNumber(d.year, d.month, d.day) + days);
    r.hour = d.hour;
    r.minute = d.minute;
    r.second = d.second;
    return r;
}

std::string toCanonical(const DateTime& d) {
    const auto twoDigits = [](int v) { return v >= 0 && v <= 99; };
    if (d.year < 0 || d.year > 9999 || !twoDigits(d.month) || !twoDigits(d.day) ||
        !twoDigits(d.hour) || !twoDigits(d.minute) || !twoDigits(d.second)) {
        char buf[80];
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                      d.hour, d.minute, d.second);
        return buf;
    }
    // Every save writes dates into its statements: the common case without printf.
    std::string s = "0000-00-00 00:00:00";
    const auto put = [&s](std::size_t at, int v, int digits) {
        for (int k = digits - 1; k >= 0; --k, v /= 10)
            s[at + static_cast<std::size_t>(k)] = static_cast<char>('0' + v % 10);
    };
    put(0, d.year, 4);
    put(5, d.month, 2);
    put(8, d.day, 2);
    put(11, d.hour, 2);
    put(14, d.minute, 2);
    put(17, d.second, 2);
    return s;
}

namespace {

// Reads 1 to maxDigits decimal digits at pos; nothing when there is no digit.
std::optional<int> readNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits) {
    int value = 0;
    std::size_t digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

bool readChar(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

void skipSpaces(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

// Year, month and day in either order; the year is the field of four digits.
std::optional<DateTime> readDate(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    const auto first = readNumber(text, pos, 4);
    const std::size_t firstDigits = pos - start;
    if (!first || pos >= text.size() || (text[pos] != '/' && text[pos] != '-'))
        return std::nullopt;
    const char sep = text[pos++];
    const auto second = readNumber(text, pos, 2);
    if (!second || !readChar(text, pos, sep))
        return std::nullopt;
    const std::size_t thirdAt = pos;
    const auto third = readNumber(text, pos, 4);
    if (!third)
        return std::nullopt;
    if (firstDigits == 4)
        return DateTime{*first, *second, *third, 0, 0, 0};
    if (pos - thirdAt == 4)
        return DateTime{*third, *first, *second, 0, 0, 0};
    return std::nullopt;
}

// "h:mm" or "h:mm:ss"; a fraction of a second (as SQLite's own time functions may write) is
// read and dropped.
bool readTime(std::string_view text, std::size_t& pos, DateTime& d) {
    const auto hour = readNumber(text, pos, 2);
    if (!hour || !readChar(text, pos, ':'))
        return false;
    const auto minute = readNumber(text, pos, 2);
    if (!minute)
        return false;
    d.hour = *hour;
    d.minute = *minute;
    if (readChar(text, pos, ':')) {
        const auto second = readNumber(text, pos, 2);
        if (!second)
            return false;
        d.second = *second;
        if (readChar(text, pos, '.') && !readNumber(text, pos, 9))
            return false;
    }
    return true;
}

} // namespace

std::optional<DateTime> parseCanonical(std::string_view text) {
    // The whole text must be a date: a value with anything after it is not taken as a date
    // with the rest dropped.
    std::size_t pos = 0;
    const auto year = readNumber(text, pos, 4);
    if (!year || pos >= text.size() || (text[pos] != '-' && text[pos] != '/'))
        return std::nullopt;
    const char sep = text[pos++];
    const auto month = readNumber(text, pos, 2);
    if (!month || !readChar(text, pos, sep))
        return std::nullopt;
    const auto day = readNumber(text, pos, 2);
    if (!day)
        return std::nullopt;
    DateTime r{*year, *month, *day, 0, 0, 0};
    if (pos < text.size()) {
        if (!readChar(text, pos, ' ') && !readChar(text, pos, 'T'))
            return std::nullopt;
        if (!readTime(text, pos, r))
            return std::nullopt;
    }
    if (pos != text.size() || !isValid(r))
        return std::nullopt;
    return r;
}

std::optional<DateTime> parseDateText(std::string_view text) {
    std::size_t pos = 0;
    skipSpaces(text, pos);
    std::optional<DateTime> d = readDate(text, pos);
    if (!d)
        return std::nullopt;
    const std::size_t dateEnd = pos;
    skipSpaces(text, pos);
    if (pos < text.size()) {
        if (pos == dateEnd && !readChar(text, pos, 'T'))
            return std::nullopt;
        if (!readTime(text, pos, *d))
            return std::nullopt;
        skipSpaces(text, pos);
    }
    if (pos != text.size() || !isValid(*d))
        return std::nullopt;
    return d;
}

DateTime nowLocal() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

} // namespace plat::text
