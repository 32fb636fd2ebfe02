// Values: Null kept apart from 0 and empty text, currency to four decimals.
#include "platform/jet/Value.h"

#include <gtest/gtest.h>

namespace {

using plat::jet::Currency;
using plat::jet::Value;
using plat::jet::ValueType;

TEST(Value, NullIsDistinctFromZeroAndEmptyText) {
    EXPECT_TRUE(Value().isNull());
    EXPECT_NE(Value(), Value(0));
    EXPECT_NE(Value(), Value(""));
    EXPECT_EQ(Value().toDouble(), 0.0);
    EXPECT_EQ(Value().toText(), "");
    EXPECT_EQ(Value(0).type(), ValueType::Long);
}

TEST(Value, CurrencyRoundsToFourDecimals) {
    EXPECT_EQ(Currency::fromDouble(1250.12345).scaled, 12501235);
    EXPECT_EQ(Currency::fromDouble(-0.00005).scaled, -1);
    EXPECT_EQ(Currency::fromDouble(0.1 + 0.2).scaled, 3000);
    EXPECT_EQ(Currency::fromDouble(1333).toText(), "1333");
    EXPECT_EQ(Currency::fromDouble(1250.5).toText(), "1250.5");
    EXPECT_EQ(Currency::fromDouble(-12.0034).toText(), "-12.0034");
    EXPECT_EQ(Currency{5}.toText(), "0.0005");
}

TEST(Value, TypedReadsConvert) {
    EXPECT_EQ(Value(7.5).toText(), "7.5");
    EXPECT_EQ(Value(8.0).toText(), "8");
    EXPECT_EQ(Value(2.5).toLong(), 3);
    EXPECT_EQ(Value("1250.5").toCurrency().scaled, 12505000);
    EXPECT_EQ(Value("abc").toLong(), 0);
    EXPECT_EQ(Value(Currency::fromDouble(1200)).toDouble(), 1200.0);
    const plat::text::DateTime d{2004, 4, 1, 13, 5, 0};
    EXPECT_EQ(Value(d).toText(), "2004-04-01 13:05:00");
    EXPECT_EQ(Value("2004-04-01 13:05:00").toDate(), d);
}

} // namespace
