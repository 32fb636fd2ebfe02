// Column kinds: how a stored value reads back (dates from canonical text, currency rounded to
// four decimals) and how a value is bound.
#include "platform/jet/Columns.h"

#include "platform/jet/Coercion.h"
#include "platform/jet/Error.h"

#include <cctype>
#include <string>

namespace plat::jet {

namespace {
std::string upper(const char* s) {
    std::string u;
    for (; s && *s; ++s)
        u += static_cast<char>(std::toupper(static_cast<unsigned char>(*s)));
    return u;
}
} // namespace

ColumnKind kindOfDeclaredType(const char* declType) {
    if (!declType)
        return ColumnKind::Any;
    const std::string t = upper(declType);
    if (t.rfind("DATETIME", 0) == 0)
        return ColumnKind::Date;
    if (t.rfind("CURRENCY", 0) == 0)
        return ColumnKind::Currency;
    if (t.find("INT") != std::string::npos)
        return ColumnKind::Long;
    if (t.find("CHAR") != std::string::npos || t.find("TEXT") != std::string::npos ||
        t.find("CLOB") != std::string::npos)
        return ColumnKind::Text;
    if (t.find("REAL") != std::string::npos || t.find("FLOA") != std::string::npos ||
        t.find("DOUB") != std::string::npos || t.find("SINGLE") != std::string::npos)
        return ColumnKind::Real;
    return ColumnKind::Any;
}

Value readColumn(sqlite3_stmt* stmt, int index, ColumnKind kind) {
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER: {
        const auto v = static_cast<std::int64_t>(sqlite3_column_int64(stmt, index));
        if (kind == ColumnKind::Currency)
            return Value(Currency::fromUnits(v));
        if (kind == ColumnKind::Real)
            return Value(static_cast<double>(v));
        return Value(v);
    }
    case SQLITE_FLOAT: {
        const double v = sqlite3_column_double(stmt, index);
        if (kind == ColumnKind::Currency)
            return Value(Currency::fromDouble(v));
        return Value(v);
    }
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
        std::string s(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, index)));
        if (kind == ColumnKind::Date) {
            if (auto d = plat::text::parseCanonical(s))
                return Value(*d);
        }
        return Value(std::move(s));
    }
    }
}

void bindValue(sqlite3_stmt* stmt, int index, const Value& value) {
    switch (value.type()) {
    case ValueType::Null:
        sqlite3_bind_null(stmt, index);
        break;
    case ValueType::Long:
        sqlite3_bind_int64(stmt, index, value.toLong());
        break;
    case ValueType::Double:
    case ValueType::Currency:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    case ValueType::Date:
    case ValueType::Text: {
        const std::string s = value.toText();
        sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

Value coerce(ColumnKind kind, const Value& value) {
    if (value.isNull())
        return value;
    switch (kind) {
    case ColumnKind::Any:
        return value;
    case ColumnKind::Text:
        return Value(value.toText());
    case ColumnKind::Date:
        return coerceToDate(value);
    case ColumnKind::Long:
        return coerceToNumber(value, NumberKind::Long);
    case ColumnKind::Real:
        return coerceToNumber(value, NumberKind::Real);
    case ColumnKind::Currency:
        return coerceToNumber(value, NumberKind::Currency);
    }
    return value;
}

} // namespace plat::jet
