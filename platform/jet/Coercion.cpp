// The number and date rules of value coercion, shared by the file and the server engine.
#include "platform/jet/Coercion.h"

#include "platform/jet/Error.h"

#include <cstdlib>

namespace plat::jet {

bool isNumberText(const std::string& s, double& out) {
    const char* b = s.c_str();
    while (*b == ' ')
        ++b;
    if (!*b)
        return false;
    char* end = nullptr;
    out = std::strtod(b, &end);
    while (*end == ' ')
        ++end;
    return *end == '\0';
}

Value coerceToDate(const Value& value) {
    const ValueType t = value.type();
    if (t == ValueType::Date)
        return value;
    if (t == ValueType::Text) {
        if (auto p = plat::text::parseCanonical(value.toText()))
            return Value(*p);
    }
    throw Error(err::TypeMismatch, value.toText());
}

Value coerceToNumber(const Value& value, NumberKind kind) {
    const ValueType t = value.type();
    double d = 0;
    if (t == ValueType::Date || (t == ValueType::Text && !isNumberText(value.toText(), d)))
        throw Error(err::TypeMismatch, value.toText());
    switch (kind) {
    case NumberKind::Long:
        return Value(value.toLong());
    case NumberKind::Real:
        return Value(value.toDouble());
    case NumberKind::Currency:
        break;
    }
    return Value(value.toCurrency());
}

} // namespace plat::jet
