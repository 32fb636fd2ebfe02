// Translation of the system's statement texts into SQLite SQL: a pure function over text.
#pragma once

#include <string>
#include <string_view>

namespace plat::jet {

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
std::string translateSql(std::string_view sql);

// Doubles every single quote, for text placed between single quotes in a statement.
std::string sqlEscape(std::string_view text);
// sqlEscape() between single quotes: O'Brien -> 'O''Brien'.
std::string sqlQuote(std::string_view text);

} // namespace plat::jet
