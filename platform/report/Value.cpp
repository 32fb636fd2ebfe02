// Conversions between record values and the exact sum in ten-thousandths.
#include "platform/report/Value.h"

#include <cmath>
#include <cstdlib>

namespace plat::report {

namespace {

const std::string kEmpty;

std::int64_t scaleRounded(double v) {
    // Nearest ten-thousandth, half away from zero: a single-precision 0.1 (0.100000001490116)
    // and a double 0.1 both count as 1000.
    return static_cast<std::int64_t>(std::llround(v * 10000.0));
}

} // namespace

double Value::asNumber() const {
    switch (type()) {
    case Type::Null:
        return 0;
    case Type::Number:
        return std::get<double>(data_);
    case Type::Currency:
        return static_cast<double>(std::get<Currency>(data_).scaled) / 10000.0;
    case Type::Date:
        return text::toSerial(std::get<text::DateTime>(data_));
    case Type::Text: {
        const std::string& s = std::get<std::string>(data_);
        char* end = nullptr;
        double v = std::strtod(s.c_str(), &end);
        return end == s.c_str() ? 0 : v;
    }
    }
    return 0;
}

std::int64_t Value::asCurrencyScaled() const {
    if (type() == Type::Currency)
        return std::get<Currency>(data_).scaled;
    return scaleRounded(asNumber());
}

text::DateTime Value::asDate() const {
    if (type() == Type::Date)
        return std::get<text::DateTime>(data_);
    if (type() == Type::Text) {
        if (auto d = text::parseCanonical(std::get<std::string>(data_)))
            return *d;
    }
    return text::fromSerial(asNumber());
}

const std::string& Value::asText() const {
    if (type() == Type::Text)
        return std::get<std::string>(data_);
    return kEmpty;
}

void ExactSum::add(const Value& v) {
    if (v.isNull())
        return;
    scaled_ += v.asCurrencyScaled();
}

} // namespace plat::report
