// Field texts from values, through the system's number and date display formats.
#include "platform/report/FieldText.h"

#include "platform/text/Format.h"

#include <cstdio>
#include <cstdlib>

namespace plat::report {

namespace {

std::string generalNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string generalCurrency(std::int64_t scaled) {
    // Up to four decimals, trailing zeros dropped, as a general number shows money.
    std::string digits = text::formatCurrency(scaled, "0.0000");
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
    return digits;
}

std::string generalDate(const text::DateTime& d) {
    if (d.hour == 0 && d.minute == 0 && d.second == 0)
        return text::formatDate(d, "yyyy/mm/dd");
    return text::formatDate(d, "yyyy/mm/dd hh:nn:ss");
}

bool readsAsNumber(const std::string& s, double& out) {
    if (s.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size();
}

void replaceAll(std::string& s, std::string_view from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

} // namespace

std::string displayText(const Value& value, std::string_view format) {
    switch (value.type()) {
    case Value::Type::Null:
        return {};
    case Value::Type::Number:
        return format.empty() ? generalNumber(value.asNumber())
                              : text::formatNumber(value.asNumber(), format);
    case Value::Type::Currency:
        return format.empty() ? generalCurrency(value.asCurrencyScaled())
                              : text::formatCurrency(value.asCurrencyScaled(), format);
    case Value::Type::Date:
        return format.empty() ? generalDate(value.asDate())
                              : text::formatDate(value.asDate(), format);
    case Value::Type::Text: {
        const std::string& s = value.asText();
        if (format.empty())
            return s;
        double number = 0;
        if (readsAsNumber(s, number))
            return text::formatNumber(number, format);
        if (auto d = text::parseCanonical(s))
            return text::formatDate(*d, format);
        return s;
    }
    }
    return {};
}

std::string pageFieldText(PageField pageField, std::string_view format, int page, int pageCount) {
    switch (pageField) {
    case PageField::PageNumber:
        return format.empty() ? std::to_string(page) : text::formatNumber(page, format);
    case PageField::PageCount:
        return format.empty() ? std::to_string(pageCount) : text::formatNumber(pageCount, format);
    case PageField::PageOfPages: {
        std::string s(format.empty() ? std::string_view("%1／%2") : format);
        replaceAll(s, "%1", std::to_string(page));
        replaceAll(s, "%2", std::to_string(pageCount));
        return s;
    }
    case PageField::None:
        break;
    }
    return {};
}

} // namespace plat::report
