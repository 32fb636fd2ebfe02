// Number display formats: the value becomes decimal digits first, is rounded half away from
// zero on those digits, and is then laid out over the format's digit places.
#include "platform/text/Format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace plat::text {

namespace {

// |value| = 0.digits × 10^exponent; digits holds no leading zero (empty for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal fromDouble(double value, int significant) {
    Decimal d;
    d.negative = std::signbit(value) && value != 0.0;
    if (value == 0.0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    // buf is "d.ddddde±xx"
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    }
    const int exp10 = *p == 'e' ? std::atoi(p + 1) : 0;
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    d.digits = mantissa;
    d.exponent = exp10 + 1;
    return d;
}

Decimal fromScaled(std::int64_t scaled, int decimals) {
    Decimal d;
    d.negative = scaled < 0;
    std::uint64_t magnitude =
        d.negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    if (magnitude == 0)
        return d;
    d.digits = std::to_string(magnitude);
    d.exponent = static_cast<int>(d.digits.size()) - decimals;
    while (d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Integer and fraction digits of |d| rounded half away from zero to `decimals` places.
void roundTo(const Decimal& d, int decimals, std::string& whole, std::string& fraction) {
    std::string digits = d.digits;
    int exponent = d.exponent;
    const int keep = exponent + decimals;
    if (keep < static_cast<int>(digits.size())) {
        const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(std::max(keep, 0)));
        if (up) {
            int i = static_cast<int>(digits.size()) - 1;
            for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
                digits[static_cast<std::size_t>(i)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    whole.clear();
    fraction.clear();
    for (int pos = 0; pos < exponent; ++pos)
        whole +=
            pos < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(pos)] : '0';
    for (int pos = exponent; pos < exponent + decimals; ++pos) {
        const bool inside = pos >= 0 && pos < static_cast<int>(digits.size());
        fraction += inside ? digits[static_cast<std::size_t>(pos)] : '0';
    }
    const auto nonZero = whole.find_first_not_of('0');
    whole = nonZero == std::string::npos ? std::string() : whole.substr(nonZero);
}

enum class Kind { Literal, Digit, Point, Comma, Percent };

struct Token {
    Kind kind;
    std::string text; // the literal text, or "0" / "#" for a digit place
};

// The format's sections split at ';' outside quotes and escapes.
std::vector<std::string_view> splitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && format[i] == '\\') {
            ++i;
        } else if (!quoted && format[i] == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

std::vector<Token> tokenize(std::string_view section) {
    std::vector<Token> tokens;
    auto literal = [&](std::string_view text) {
        if (!tokens.empty() && tokens.back().kind == Kind::Literal)
            tokens.back().text += text;
        else
            tokens.push_back({Kind::Literal, std::string(text)});
    };
    bool seenPoint = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"') {
            const std::size_t end = section.find('"', i + 1);
            const std::size_t stop = end == std::string_view::npos ? section.size() : end;
            literal(section.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '\\') {
            if (i + 1 < section.size())
                literal(section.substr(++i, 1));
        } else if (c == '0' || c == '#') {
            tokens.push_back({Kind::Digit, std::string(1, c)});
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            tokens.push_back({Kind::Point, "."});
        } else if (c == ',') {
            tokens.push_back({Kind::Comma, ","});
        } else if (c == '%') {
            tokens.push_back({Kind::Percent, "%"});
        } else {
            literal(section.substr(i, 1));
        }
    }
    return tokens;
}

std::string groupThousands(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

// A section's tokens and what its digit places ask for.
struct Places {
    std::vector<Token> tokens;
    std::size_t pointAt = 0; // index of the decimal point, or tokens.size()
    std::vector<std::size_t> intPlaces;
    std::vector<std::size_t> fracPlaces;
    bool grouping = false;
    bool percent = false;
};

Places placesOf(std::string_view section) {
    Places p;
    p.tokens = tokenize(section);
    const std::vector<Token>& tokens = p.tokens;
    p.pointAt = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Kind::Point) {
            p.pointAt = i;
            break;
        }
    }
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Kind::Digit)
            (i < p.pointAt ? p.intPlaces : p.fracPlaces).push_back(i);
        else if (tokens[i].kind == Kind::Percent)
            p.percent = true;
    }
    // A comma groups thousands when it stands between digit places of the integer part.
    for (std::size_t i = 0; i < p.pointAt; ++i) {
        if (tokens[i].kind == Kind::Comma && !p.intPlaces.empty() && i > p.intPlaces.front() &&
            i < p.intPlaces.back())
            p.grouping = true;
    }
    return p;
}

// The rounded digits as the places show them: the integer part padded to its '0' places, and
// how many fraction digits are shown.
struct ShownDigits {
    std::string whole;
    std::string fraction;
    std::size_t fracShown = 0;
};

