// Internal: turns the literals of an INSERT, UPDATE or DELETE into parameters, so statements
// that differ only in their values share one prepared statement (and one translation).
#pragma once

#include "platform/jet/SqlDialect.h"
#include "platform/jet/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::jet {

struct LiftedSql {
    std::string shape;         // the statement with each literal replaced by '?' ($1, $2, …
                               // for PostgreSQL)
    std::vector<Value> values; // the literals in order: Long, Double or Text
};

// The literals of a statement text of the system's dialect (SqlDialect.h), before translation:
// 'single-' and "double-quoted" strings, numbers, and #dates# (each as its canonical text,
// followed by "::timestamp" for the server); [bracketed] names are copied. Translating the
// shape then gives what the whole statement translates to, with placeholders where its literals
// stood.
// Nothing is lifted (nullopt) from statements other than INSERT, UPDATE, DELETE and REPLACE, or
// when a statement holds a nested SELECT, ORDER BY / LIMIT, comments or parameters of its own
// (there a literal's meaning may depend on its being a literal), a date that does not read as
// one, or a function whose translation depends on its literals.
std::optional<LiftedSql> liftLiterals(std::string_view dialectSql, SqlEngine engine);

// One connection's translations of statement shapes: statements that differ only in their
// literals are translated once.
class ShapeTranslations {
public:
    explicit ShapeTranslations(SqlEngine engine) : engine_(engine) {}
    // The statement's literals and its shape translated for the engine, or nullopt where
    // liftLiterals lifts nothing.
    std::optional<LiftedSql> lift(std::string_view dialectSql);

private:
    static constexpr std::size_t kLimit = 256; // shapes kept before the cache starts over
    SqlEngine engine_;
    std::unordered_map<std::string, std::string> translated_;
};

} // namespace plat::jet
