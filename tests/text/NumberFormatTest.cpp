// Number display formats of the ledger, inquiry and report screens, as tables of cases.
#include "platform/text/Format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using plat::text::formatCurrency;
using plat::text::formatNumber;
using plat::text::formatSingle;

struct NumberCase {
    double value;
    const char* format;
    const char* expected;
};

TEST(NumberFormat, ScreenAndReportFormats) {
    const NumberCase cases[] = {
        {0, "#0.0", "0.0"},
        {0, "##0.0", "0.0"},
        {0, "###0.0", "0.0"},
        {0, "#,##0", "0"},
        {0, "#,##0.00", "0.00"},
        {0, "###,##0", "0"},
        {8, "#0.0", "8.0"},
        {7.5, "#0.0", "7.5"},
        {24, "#0.0", "24.0"},
        {123.4, "##0.0", "123.4"},
        {1234.5, "##0.0", "1234.5"}, // more digits than places: nothing is cut
        {12345.6, "#0.0", "12345.6"},
        {1234.5, "###0.0", "1234.5"},
        {1234, "#,##0", "1,234"},
        {999, "#,##0", "999"},
        {1000, "#,##0", "1,000"},
        {1234567, "#,##0", "1,234,567"},
        {1234567.89, "#,##0.0", "1,234,567.9"},
        {1234.5678, "#,##0.00", "1,234.57"},
        {1234567, "###,##0", "1,234,567"},
        {12345678.25, "#,###,##0.0", "12,345,678.3"},
        {12.34, "#,###,##0.0", "12.3"},
        {123456.7, "##,##0.0", "123,456.7"},
        {0.5, "###,##0.0", "0.5"},
        {-1234.5, "#,##0.0", "-1,234.5"},
        {-8, "#0.0", "-8.0"},
        {-0.5, "#,##0", "-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.format), c.expected) << c.value << " " << c.format;
}

TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    const NumberCase cases[] = {
        {0.05, "#0.0", "0.1"},       // binary 0.05000000000000000277
        {0.15, "#0.0", "0.2"},       // binary 0.1499999999999999944
        {2.675, "#,##0.00", "2.68"}, // binary 2.67499999999999982236431605997495353221893310546875
        {1.005, "#,##0.00", "1.01"},
        {-2.5, "#,##0", "-3"},
        {2.5, "#,##0", "3"},
        {1.5, "#,##0", "2"},
        {9.95, "#0.0", "10.0"},
        {99999.95, "##,##0.0", "100,000.0"},
        {999.5, "#,##0", "1,000"},
        {0.04, "#0.0", "0.0"},
        {-0.04, "#0.0", "0.0"}, // rounds to zero: no minus sign in front of a zero
        {0.1 + 0.2, "#,##0.00", "0.30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.format), c.expected) << c.value << " " << c.format;
}

TEST(NumberFormat, SinglePrecisionHoursUseTheirOwnDigits) {
    EXPECT_EQ(formatSingle(0.35f, "#0.0"), "0.4"); // 0.3499999940... as a double
    EXPECT_EQ(formatSingle(7.25f, "#0.0"), "7.3");
    EXPECT_EQ(formatSingle(0.1f + 0.2f, "#0.0"), "0.3");
    EXPECT_EQ(formatSingle(743.8f, "#,##0.0"), "743.8");
    EXPECT_EQ(formatNumber(static_cast<double>(0.35f), "#0.0"), "0.3");
}

TEST(NumberFormat, CurrencyIsExact) {
    struct Case {
        std::int64_t scaled;
        const char* format;
        const char* expected;
    } const cases[] = {
        {12345, "#,##0", "1"},
        {15000, "#,##0", "2"},
        {-15000, "#,##0", "-2"},
        {14999, "#,##0", "1"},
        {12'345'678'9000, "#,##0", "12,345,679"},
        {9'223'372'036'854'775'807, "#,##0.0000", "922,337,203,685,477.5807"},
        {INT64_MIN, "#,##0", "-922,337,203,685,478"},
        {0, "#,##0", "0"},
        {50, "#,##0.00", "0.01"},
        {12000000, "", "1200"},
        {12345, "", "1.2345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatCurrency(c.scaled, c.format), c.expected) << c.scaled << " " << c.format;
}

TEST(NumberFormat, PlacesLiteralsSectionsAndPercent) {
    const NumberCase cases[] = {
        {5, "0#", "05"},
        {5, "000", "005"},
        {1234, "000", "1234"},
        {0.5, "#.##", ".5"},
        {5, "#.##", "5."},
        {5.1, "0.0#", "5.1"},
        {5.125, "0.0#", "5.13"},
        {0.25, "0%", "25%"},
        {0.125, "0.0%", "12.5%"},
        {1234, "#,##0円", "1,234円"},
        {1234, "\"￥\"#,##0", "￥1,234"},
        {1234, "\\#0", "#1234"},
        {1234567, "000-0000", "123-4567"},
        {-5, "0;(0)", "(5)"},
        {5, "0;(0)", "5"},
        {0, "0;(0);\"ゼロ\"", "ゼロ"},
        {-5, "0;;\"ゼロ\"", "-5"},
        {1.25, "", "1.25"},
        {-1000000, "", "-1000000"},
        {0.1, "", "0.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.format), c.expected) << c.value << " " << c.format;
}

} // namespace
