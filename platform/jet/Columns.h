// Internal: reading and binding values by column kind, the kind taken from a column's
// declared type (DATETIME…, CURRENCY…, INTEGER, REAL, TEXT).
#pragma once

#include "platform/jet/Value.h"

#include <sqlite3.h>

namespace plat::jet {

enum class ColumnKind { Any, Long, Real, Currency, Date, Text };

ColumnKind kindOfDeclaredType(const char* declType);
Value readColumn(sqlite3_stmt* stmt, int index, ColumnKind kind);
void bindValue(sqlite3_stmt* stmt, int index, const Value& value);
// The value as the column stores it; raises err::TypeMismatch when it cannot be converted.
Value coerce(ColumnKind kind, const Value& value);

} // namespace plat::jet
