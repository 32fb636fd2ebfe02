// Conversions between the kinds a database value can hold.
#include "platform/jet/Value.h"

#include "platform/jet/Coercion.h"

#include <charconv>
#include <cmath>

namespace plat::jet {

using plat::text::DateTime;

Currency Currency::fromDouble(double v) {
    return {static_cast<std::int64_t>(std::llround(v * static_cast<double>(kScale)))};
}

std::string Currency::toText() const {
    const bool negative = scaled < 0;
    const std::uint64_t mag =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string s = std::to_string(mag / kScale);
    std::uint64_t frac = mag % kScale;
    if (frac != 0) {
        std::string f = std::to_string(frac + kScale).substr(1); // four digits with zeros
        while (!f.empty() && f.back() == '0')
            f.pop_back();
        s += "." + f;
    }
    return negative ? "-" + s : s;
}

namespace {

std::string shortestDouble(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace

std::int64_t Value::toLong() const {
    switch (type()) {
    case ValueType::Null:
        return 0;
    case ValueType::Long:
        return std::get<std::int64_t>(v_);
    case ValueType::Double:
        return std::llround(std::get<double>(v_));
    case ValueType::Currency:
        return std::llround(std::get<Currency>(v_).toDouble());
    case ValueType::Date:
        return std::llround(plat::text::toSerial(std::get<DateTime>(v_)));
    case ValueType::Text: {
        double d = 0;
        return isNumberText(std::get<std::string>(v_), d) ? std::llround(d) : 0;
    }
    }
    return 0;
}

double Value::toDouble() const {
    switch (type()) {
    case ValueType::Null:
        return 0;
    case ValueType::Long:
        return static_cast<double>(std::get<std::int64_t>(v_));
    case ValueType::Double:
        return std::get<double>(v_);
    case ValueType::Currency:
        return std::get<Currency>(v_).toDouble();
    case ValueType::Date:
        return plat::text::toSerial(std::get<DateTime>(v_));
    case ValueType::Text: {
        double d = 0;
        return isNumberText(std::get<std::string>(v_), d) ? d : 0;
    }
    }
    return 0;
}

Currency Value::toCurrency() const {
    switch (type()) {
    case ValueType::Currency:
        return std::get<Currency>(v_);
    case ValueType::Long:
        return Currency::fromUnits(std::get<std::int64_t>(v_));
    default:
        return Currency::fromDouble(toDouble());
    }
}

DateTime Value::toDate() const {
    switch (type()) {
    case ValueType::Null:
        return DateTime{};
    case ValueType::Date:
        return std::get<DateTime>(v_);
    case ValueType::Text: {
        auto d = plat::text::parseCanonical(std::get<std::string>(v_));
        return d ? *d : DateTime{};
    }
    default:
        return plat::text::fromSerial(toDouble());
    }
}

std::string Value::toText() const {
    switch (type()) {
    case ValueType::Null:
        return {};
    case ValueType::Long:
        return std::to_string(std::get<std::int64_t>(v_));
    case ValueType::Double:
        return shortestDouble(std::get<double>(v_));
    case ValueType::Currency:
        return std::get<Currency>(v_).toText();
    case ValueType::Date:
        return plat::text::toCanonical(std::get<DateTime>(v_));
    case ValueType::Text:
        return std::get<std::string>(v_);
    }
    return {};
}

} // namespace plat::jet
