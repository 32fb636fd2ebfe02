// Variant conversions: rounding, banker's rounding, overflow and type mismatch, strings to and
// from numbers, booleans, currency, dates, Null and Empty, by-reference values.
#include "platform/automation/Variant.h"

#include "platform/automation/Unicode.h"
#include "platform/text/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plat::automation;

namespace {

Variant str(const char* s) {
    return Variant::fromUtf8(s);
}

// The error number a conversion raises, or 0 when it succeeds.
template <class F> int errorOf(F&& f) {
    try {
        f();
        return 0;
    } catch (const AutomationException& e) {
        return e.error().number();
    }
}

struct ShortCase {
    Variant in;
    std::int16_t expected;
    int error; // 0, 6 overflow, 13 type mismatch, 94 Null
};

TEST(VariantToShort, RoundsHalfToEvenAndChecksRange) {
    const ShortCase cases[] = {
        {Variant(2.7), 3, 0},
        {Variant(2.5), 2, 0},
        {Variant(3.5), 4, 0},
        {Variant(-2.5), -2, 0},
        {Variant(-2.6), -3, 0},
        {Variant(0.5), 0, 0},
        {Variant(1.5), 2, 0},
        {Variant(2.4999), 2, 0},
        {Variant(32767.4), 32767, 0},
        {Variant(32767.5), 0, 6},
        {Variant(-32768.5), -32768, 0}, // half to even: -32768
        {Variant(-32769.0), 0, 6},
        {Variant(std::int32_t{40000}), 0, 6},
        {Variant(true), -1, 0},
        {Variant(false), 0, 0},
        {Variant(), 0, 0},
        {Variant(Currency{25000}), 2, 0}, // 2.5
        {Variant(Currency{35000}), 4, 0}, // 3.5
        {Variant(Currency{-25001}), -3, 0},
        {str(" 12 "), 12, 0},
        {str("&H10"), 16, 0},
        {str("&HFFFF"), -1, 0},
        {str("&h7fff"), 32767, 0},
        {str("&O17"), 15, 0},
        {str("&H10000"), 0, 6},
        {str("2.5"), 2, 0},
        {str("1e3"), 1000, 0},
        {str("-1,234"), -1234, 0},
        {str("True"), -1, 0},
        {str("false"), 0, 0},
        {str("12abc"), 0, 13},
        {str(""), 0, 13},
        {str("&H"), 0, 13},
        {str("1e"), 0, 13},
        {str("1,,2"), 0, 13},
        {Variant::null(), 0, 94},
        {Variant::missing(), 0, 13},
        {Variant(std::numeric_limits<double>::quiet_NaN()), 0, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.type() == VarType::String ? c.in.toUtf8()
                                                    : std::to_string(int(c.in.type())));
        std::int16_t got = 0;
        EXPECT_EQ(errorOf([&] { got = c.in.toShort(); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(got, c.expected);
        }
    }
}

TEST(VariantToLong, RangeAndHexWidths) {
    EXPECT_EQ(Variant(2147483647.4).toLong(), 2147483647);
    EXPECT_EQ(errorOf([] { Variant(2147483647.5).toLong(); }), 6);
    EXPECT_EQ(Variant(-2147483648.0).toLong(), std::numeric_limits<std::int32_t>::min());
    // Up to four hex digits is a 16-bit value, sign-extended; more digits a 32-bit value.
    EXPECT_EQ(str("&HFFFF").toLong(), -1);
    EXPECT_EQ(str("&H0FFFF").toLong(), -1);
    EXPECT_EQ(str("&H10000").toLong(), 65536);
    EXPECT_EQ(str("&HFFFFFFFF").toLong(), -1);
    EXPECT_EQ(errorOf([] { str("&H100000000").toLong(); }), 13);
    EXPECT_EQ(Variant(std::int16_t{-5}).toLong(), -5);
    EXPECT_EQ(Variant(Currency{-15000}).toLong(), -2); // -1.5 -> -2
    EXPECT_EQ(errorOf([] { Variant(Currency{Currency::kScale * 3000000000LL}).toLong(); }), 6);
    EXPECT_EQ(errorOf([] { str("9999999999").toLong(); }), 6);
}

TEST(VariantToDouble, ParsesTextExactlyAndRejectsGarbage) {
    EXPECT_DOUBLE_EQ(str("  -12.5  ").toDouble(), -12.5);
    EXPECT_DOUBLE_EQ(str("1.5E+2").toDouble(), 150.0);
    EXPECT_DOUBLE_EQ(str("1.5d-1").toDouble(), 0.15);
    EXPECT_DOUBLE_EQ(str(".5").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(str("5.").toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(str("\u3000"
                         "7")
                         .toDouble(),
                     7.0); // ideographic space is a blank too
    EXPECT_DOUBLE_EQ(Variant(true).toDouble(), -1.0);
    EXPECT_DOUBLE_EQ(Variant(Date{38078.5}).toDouble(), 38078.5);
    EXPECT_EQ(errorOf([] { str("1e999").toDouble(); }), 6);
    EXPECT_DOUBLE_EQ(str("1e-999").toDouble(), 0.0);
    EXPECT_EQ(errorOf([] { str("１２").toDouble(); }), 13); // full-width digits are not numbers
    EXPECT_EQ(errorOf([] { str("- 1").toDouble(); }), 13);
    EXPECT_EQ(errorOf([] { Variant::error(5).toDouble(); }), 13);
}

TEST(VariantToSingle, OverflowsBeyondSingleRange) {
    EXPECT_FLOAT_EQ(Variant(1.25).toSingle(), 1.25f);
    EXPECT_EQ(errorOf([] { Variant(1e39).toSingle(); }), 6);
}

TEST(VariantToBool, NumbersAndTexts) {
    EXPECT_TRUE(Variant(std::int16_t{2}).toBool());
    EXPECT_FALSE(Variant(0.0).toBool());
    EXPECT_TRUE(Variant(0.1).toBool());
    EXPECT_TRUE(str(" TRUE ").toBool());
    EXPECT_FALSE(str("False").toBool());
    EXPECT_TRUE(str("-1").toBool());
    EXPECT_FALSE(str("0").toBool());
    EXPECT_FALSE(Variant().toBool());
    EXPECT_TRUE(Variant(Currency{1}).toBool());
    EXPECT_EQ(errorOf([] { str("yes").toBool(); }), 13);
    EXPECT_EQ(errorOf([] { Variant::null().toBool(); }), 94);
}

TEST(VariantToCurrency, FourDecimalsHalfToEvenExactFromText) {
    EXPECT_EQ(str("1.23455").toCurrency().scaled, 12346);  // ...55 -> even 6
    EXPECT_EQ(str("1.23445").toCurrency().scaled, 12344);  // ...45 -> even 4
    EXPECT_EQ(str("1.234451").toCurrency().scaled, 12345); // above half
    EXPECT_EQ(str("-0.00005").toCurrency().scaled, 0);
    EXPECT_EQ(str("-0.00015").toCurrency().scaled, -2);
    EXPECT_EQ(str("922337203685477.5807").toCurrency().scaled,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(str("-922337203685477.5808").toCurrency().scaled,
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(errorOf([] { str("922337203685477.5808").toCurrency(); }), 6);
    EXPECT_EQ(errorOf([] { Variant(1e16).toCurrency(); }), 6);
    EXPECT_EQ(Variant(std::int32_t{7}).toCurrency().scaled, 70000);
    EXPECT_EQ(Variant(1.5).toCurrency().scaled, 15000);
    EXPECT_EQ(Variant(true).toCurrency().scaled, -10000);
}

TEST(VariantToString, NumbersBooleansCurrencyAndDates) {
    struct Case {
        Variant in;
        const char* out;
    };
    const Case cases[] = {
        {Variant(true), "True"},
        {Variant(false), "False"},
        {Variant(std::int16_t{-12}), "-12"},
        {Variant(std::int32_t{123456}), "123456"},
        {Variant(0.1), "0.1"},
        {Variant(2.5), "2.5"},
        {Variant(1.0 / 3.0), "0.333333333333333"},
        {Variant(1e20), "1E+20"},
        {Variant(1.5e-7), "1.5E-07"},
        {Variant(100.0), "100"},
        {Variant(0.0), "0"},
        {Variant(1.1f), "1.1"},
        {Variant(Currency{12345}), "1.2345"},
        {Variant(Currency{-15000}), "-1.5"},
        {Variant(Currency{-5}), "-0.0005"},
        {Variant(Currency{30000}), "3"},
        {Variant(), ""},
        {Variant(Date{plat::text::toSerial({2004, 4, 1, 0, 0, 0})}), "2004/04/01"},
        {Variant(Date{plat::text::toSerial({2004, 4, 1, 9, 5, 0})}), "2004/04/01 9:05:00"},
        {Variant(Date{0.75}), "18:00:00"},
        {Variant(Date{0.0}), "0:00:00"},
        {Variant(u"社員"), "社員"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.in.toUtf8(), c.out);
    EXPECT_EQ(errorOf([] { Variant::null().toString(); }), 94);
}

TEST(VariantDates, TextAndSerialBothWays) {
    const double apr1 = plat::text::toSerial({2004, 4, 1, 0, 0, 0});
    EXPECT_DOUBLE_EQ(str("2004/04/01").toDate().serial, apr1);
    EXPECT_DOUBLE_EQ(str("2004/4/1").toDate().serial, apr1);
    EXPECT_DOUBLE_EQ(str("2004-04-01").toDate().serial, apr1);
    EXPECT_DOUBLE_EQ(str("2004/04/01 12:00").toDate().serial, apr1 + 0.5);
    EXPECT_DOUBLE_EQ(str("2004/04/01 6:00:00").toDate().serial, apr1 + 0.25);
    EXPECT_DOUBLE_EQ(str("18:00").toDate().serial, 0.75);
    EXPECT_DOUBLE_EQ(str("38078").toDate().serial, 38078.0);
    EXPECT_EQ(errorOf([] { str("2004/02/30").toDate(); }), 13);
    EXPECT_EQ(errorOf([] { str("25:00").toDate(); }), 13);
    EXPECT_EQ(errorOf([] { str("2004/04").toDate(); }), 13);
    EXPECT_EQ(errorOf([] { str("tomorrow").toDate(); }), 13);
    EXPECT_EQ(errorOf([] { Variant(3e6).toDate(); }), 6);
    // Round trip through text keeps the date and the time.
    const Variant d(Date{apr1 + (10 * 3600 + 30 * 60 + 15) / 86400.0});
    EXPECT_NEAR(Variant(d.toString()).toDate().serial, d.asDate().serial, 1e-9);
}

TEST(VariantConvertedTo, KeepsOrRejectsKinds) {
    EXPECT_EQ(str("12").convertedTo(VarType::Short), Variant(std::int16_t{12}));
    EXPECT_EQ(Variant(std::int16_t{12}).convertedTo(VarType::String), Variant(u"12"));
    EXPECT_EQ(str("x").convertedTo(VarType::Variant), str("x"));
    EXPECT_EQ(errorOf([] { str("x").convertedTo(VarType::Object); }), 13);
    Variant out;
    AutomationError err;
    EXPECT_EQ(str("99999").tryConvert(VarType::Short, out, &err), statusFromErrorNumber(6));
    EXPECT_EQ(err.number(), 6);
    EXPECT_FALSE(err.description.empty());
    EXPECT_EQ(str("5").tryConvert(VarType::Long, out), status::Ok);
    EXPECT_EQ(out, Variant(std::int32_t{5}));
}

TEST(VariantByRef, ReadsAndWritesTheTargetKeepingItsType) {
    Variant key(std::int16_t{13});
    Variant ref = Variant::ref(key);
    EXPECT_TRUE(ref.isByRef());
    EXPECT_EQ(ref.type(), VarType::Short);
    EXPECT_EQ(ref.toShort(), 13);
    ref.assign(Variant(std::int32_t{9}));
    EXPECT_EQ(key.type(), VarType::Short) << "a typed target keeps its type";
    EXPECT_EQ(key.asShort(), 9);
    ref.assign(str("27"));
    EXPECT_EQ(key.asShort(), 27);
    EXPECT_EQ(errorOf([&] { ref.assign(Variant(std::int32_t{70000})); }), 6);
    EXPECT_EQ(key.asShort(), 27) << "a failed assignment leaves the target";
    // A reference to a reference points at the original.
    Variant refRef = Variant::ref(ref);
    refRef.assign(Variant(std::int16_t{1}));
    EXPECT_EQ(key.asShort(), 1);
    // An untyped target takes whatever is assigned.
    Variant any;
    Variant::ref(any).assign(str("x"));
    EXPECT_EQ(any, str("x"));
}

TEST(VariantMissing, IsAnErrorValueWithParamNotFound) {
    const Variant m = Variant::missing();
    EXPECT_TRUE(m.isMissing());
    EXPECT_EQ(m.type(), VarType::Error);
    EXPECT_EQ(m.asError(), status::ParamNotFound);
    EXPECT_FALSE(Variant::error(5).isMissing());
    EXPECT_FALSE(Variant().isMissing());
}

TEST(Unicode, RoundTripsAndReplacesMalformedInput) {
    const std::string s = "社員 ｺﾝﾎﾞ \xF0\x9F\x98\x80 end";
    EXPECT_EQ(toUtf8(toUtf16(s)), s);
    EXPECT_EQ(toUtf16("\xE3\x81"), std::u16string(1, u'\uFFFD'));           // cut short
    EXPECT_EQ(toUtf16("\xC0\xAF"), std::u16string(u"\uFFFD"));              // overlong
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD"); // lone surrogate
}

} // namespace
