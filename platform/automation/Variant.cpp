// The classic conversions between automation values' types (construction and access are in
// VariantAccess.cpp).
#include "platform/automation/Variant.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/Unicode.h"
#include "platform/text/Ascii.h"
#include "platform/text/DateTime.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace plat::automation {

namespace {

[[noreturn]] void overflow() {
    raise(AutomationError::overflow());
}
[[noreturn]] void mismatch() {
    raise(AutomationError::typeMismatch());
}
[[noreturn]] void nullUse() {
    raise(AutomationError::invalidUseOfNull());
}

// Dates the conversions accept: 0100-01-01 .. 9999-12-31 23:59:59.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999;

// The default member of an object may itself be an object; stop after a few steps.
constexpr int kMaxDefaultMemberDepth = 8;

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A number read from text, exactly: value = (negative ? -1 : 1) * digits * 10^exp10.
struct DecimalText {
    bool negative = false;
    std::string digits; // no leading zeros needed; may be empty for zero
    int exp10 = 0;
};

// "&H..." or "&O...": a value up to &HFFFF is a 16-bit value, a larger one (up to &HFFFFFFFF)
// a 32-bit value, each sign-extended as the classic literals are.
std::optional<std::int32_t> parseRadix(std::u16string_view s) {
    if (s.size() < 3 || s[0] != u'&')
        return std::nullopt;
    const char16_t k = s[1];
    const int radix = (k == u'H' || k == u'h') ? 16 : (k == u'O' || k == u'o') ? 8 : 0;
    if (radix == 0)
        return std::nullopt;
    std::uint64_t v = 0;
    for (std::size_t i = 2; i < s.size(); ++i) {
        const char16_t c = s[i];
        const int d = plat::text::hexDigitValue(c);
        if (d < 0 || d >= radix)
            return std::nullopt;
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (v <= 0xFFFF)
        return static_cast<std::int32_t>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::optional<DecimalText> parseDecimal(std::u16string_view s) {
    DecimalText d;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        d.negative = s[i] == u'-';
        ++i;
    }
    bool anyDigit = false;
    bool lastWasDigit = false;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= u'0' && c <= u'9') {
            d.digits.push_back(static_cast<char>(c));
            anyDigit = lastWasDigit = true;
        } else if (c == u',' && lastWasDigit && i + 1 < s.size() && s[i + 1] >= u'0' &&
                   s[i + 1] <= u'9') {
            lastWasDigit = false; // digit grouping
        } else {
            break;
        }
    }
    if (i < s.size() && s[i] == u'.') {
        ++i;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            d.digits.push_back(static_cast<char>(s[i]));
            --d.exp10;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            negExp = s[i] == u'-';
            ++i;
        }
        if (i >= s.size())
            return std::nullopt;
        int e = 0;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            if (e < 100000)
                e = e * 10 + (s[i] - u'0');
        }
        d.exp10 += negExp ? -e : e;
    }
    if (i != s.size())
        return std::nullopt;
    // Strip leading zeros so the digit count says the magnitude.
    const auto nz = d.digits.find_first_not_of('0');
    d.digits = nz == std::string::npos ? std::string() : d.digits.substr(nz);
    return d;
}

double decimalToDouble(const DecimalText& d) {
    if (d.digits.empty())
        return 0.0;
    std::string text = d.digits + "e" + std::to_string(d.exp10);
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is reported.
        if (static_cast<long>(d.digits.size()) + d.exp10 < 0)
            return 0.0;
        overflow();
    }
    return d.negative ? -v : v;
}

// Half-to-even rounding of a fixed-point quotient: q = trunc(n / div), r = n % div.
std::int64_t roundHalfEven(std::int64_t n, std::int64_t div) {
    std::int64_t q = n / div;
    const std::int64_t r = n % div;
    const std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > div || (twice == div && (q % 2 != 0)))
        q += (n < 0) ? -1 : 1;
    return q;
}

