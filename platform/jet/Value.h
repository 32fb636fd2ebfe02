// A database value as the screens read and write it: Null kept distinct from 0 and from empty
// text, with typed reads for long, double, currency, date and text.
#pragma once

#include "platform/text/DateTime.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace plat::jet {

// Currency: a 64-bit count of ten-thousandths (four decimals exact).
struct Currency {
    std::int64_t scaled = 0;

    static constexpr std::int64_t kScale = 10000;
    // Rounds half away from zero to four decimals.
    static Currency fromDouble(double v);
    static Currency fromUnits(std::int64_t units) { return {units * kScale}; }
    double toDouble() const { return static_cast<double>(scaled) / kScale; }
    // Decimal text without grouping, trailing zeros of the fraction dropped ("1250", "1250.5").
    std::string toText() const;
    // toText() appended to `out`, without a text of its own on the way.
    void appendText(std::string& out) const;

    friend bool operator==(const Currency&, const Currency&) = default;
    friend auto operator<=>(const Currency&, const Currency&) = default;
};

enum class ValueType { Null, Long, Double, Currency, Date, Text };

class Value {
public:
    Value() = default; // Null
    Value(int v) : v_(std::int64_t{v}) {}
    Value(std::int64_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(Currency v) : v_(v) {}
    Value(const plat::text::DateTime& v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}

    ValueType type() const { return static_cast<ValueType>(v_.index()); }
    bool isNull() const { return type() == ValueType::Null; }

    // Typed reads convert between kinds; Null reads as 0, the zero date or empty text, so a
    // caller that must tell Null apart asks isNull() first. Text that is not a number reads 0.
    std::int64_t toLong() const; // doubles and currency rounded half away from zero
    double toDouble() const;
    Currency toCurrency() const;         // rounded to four decimals
    plat::text::DateTime toDate() const; // text parsed as canonical date text; numbers as serial
    // Long as digits, double as shortest round-trip text, currency as Currency::toText, date as
    // canonical "YYYY-MM-DD HH:MM:SS", Null as empty text.
    std::string toText() const;
    // toText() appended to `out`, without a text of its own on the way.
    void appendText(std::string& out) const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, std::int64_t, double, Currency, plat::text::DateTime, std::string>
        v_;
};

} // namespace plat::jet
