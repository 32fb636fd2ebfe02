// Date display formats with Japanese eras and weekdays, as tables of cases.
#include "platform/text/Format.h"
#include "platform/text/JapaneseEra.h"

#include <gtest/gtest.h>

namespace {

using plat::text::DateTime;
using plat::text::formatDate;

struct DateCase {
    DateTime date;
    const char* format;
    const char* expected;
};

DateTime day(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    return DateTime{y, m, d, h, n, s};
}

TEST(DateFormat, ScreenAndReportFormats) {
    const DateCase cases[] = {
        {day(2004, 4, 1), "yyyy/mm/dd", "2004/04/01"},
        {day(2001, 12, 1), "yyyy/mm/dd", "2001/12/01"},
        {day(2004, 4, 1), "yyyy/mm", "2004/04"},
        {day(2004, 4, 7, 9, 5), "yy/mm/dd hh:nn", "04/04/07 09:05"},
        {day(2010, 11, 30, 23, 59, 58), "yy/mm/dd hh:nn", "10/11/30 23:59"},
        {day(2004, 4, 7), "d", "7"},
        {day(2004, 4, 7), "m", "4"},
        {day(2004, 11, 7), "m", "11"},
        {day(2004, 4, 7), "mm", "04"},
        {day(2004, 4, 7), "d日", "7日"},
        {day(2004, 4, 7), "(aaa)", "(水)"},
        {day(2004, 4, 4), "(aaa)", "(日)"},
        {day(2004, 3, 1), "d日(aaa)", "1日(月)"},
        {day(2004, 4, 1), "ggge", "平成16"},
        {day(2004, 4, 1), "ggge年mm月度", "平成16年04月度"},
        {day(2004, 4, 1), "ggge年mm月度　労務費明細表", "平成16年04月度　労務費明細表"},
        {day(2004, 4, 1), "ggge年度", "平成16年度"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(c.date, c.format), c.expected) << c.format;
}

TEST(DateFormat, WeekdayNamesRunSundayToSaturday) {
    const char* names[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int i = 0; i < 7; ++i) // 2004-04-04 was a Sunday
        EXPECT_EQ(formatDate(day(2004, 4, 4 + i), "aaa"), names[i]);
    EXPECT_EQ(formatDate(day(2004, 4, 5), "aaaa"), "月曜日");
    EXPECT_EQ(formatDate(day(2004, 4, 5), "ddd"), "月");
}

TEST(DateFormat, EraBoundaries) {
    const DateCase cases[] = {
        {day(1868, 1, 1), "ggge", "明治1"},   {day(1912, 7, 29), "ggge", "明治45"},
        {day(1912, 7, 30), "ggge", "大正1"},  {day(1926, 12, 24), "ggge", "大正15"},
        {day(1926, 12, 25), "ggge", "昭和1"}, {day(1989, 1, 7), "ggge", "昭和64"},
        {day(1989, 1, 8), "ggge", "平成1"},   {day(2019, 4, 30), "ggge", "平成31"},
        {day(2019, 5, 1), "ggge", "令和1"},   {day(2026, 12, 8, 23, 59, 59), "ggge", "令和8"},
        {day(2019, 5, 1), "gge", "令1"},      {day(2019, 5, 1), "ge", "R1"},
        {day(1989, 1, 8), "gee", "H01"},      {day(1960, 6, 1), "ggg ee", "昭和 35"},
        {day(1867, 12, 31), "ggge", "1867"}, // before the first era: the plain year
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(c.date, c.format), c.expected)
            << c.date.year << "-" << c.date.month << "-" << c.date.day << " " << c.format;
}

TEST(DateFormat, TimeFieldsAndLiterals) {
    const DateCase cases[] = {
        {day(2004, 4, 7, 9, 5, 3), "h:mm:ss", "9:05:03"}, // m after h means minutes
        {day(2004, 4, 7, 9, 5, 3), "hh:nn:ss", "09:05:03"},
        {day(2004, 4, 7, 13, 5), "hh:nn AM/PM", "01:05 PM"},
        {day(2004, 4, 7, 0, 5), "h:nn am/pm", "12:05 am"},
        {day(2004, 4, 7, 13, 5), "YYYY/MM/DD", "2004/04/07"},
        {day(2004, 4, 7), "\"d\"d", "d7"},
        {day(2004, 4, 7), "\\yyyyy", "y2004"},
        {day(2004, 2, 1), "y", "32"},
        {day(2004, 8, 1), "q", "3"},
        {day(2004, 4, 7), "w", "4"},
        {day(2004, 1, 3), "ww", "1"},
        {day(2004, 1, 4), "ww", "2"},
        {day(2004, 4, 7), "ddddd", "2004/04/07"},
        {day(2004, 4, 7), "dddddd", "2004年4月7日"},
        {day(2004, 4, 7), "", "2004/04/07"},
        {day(2004, 4, 7, 8, 30), "c", "2004/04/07 8:30:00"},
        {day(2004, 4, 7, 8, 30), "ttttt", "8:30:00"},
        {day(2004, 4, 7), "x-(月)", "x-(月)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(c.date, c.format), c.expected) << c.format;
}

} // namespace
