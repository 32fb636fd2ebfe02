// Calendar dates and times as the system uses them: month keys, day arithmetic, weekdays and
// the serial-day form (days since 1899-12-30, the automation date) shared by the database
// layer, the formats and the control's variants.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::text {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValid(const DateTime& d);

// Days from 1899-12-30 for the date part; the time part as a fraction of a day.
std::int64_t dayNumber(int year, int month, int day);
DateTime fromDayNumber(std::int64_t days);
double toSerial(const DateTime& d);
DateTime fromSerial(double serial);

// 0 = Sunday ... 6 = Saturday.
int weekday(const DateTime& d);

// Month keys: the first day of a month at midnight.
DateTime firstOfMonth(const DateTime& d);
DateTime addMonths(const DateTime& monthKey, int months);
DateTime lastDayOfMonth(const DateTime& d);
DateTime addDays(const DateTime& d, int days);

// Canonical text "YYYY-MM-DD HH:MM:SS", which sorts and compares exactly as the dates do.
std::string toCanonical(const DateTime& d);
// Accepts "YYYY-MM-DD", "YYYY-MM-DD HH:MM" and "YYYY-MM-DD HH:MM:SS" (also with '/', single-digit
// fields, a 'T' before the time and fractions of a second, which are cut off); nothing else
// may follow.
std::optional<DateTime> parseCanonical(std::string_view text);
// Date text as it is typed or written in statements: "yyyy/mm/dd" or "m/d/yyyy" (also with '-',
// one- or two-digit month and day), optionally followed, after spaces or a 'T', by "h:mm" or
// "h:mm:ss" (fractions of a second are cut off). Spaces may stand before and after; nothing
// else may, and the date must exist.
std::optional<DateTime> parseDateText(std::string_view text);

DateTime nowLocal();

} // namespace plat::text