Currency decimalToCurrency(const DecimalText& d) {
    // scaled = digits * 10^(exp10 + 4), half-to-even on the dropped digits.
    const int shift = d.exp10 + 4;
    std::string digits = d.digits;
    std::string dropped;
    if (shift >= 0) {
        digits.append(static_cast<std::size_t>(shift), '0');
    } else {
        const auto cut = static_cast<std::size_t>(-shift);
        if (cut >= digits.size()) {
            dropped = std::string(cut - digits.size(), '0') + digits;
            digits.clear();
        } else {
            dropped = digits.substr(digits.size() - cut);
            digits = digits.substr(0, digits.size() - cut);
        }
    }
    if (digits.size() > 19)
        overflow();
    unsigned long long v = 0;
    for (char c : digits)
        v = v * 10 + static_cast<unsigned>(c - '0');
    if (!dropped.empty()) {
        const char first = dropped[0];
        const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string::npos;
        if (first > '5' || (first == '5' && (restNonZero || (v % 2 == 1))))
            ++v;
    }
    const unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()) +
        (d.negative ? 1u : 0u);
    if (v > limit)
        overflow();
    if (d.negative)
        return Currency{static_cast<std::int64_t>(0 - v)};
    return Currency{static_cast<std::int64_t>(v)};
}

std::int64_t roundToInteger(double v, double lo, double hi) {
    if (std::isnan(v))
        overflow();
    const double r = std::nearbyint(v); // the default rounding mode: half to even
    if (r < lo || r > hi)
        overflow();
    return static_cast<std::int64_t>(r);
}

std::u16string fromAscii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

// Shortest decimal text with at most `digits` significant digits: "0.1", "1E+20", "1.5E-07".
std::u16string formatFloat(double v, int digits) {
    if (v == 0.0)
        return u"0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    std::string s = buf;
    // %G keeps a trailing ".0..." only with '#'; nothing to trim but the exponent's form.
    const auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        const char sign = exp[0];
        exp = exp.substr(1);
        while (exp.size() > 2 && exp[0] == '0')
            exp.erase(0, 1);
        s = mant + "E" + sign + exp;
    }
    return fromAscii(s);
}

std::u16string formatCurrency(Currency c) {
    const bool neg = c.scaled < 0;
    const unsigned long long mag = neg ? 0ull - static_cast<unsigned long long>(c.scaled)
                                       : static_cast<unsigned long long>(c.scaled);
    std::string s = std::to_string(mag / 10000);
    unsigned long long frac = mag % 10000;
    if (frac != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04llu", frac);
        std::string f = buf;
        while (!f.empty() && f.back() == '0')
            f.pop_back();
        s += "." + f;
    }
    return fromAscii((neg ? "-" : "") + s);
}

std::u16string formatDate(Date d) {
    const plat::text::DateTime t = plat::text::fromSerial(d.serial);
    char buf[64];
    const double dayPart = std::floor(d.serial);
    const bool hasTime = t.hour != 0 || t.minute != 0 || t.second != 0;
    if (dayPart == 0.0 && d.serial >= 0.0) {
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d", t.hour, t.minute, t.second);
    } else if (hasTime) {
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %d:%02d:%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
    } else {
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", t.year, t.month, t.day);
    }
    return fromAscii(buf);
}

