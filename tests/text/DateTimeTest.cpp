// Calendar arithmetic, serial dates and the canonical date text the database stores.
#include "platform/text/DateTime.h"

#include <gtest/gtest.h>

namespace {

using plat::text::DateTime;

DateTime at(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    return DateTime{y, m, d, h, n, s};
}

TEST(DateTime, SerialDates) {
    struct Case {
        DateTime date;
        double serial;
    } const cases[] = {
        {at(1899, 12, 30), 0.0},       {at(1900, 1, 1), 2.0},         {at(2004, 4, 1), 38078.0},
        {at(2004, 4, 1, 12), 38078.5}, {at(2004, 4, 1, 6), 38078.25}, {at(1899, 12, 29), -1.0},
        {at(1899, 12, 29, 6), -1.25}, // before the epoch the time still counts forward
        {at(1899, 12, 30, 18), 0.75},  {at(2000, 2, 29), 36585.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(plat::text::toSerial(c.date), c.serial) << c.serial;
        EXPECT_EQ(plat::text::fromSerial(c.serial), c.date) << c.serial;
    }
    // A time a hair before midnight rounds to the next day, not to 24:00:00.
    EXPECT_EQ(plat::text::fromSerial(38078.9999999), at(2004, 4, 2));
    EXPECT_EQ(plat::text::fromSerial(-1.9999999), at(1899, 12, 28));
}

TEST(DateTime, MonthsAndDays) {
    EXPECT_EQ(plat::text::addMonths(at(2001, 12, 1), 1), at(2002, 1, 1));
    EXPECT_EQ(plat::text::addMonths(at(2002, 1, 1), -1), at(2001, 12, 1));
    EXPECT_EQ(plat::text::addMonths(at(2004, 1, 31), 1), at(2004, 2, 29));
    EXPECT_EQ(plat::text::addMonths(at(2005, 1, 31), 1), at(2005, 2, 28));
    EXPECT_EQ(plat::text::addMonths(at(2004, 4, 1), -28), at(2001, 12, 1));
    EXPECT_EQ(plat::text::lastDayOfMonth(at(2005, 2, 10)), at(2005, 2, 28));
    EXPECT_EQ(plat::text::lastDayOfMonth(at(1900, 2, 1)), at(1900, 2, 28));
    EXPECT_EQ(plat::text::lastDayOfMonth(at(2000, 2, 1)), at(2000, 2, 29));
    EXPECT_EQ(plat::text::addDays(at(2004, 2, 28, 9, 30), 2), at(2004, 3, 1, 9, 30));
    EXPECT_EQ(plat::text::firstOfMonth(at(2004, 4, 17, 9, 30)), at(2004, 4, 1));
    EXPECT_EQ(plat::text::weekday(at(2004, 4, 4)), 0);   // Sunday
    EXPECT_EQ(plat::text::weekday(at(1899, 12, 30)), 6); // Saturday
    EXPECT_EQ(plat::text::weekday(at(1868, 1, 1)), 3);   // Wednesday
}

TEST(DateTime, CanonicalTextRoundTripsAndSortsLikeTheDates) {
    const DateTime a = at(2004, 4, 1, 9, 5, 7);
    const DateTime b = at(2004, 12, 1);
    EXPECT_EQ(plat::text::toCanonical(a), "2004-04-01 09:05:07");
    EXPECT_EQ(plat::text::parseCanonical(plat::text::toCanonical(a)), a);
    EXPECT_LT(plat::text::toCanonical(a), plat::text::toCanonical(b));
    EXPECT_EQ(plat::text::toCanonical(at(1, 1, 1)), "0001-01-01 00:00:00");
    EXPECT_EQ(plat::text::toCanonical(at(9999, 12, 31, 23, 59, 59)), "9999-12-31 23:59:59");
    EXPECT_EQ(plat::text::toCanonical(at(12345, 1, 2, 3, 4, 5)), "12345-01-02 03:04:05");
}

TEST(DateTime, ParsesOnlyWholeDates) {
    struct Case {
        const char* text;
        std::optional<DateTime> expected;
    } const cases[] = {
        {"2004-04-01", at(2004, 4, 1)},
        {"2004/04/01", at(2004, 4, 1)},
        {"2004/4/1", at(2004, 4, 1)},
        {"2004-04-01 13:45", at(2004, 4, 1, 13, 45)},
        {"2004-04-01 13:45:59", at(2004, 4, 1, 13, 45, 59)},
        {"2004-02-30", std::nullopt},
        {"2004-04/01", std::nullopt},
        {"2004-04-01 13", std::nullopt},
        {"2004-04-01 24:00", std::nullopt},
        {"2004-04-01T13:45", at(2004, 4, 1, 13, 45)},
        {"2004-04-01 13:45:59.75", at(2004, 4, 1, 13, 45, 59)},
        {"2004-04-01 13:45:59.", std::nullopt},
        {"2004-04-01 13:45 PM", std::nullopt},
        {"2004-04-01abc", std::nullopt},
        {" 2004-04-01", std::nullopt},
        {"-2004-04-01", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::text::parseCanonical(c.text), c.expected) << c.text;
}

// Typed and statement date text: either field order, spaces around, a time after spaces.
TEST(DateTime, ParsesDateTextInEitherOrder) {
    struct Case {
        const char* text;
        std::optional<DateTime> expected;
    } const cases[] = {
        {"4/1/2004", at(2004, 4, 1)},
        {"12-31-2004 9:05", at(2004, 12, 31, 9, 5)},
        {" 2004/4/1   13:05:07 ", at(2004, 4, 1, 13, 5, 7)},
        {"2004-04-01T13:45:59.75", at(2004, 4, 1, 13, 45, 59)},
        {"04/01/04", std::nullopt},
        {"2004/04-01", std::nullopt},
        {"2/30/2005", std::nullopt},
        {"2004/04/01 13", std::nullopt},
        {"2004/04/01 13:05 x", std::nullopt},
        {"2004/04/0113:05", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::text::parseDateText(c.text), c.expected) << c.text;
}

} // namespace
