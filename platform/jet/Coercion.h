// Internal: the rules both engines share when a value is read as a number or stored in a date
// column.
#pragma once

#include "platform/jet/Value.h"

#include <string>

namespace plat::jet {

// True when the text is a number with nothing but spaces around it; `out` takes its value.
bool isNumberText(const std::string& s, double& out);
// The value as a date column stores it: a date as it is, canonical date text as its date;
// raises err::TypeMismatch for anything else. Null is the caller's to pass through.
Value coerceToDate(const Value& value);

enum class NumberKind { Long, Real, Currency };
// The value as a number column of that kind stores it: a number, or number text, converted;
// raises err::TypeMismatch for a date or other text. Null is the caller's to pass through.
Value coerceToNumber(const Value& value, NumberKind kind);

} // namespace plat::jet
