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
    std::string s;
    appendText(s);
    return s;
}

void Value::appendText(std::string& out) const {
    char buf[64];
    switch (type()) {
    case ValueType::Null:
        return;
    case ValueType::Long:
        out.append(buf, std::to_chars(buf, buf + sizeof buf, std::get<std::int64_t>(v_)).ptr);
        return;
    case ValueType::Double:
        out.append(buf, std::to_chars(buf, buf + sizeof buf, std::get<double>(v_)).ptr);
        return;
    case ValueType::Currency:
        out += std::get<Currency>(v_).toText();
        return;
    case ValueType::Date:
        out += plat::text::toCanonical(std::get<DateTime>(v_));
        return;
    case ValueType::Text:
        out += std::get<std::string>(v_);
        return;
    }
}

} // namespace plat::jet
