// One value of a record: Null, number, currency, date or text — what a stored query returns
// and what a bound field shows.
#pragma once

#include "platform/text/DateTime.h"

#include <cstdint>
#include <string>
#include <variant>

namespace plat::report {

// Currency: a 64-bit count of ten-thousandths, so money and sums stay exact.
struct Currency {
    std::int64_t scaled = 0; // 1.2345 is 12345
    friend bool operator==(const Currency&, const Currency&) = default;
};

class Value {
public:
    enum class Type { Null, Number, Currency, Date, Text };

    Value() = default;
    static Value null() { return Value(); }
    static Value number(double v) { return Value(Data(v)); }
    static Value currency(std::int64_t scaledBy10000) {
        return Value(Data(Currency{scaledBy10000}));
    }
    static Value date(const text::DateTime& d) { return Value(Data(d)); }
    static Value text(std::string utf8) { return Value(Data(std::move(utf8))); }

    Type type() const { return static_cast<Type>(data_.index()); }
    bool isNull() const { return type() == Type::Null; }

    double asNumber() const;               // 0 for Null and unparsable text
    std::int64_t asCurrencyScaled() const; // ten-thousandths, rounded half away from zero
    text::DateTime asDate() const;         // numbers as serial dates
    const std::string& asText() const;     // text values only; empty otherwise

    friend bool operator==(const Value&, const Value&) = default;

private:
    using Data = std::variant<std::monostate, double, Currency, text::DateTime, std::string>;
    explicit Value(Data d) : data_(std::move(d)) {}
    Data data_;
};

// A sum kept exactly in ten-thousandths: 100,000 additions of 0.1 give exactly 10,000.
// Values with more than four decimals are rounded to four as they are added.
class ExactSum {
public:
    void add(const Value& v);
    void reset() { scaled_ = 0; }
    std::int64_t scaled() const { return scaled_; }
    Value value() const { return Value::currency(scaled_); }

private:
    std::int64_t scaled_ = 0;
};

} // namespace plat::report