ShownDigits shownDigits(const Decimal& value, const Places& p) {
    Decimal scaled = value;
    if (p.percent && !scaled.digits.empty())
        scaled.exponent += 2;
    ShownDigits d;
    roundTo(scaled, static_cast<int>(p.fracPlaces.size()), d.whole, d.fraction);

    // Digit places from the leftmost '0' of the integer part on are always filled.
    std::size_t minWhole = 0;
    for (std::size_t k = 0; k < p.intPlaces.size(); ++k) {
        if (p.tokens[p.intPlaces[k]].text == "0") {
            minWhole = p.intPlaces.size() - k;
            break;
        }
    }
    if (d.whole.size() < minWhole)
        d.whole.insert(0, minWhole - d.whole.size(), '0');
    // Trailing zeros at '#' places of the fraction are dropped.
    d.fracShown = p.fracPlaces.size();
    while (d.fracShown > 0 && p.tokens[p.fracPlaces[d.fracShown - 1]].text == "#" &&
           d.fraction[d.fracShown - 1] == '0')
        --d.fracShown;
    return d;
}

// Integer digits fill the places from the right; the first place takes any excess. With
// grouping the first place takes the whole grouped text.
std::vector<std::string> wholePlaceTexts(const Places& p, const std::string& whole) {
    std::vector<std::string> intOut(p.intPlaces.size());
    if (p.intPlaces.empty())
        return intOut;
    if (p.grouping) {
        intOut[0] = groupThousands(whole);
        return intOut;
    }
    std::size_t left = whole.size();
    for (std::size_t k = p.intPlaces.size(); k-- > 0;) {
        if (k == 0) {
            intOut[k] = whole.substr(0, left);
        } else if (left > 0) {
            intOut[k] = whole.substr(left - 1, 1);
            --left;
        }
    }
    return intOut;
}

std::string layOut(const Decimal& value, std::string_view section, bool showMinus) {
    const Places p = placesOf(section);
    const ShownDigits d = shownDigits(value, p);

    std::string out;
    const bool isZero =
        d.whole.find_first_not_of('0') == std::string::npos &&
        d.fraction.substr(0, d.fracShown).find_first_not_of('0') == std::string::npos;
    if (showMinus && !isZero)
        out += '-';

    const std::vector<std::string> intOut = wholePlaceTexts(p, d.whole);
    std::size_t intIndex = 0;
    std::size_t fracIndex = 0;
    for (std::size_t i = 0; i < p.tokens.size(); ++i) {
        const Token& t = p.tokens[i];
        switch (t.kind) {
        case Kind::Literal:
        case Kind::Percent:
            out += t.text;
            break;
        case Kind::Point:
            out += '.';
            break;
        case Kind::Comma:
            break;
        case Kind::Digit:
            if (i < p.pointAt) {
                out += intOut[intIndex++];
            } else {
                if (fracIndex < d.fracShown)
                    out += d.fraction[fracIndex];
                ++fracIndex;
            }
            break;
        }
    }
    // A format without any integer place still shows the integer part before the point.
    if (p.intPlaces.empty() && p.pointAt < p.tokens.size() && !d.whole.empty()) {
        const std::size_t at = out.find('.');
        out.insert(at == std::string::npos ? out.size() : at, d.whole);
    }
    return out;
}

// The plain decimal text of a value: no grouping, no trailing zeros.
std::string plainText(const Decimal& d) {
    if (d.digits.empty())
        return "0";
    std::string whole;
    std::string fraction;
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
    roundTo(d, decimals, whole, fraction);
    std::string out = d.negative ? "-" : "";
    out += whole.empty() ? "0" : whole;
    if (!fraction.empty())
        out.append(".").append(fraction);
    return out;
}

std::string format(const Decimal& value, std::string_view format) {
    if (format.empty())
        return plainText(value);
    const std::vector<std::string_view> sections = splitSections(format);
    const bool isZero = value.digits.empty();
    if (isZero && sections.size() >= 3 && !sections[2].empty())
        return layOut(value, sections[2], false);
    if (value.negative && sections.size() >= 2 && !sections[1].empty())
        return layOut(value, sections[1], false);
    return layOut(value, sections[0], value.negative);
}

} // namespace

std::string formatNumber(double value, std::string_view fmt) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    return format(fromDouble(value, 15), fmt);
}

std::string formatSingle(float value, std::string_view fmt) {
    if (std::isnan(value) || std::isinf(value))
        return formatNumber(static_cast<double>(value), fmt);
    return format(fromDouble(static_cast<double>(value), 7), fmt);
}

std::string formatCurrency(std::int64_t scaledBy10000, std::string_view fmt) {
    return format(fromScaled(scaledBy10000, 4), fmt);
}

} // namespace plat::text
