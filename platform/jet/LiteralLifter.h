// Internal: turns the literals of a translated INSERT, UPDATE or DELETE into parameters, so
// statements that differ only in their values share one prepared statement.
#pragma once

#include "platform/jet/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::jet {

struct LiftedSql {
    std::string shape;         // the statement with each literal replaced by '?' ($1, $2, …
                               // for PostgreSQL)
    std::vector<Value> values; // the literals in order: Long, Double or Text
};

// Nothing is lifted (nullopt) from other statements, or when a statement holds a nested
// SELECT, ORDER BY / LIMIT, comments or parameters of its own: there a literal's meaning may
// depend on its being a literal.
// For PostgreSQL SQL (`postgres`), "::" casts are copied as they stand.
std::optional<LiftedSql> liftLiterals(std::string_view sql, bool postgres = false);

} // namespace plat::jet
