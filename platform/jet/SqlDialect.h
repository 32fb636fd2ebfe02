// Translation of the system's statement texts into the SQL of the engine that runs them (SQLite
// for a database file, PostgreSQL for a database server): a pure function over text.
#pragma once

#include <string>
#include <string_view>

namespace plat::jet {

enum class SqlEngine { Sqlite, Postgres };

// Rewrites, outside string literals only:
//   #2004/04/01#, #4/1/2004#    ->  '2004-04-01 00:00:00' (canonical date text; a time
//                                   part as in #2004/04/01 13:05# is kept)
//   DELETE * FROM       ->  DELETE FROM
//   [name]              ->  "name"
//   "text"              ->  'text'   (double-quoted string literal)
//   a & b               ->  a || b   (text concatenation)
//   Year(x) / Month(x) / Day(x)  ->  the date part of x as an integer
//   a trailing ';'      ->  removed
// Single-quoted literals (with doubled quotes inside) pass through untouched.
//
// For PostgreSQL, further:
//   #2004/04/01#        ->  '2004-04-01 00:00:00'::timestamp
//   [Name]              ->  "name"   (the server folds unquoted names to lower case, so a
//                                     bracketed name means the same column as a bare one)
//   Year(x) / Month(x) / Day(x)  ->  CAST(EXTRACT(YEAR FROM x) AS INTEGER) and so on
//   the schema's declared types: INTEGER PRIMARY KEY AUTOINCREMENT -> an identity column,
//   DATETIME [TEXT] -> TIMESTAMP(0), CURRENCY [REAL] -> NUMERIC(19,4), REAL (hours) -> DOUBLE
//   PRECISION, NOT NULL ON CONFLICT REPLACE -> NOT NULL, datetime('now','localtime') ->
//   LOCALTIMESTAMP(0), ifnull( -> COALESCE(
// The server runs with standard_conforming_strings on, so a backslash in a literal is an
// ordinary character there too, and sqlEscape() serves both engines.
std::string translateSql(std::string_view sql, SqlEngine engine = SqlEngine::Sqlite);
// Whether the word opens a rewrite that depends on the literals after it
// (datetime('now','localtime')): everywhere else translation leaves literals as they are, so a
// statement whose literals became placeholders translates to the same shape.
bool translationReadsLiterals(std::string_view word);

// Doubles every single quote, for text placed between single quotes in a statement.
std::string sqlEscape(std::string_view text);
// sqlEscape() between single quotes: O'Brien -> 'O''Brien'.
std::string sqlQuote(std::string_view text);

} // namespace plat::jet