// A date text as the text helpers read it (with or without a time), or a time "h:mm[:ss]"
// alone.
std::optional<double> serialOfDateText(std::u16string_view s) {
    std::string ascii;
    for (char16_t c : s) {
        if (c > 0x7F)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    if (ascii.find('/') == std::string::npos && ascii.find('-') == std::string::npos) {
        // A time alone: h:mm or h:mm:ss.
        int parts[3] = {0, 0, 0};
        int count = 0;
        std::size_t i = 0;
        while (count < 3) {
            const std::size_t start = i;
            int v = 0;
            while (i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9' && i - start < 2)
                v = v * 10 + (ascii[i++] - '0');
            if (i == start)
                return std::nullopt;
            parts[count++] = v;
            if (i == ascii.size() || ascii[i] != ':')
                break;
            ++i;
        }
        if (i != ascii.size() || count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
            return std::nullopt;
        return (parts[0] * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
    }
    const auto dt = plat::text::parseDateText(ascii);
    if (!dt)
        return std::nullopt;
    return plat::text::toSerial(*dt);
}

// Number of a string for the numeric conversions: decimal, &H/&O, True/False.
std::optional<DecimalText> numberOfText(std::u16string_view raw) {
    const auto s = trimmed(raw);
    if (auto r = parseRadix(s)) {
        DecimalText d;
        const std::int64_t v = *r;
        d.negative = v < 0;
        d.digits = std::to_string(v < 0 ? -v : v);
        if (d.digits == "0")
            d.digits.clear();
        return d;
    }
    if (plat::text::equalsNoCase(s, "true"))
        return DecimalText{true, "1", 0};
    if (plat::text::equalsNoCase(s, "false"))
        return DecimalText{};
    return parseDecimal(s);
}

} // namespace

// ---- Conversions ------------------------------------------------------------------------

namespace {

// The value of an object's default member, or a type mismatch.
Variant defaultValue(const std::shared_ptr<Dispatch>& obj) {
    if (!obj)
        mismatch();
    Variant result;
    AutomationError err;
    if (obj->invoke(dispid::Value, InvokeKind::PropertyGet, {}, result, err) != status::Ok)
        mismatch();
    return result;
}

// The scalar behind a value: objects replaced by their default member.
const Variant& scalarOf(const Variant& v, Variant& holder) {
    const Variant* cur = &v.deref();
    for (int depth = 0; cur->type() == VarType::Object; ++depth) {
        if (depth >= kMaxDefaultMemberDepth)
            mismatch();
        holder = defaultValue(cur->asObject());
        cur = &holder.deref();
    }
    return *cur;
}

} // namespace

double Variant::toDouble() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Empty:
        return 0.0;
    case VarType::Null:
        nullUse();
    case VarType::Bool:
        return v.asBool() ? -1.0 : 0.0;
    case VarType::Short:
        return v.asShort();
    case VarType::Long:
        return v.asLong();
    case VarType::Single:
        return v.asSingle();
    case VarType::Double:
        return v.asDouble();
    case VarType::Currency:
        return v.asCurrency().toDouble();
    case VarType::Date:
        return v.asDate().serial;
    case VarType::String: {
        const auto d = numberOfText(v.asString());
        if (!d)
            mismatch();
        return decimalToDouble(*d);
    }
    default:
        mismatch();
    }
}

std::int16_t Variant::toShort() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Short:
        return v.asShort();
    case VarType::Bool:
        return v.asBool() ? -1 : 0;
    case VarType::Currency: {
        const std::int64_t r = roundHalfEven(v.asCurrency().scaled, Currency::kScale);
        if (r < -32768 || r > 32767)
            overflow();
        return static_cast<std::int16_t>(r);
    }
    default:
        return static_cast<std::int16_t>(roundToInteger(v.toDouble(), -32768.0, 32767.0));
    }
}

std::int32_t Variant::toLong() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Short:
        return v.asShort();
    case VarType::Long:
        return v.asLong();
    case VarType::Bool:
        return v.asBool() ? -1 : 0;
    case VarType::Currency: {
        const std::int64_t r = roundHalfEven(v.asCurrency().scaled, Currency::kScale);
        if (r < std::numeric_limits<std::int32_t>::min() ||
            r > std::numeric_limits<std::int32_t>::max())
            overflow();
        return static_cast<std::int32_t>(r);
    }
    default:
        return static_cast<std::int32_t>(roundToInteger(v.toDouble(), -2147483648.0, 2147483647.0));
    }
}

float Variant::toSingle() const {
    const double d = toDouble();
    if (std::isfinite(d) && std::fabs(d) > static_cast<double>(FLT_MAX))
        overflow();
    return static_cast<float>(d);
}

bool Variant::toBool() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Bool:
        return v.asBool();
    case VarType::Currency:
        return v.asCurrency().scaled != 0;
    case VarType::String: {
        const auto s = trimmed(v.asString());
        if (plat::text::equalsNoCase(s, "true"))
            return true;
        if (plat::text::equalsNoCase(s, "false"))
            return false;
        return v.toDouble() != 0.0;
    }
    default:
        return v.toDouble() != 0.0;
    }
}

