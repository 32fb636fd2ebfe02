// One pass over SQLite SQL: literals out, '?' in; words, quoted names and operators copied.
#include "platform/jet/LiteralLifter.h"

#include "platform/text/Ascii.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace plat::jet {

namespace {

using plat::text::isSqlWordChar;

std::string upper(std::string_view w) {
    std::string u(w);
    for (char& c : u)
        c = plat::text::asciiUpper(c);
    return u;
}

bool isDigit(char c) {
    return plat::text::isAsciiDigit(c);
}

std::size_t skipDigits(std::string_view sql, std::size_t j) {
    while (j < sql.size() && isDigit(sql[j]))
        ++j;
    return j;
}

// The literal's placeholder: '?' for SQLite, "$n" (n counting the values so far) for PostgreSQL.
void markValue(LiftedSql& out, bool postgres) {
    if (postgres)
        out.shape += '$' + std::to_string(out.values.size());
    else
        out.shape += '?';
}

// The string literal opening at sql[i] (a doubled quote read as one) taken as a value; the
// position after its closing quote, or nullopt when it is unterminated (the engine reports that).
std::optional<std::size_t> liftString(std::string_view sql, std::size_t i, LiftedSql& out) {
    std::string text;
    std::size_t j = i + 1;
    for (;;) {
        if (j >= sql.size())
            return std::nullopt;
        if (sql[j] == '\'') {
            if (j + 1 < sql.size() && sql[j + 1] == '\'') {
                text += '\'';
                j += 2;
                continue;
            }
            break;
        }
        text += sql[j++];
    }
    out.values.emplace_back(std::move(text));
    return j + 1;
}

bool startsNumber(std::string_view sql, std::size_t i) {
    return isDigit(sql[i]) || (sql[i] == '.' && i + 1 < sql.size() && isDigit(sql[i + 1]));
}

// The number starting at sql[i] taken as a value: a Long, or a Double when it has a fraction or
// an exponent. Its end, or nullopt for a hex or malformed number and for an integer too large
// for a Long (the engine reads that as a real number).
std::optional<std::size_t> liftNumber(std::string_view sql, std::size_t i, LiftedSql& out) {
    bool real = false;
    std::size_t j = skipDigits(sql, i);
    if (j < sql.size() && sql[j] == '.') {
        real = true;
        j = skipDigits(sql, j + 1);
    }
    if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
        real = true;
        ++j;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-'))
            ++j;
        j = skipDigits(sql, j);
    }
    if (j < sql.size() && isSqlWordChar(sql[j]))
        return std::nullopt;
    const std::string text(sql.substr(i, j - i));
    errno = 0;
    if (real) {
        out.values.emplace_back(std::strtod(text.c_str(), nullptr));
    } else {
        const long long v = std::strtoll(text.c_str(), nullptr, 10);
        if (errno == ERANGE)
            return std::nullopt;
        out.values.emplace_back(static_cast<std::int64_t>(v));
    }
    return j;
}

// Whether the word may stand where it does: the statement's first word is INSERT, UPDATE,
// DELETE or REPLACE, and no word opens a nested SELECT, an ORDER BY or a LIMIT.
bool wordAllowed(const std::string& upperWord, bool first) {
    if (first && upperWord != "INSERT" && upperWord != "UPDATE" && upperWord != "DELETE" &&
        upperWord != "REPLACE")
        return false;
    return upperWord != "SELECT" && upperWord != "ORDER" && upperWord != "LIMIT";
}

// Parameters of the statement's own, and comments, stop the lifting.
bool stopsLifting(std::string_view sql, std::size_t i) {
    const char c = sql[i];
    const bool next = i + 1 < sql.size();
    return c == '?' || c == ':' || c == '@' || c == '$' || c == '[' ||
           (c == '-' && next && sql[i + 1] == '-') || (c == '/' && next && sql[i + 1] == '*');
}

} // namespace

std::optional<LiftedSql> liftLiterals(std::string_view sql, bool postgres) {
    LiftedSql out;
    out.shape.reserve(sql.size());
    bool first = true;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || startsNumber(sql, i)) {
            const auto next = c == '\'' ? liftString(sql, i, out) : liftNumber(sql, i, out);
            if (!next)
                return std::nullopt;
            markValue(out, postgres);
            i = *next;
        } else if (c == '"' || c == '`') {
            const std::size_t j = sql.find(c, i + 1);
            if (j == std::string_view::npos)
                return std::nullopt;
            out.shape.append(sql.substr(i, j + 1 - i));
            i = j + 1;
        } else if (isSqlWordChar(c)) {
            std::size_t j = i;
            while (j < sql.size() && isSqlWordChar(sql[j]))
                ++j;
            if (!wordAllowed(upper(sql.substr(i, j - i)), first))
                return std::nullopt;
            first = false;
            out.shape.append(sql.substr(i, j - i));
            i = j;
        } else if (postgres && c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
            out.shape += "::";
            i += 2;
        } else if (stopsLifting(sql, i)) {
            return std::nullopt;
        } else {
            out.shape += c;
            ++i;
        }
    }
    if (first)
        return std::nullopt;
    return out;
}

} // namespace plat::jet