Currency Variant::toCurrency() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Currency:
        return v.asCurrency();
    case VarType::Short:
        return Currency::fromUnits(v.asShort());
    case VarType::Long:
        return Currency::fromUnits(v.asLong());
    case VarType::Bool:
        return Currency::fromUnits(v.asBool() ? -1 : 0);
    case VarType::String: {
        const auto d = numberOfText(v.asString());
        if (!d)
            mismatch();
        return decimalToCurrency(*d);
    }
    default: {
        const double d = v.toDouble() * Currency::kScale;
        if (std::isnan(d) || d >= 9.2233720368547758e18 || d < -9.2233720368547758e18)
            overflow();
        return Currency{static_cast<std::int64_t>(std::nearbyint(d))};
    }
    }
}

Date Variant::toDate() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    if (v.type() == VarType::Date)
        return v.asDate();
    if (v.type() == VarType::String) {
        const auto s = trimmed(v.asString());
        if (const auto serial = serialOfDateText(s))
            return Date{*serial};
        if (!numberOfText(s))
            mismatch();
    }
    const double d = v.toDouble();
    if (std::isnan(d) || d < kMinDate || d > kMaxDate)
        overflow();
    return Date{d};
}

std::u16string Variant::toString() const {
    Variant holder;
    const Variant& v = scalarOf(*this, holder);
    switch (v.type()) {
    case VarType::Empty:
        return {};
    case VarType::Null:
        nullUse();
    case VarType::Bool:
        return v.asBool() ? u"True" : u"False";
    case VarType::Short:
        return fromAscii(std::to_string(v.asShort()));
    case VarType::Long:
        return fromAscii(std::to_string(v.asLong()));
    case VarType::Single:
        return formatFloat(v.asSingle(), 7);
    case VarType::Double:
        return formatFloat(v.asDouble(), 15);
    case VarType::Currency:
        return formatCurrency(v.asCurrency());
    case VarType::Date:
        return formatDate(v.asDate());
    case VarType::String:
        return v.asString();
    default:
        mismatch();
    }
}

std::string Variant::toUtf8() const {
    return plat::automation::toUtf8(toString());
}

Variant Variant::convertedTo(VarType t) const {
    const Variant& v = deref();
    switch (t) {
    case VarType::Variant:
        return v;
    case VarType::Empty:
        return Variant();
    case VarType::Null:
        return Variant::null();
    case VarType::Bool:
        return Variant(v.toBool());
    case VarType::Short:
        return Variant(v.toShort());
    case VarType::Long:
        return Variant(v.toLong());
    case VarType::Single:
        return Variant(v.toSingle());
    case VarType::Double:
        return Variant(v.toDouble());
    case VarType::Currency:
        return Variant(v.toCurrency());
    case VarType::Date:
        return Variant(v.toDate());
    case VarType::String:
        return Variant(v.toString());
    case VarType::Object:
        if (v.type() == VarType::Object)
            return v;
        mismatch();
    case VarType::Error:
        if (v.type() == VarType::Error)
            return v;
        mismatch();
    default:
        mismatch();
    }
}

Status Variant::tryConvert(VarType t, Variant& out, AutomationError* error) const noexcept {
    try {
        out = convertedTo(t);
        return status::Ok;
    } catch (const AutomationException& e) {
        if (error)
            *error = e.error();
        return e.error().status;
    } catch (...) {
        return status::Fail;
    }
}

std::string_view typeName(VarType t) {
    switch (t) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::Short:
        return "Integer";
    case VarType::Long:
        return "Long";
    case VarType::Single:
        return "Single";
    case VarType::Double:
        return "Double";
    case VarType::Currency:
        return "Currency";
    case VarType::Date:
        return "Date";
    case VarType::String:
        return "String";
    case VarType::Object:
        return "Object";
    case VarType::Error:
        return "Error";
    case VarType::Bool:
        return "Boolean";
    case VarType::Variant:
        return "Variant";
    case VarType::Void:
        return "Void";
    }
    return "?";
}

} // namespace plat::automation
