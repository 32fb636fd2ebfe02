// One pass over a statement text: literals out, placeholders in; words, quoted names and
// operators copied.
#include "platform/jet/LiteralLifter.h"

#include "platform/jet/SqlDialect.h"
#include "platform/text/Ascii.h"
#include "platform/text/DateTime.h"

#include <charconv>

namespace plat::jet {

namespace {

using plat::text::equalsNoCase;
using plat::text::isSqlWordChar;

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
    if (!postgres) {
        out.shape += '?';
        return;
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, out.values.size()).ptr;
    out.shape += '$';
    out.shape.append(digits, end);
}

// The string literal opening at sql[i] with the quote found there (a doubled quote read as one)
// taken as a value; the position after its closing quote, or nullopt when it is unterminated
// (the engine reports that).
std::optional<std::size_t> liftString(std::string_view sql, std::size_t i, LiftedSql& out) {
    const char quote = sql[i];
    std::string text;
    std::size_t j = i + 1;
    for (;;) {
        const std::size_t close = sql.find(quote, j);
        if (close == std::string_view::npos)
            return std::nullopt;
        text.append(sql.substr(j, close - j));
        if (close + 1 < sql.size() && sql[close + 1] == quote) {
            text += quote;
            j = close + 2;
            continue;
        }
        j = close + 1;
        break;
    }
    out.values.emplace_back(std::move(text));
    return j;
}

// A dialect date literal #…# taken as its canonical text; the server reads it as a timestamp.
// Nullopt for one that does not read as a date (the engine reports that).
std::optional<std::size_t> liftDate(std::string_view sql, std::size_t i, LiftedSql& out,
                                    bool postgres) {
    const std::size_t close = sql.find('#', i + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    const auto date = plat::text::parseDateText(sql.substr(i + 1, close - i - 1));
    if (!date)
        return std::nullopt;
    out.values.emplace_back(plat::text::toCanonical(*date));
    markValue(out, postgres);
    if (postgres)
        out.shape += "::timestamp";
    return close + 1;
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
    const char* first = sql.data() + i;
    const char* last = sql.data() + j;
    if (real) {
        double v = 0;
        if (std::from_chars(first, last, v).ec != std::errc{})
            return std::nullopt; // beyond a double: the engine reports it
        out.values.emplace_back(v);
    } else {
        std::int64_t v = 0;
        if (std::from_chars(first, last, v).ec != std::errc{})
            return std::nullopt;
        out.values.emplace_back(v);
    }
    return j;
}

// Whether the word may stand where it does: the statement's first word is INSERT, UPDATE,
// DELETE or REPLACE, and no word opens a nested SELECT, an ORDER BY or a LIMIT.
// A function whose translation reads its literal arguments (datetime('now','localtime')) stops
// the lifting too.
bool wordAllowed(std::string_view word, bool first) {
    if (first && !equalsNoCase(word, "INSERT") && !equalsNoCase(word, "UPDATE") &&
        !equalsNoCase(word, "DELETE") && !equalsNoCase(word, "REPLACE"))
        return false;
    if (translationReadsLiterals(word))
        return false;
    return !equalsNoCase(word, "SELECT") && !equalsNoCase(word, "ORDER") &&
           !equalsNoCase(word, "LIMIT");
}

// Parameters of the statement's own, comments, and a backquote (not the dialect's, and the
// translation reads no name in it) stop the lifting.
bool stopsLifting(std::string_view sql, std::size_t i) {
    const char c = sql[i];
    const bool next = i + 1 < sql.size();
    return c == '?' || c == ':' || c == '@' || c == '$' || c == '`' ||
           (c == '-' && next && sql[i + 1] == '-') || (c == '/' && next && sql[i + 1] == '*');
}

// The end of a bracketed name opening at sql[i], or npos when unterminated.
std::size_t nameEnd(std::string_view sql, std::size_t i) {
    const std::size_t close = sql.find(']', i + 1);
    return close == std::string_view::npos ? close : close + 1;
}

// The text between literals is copied to the shape in whole runs.
std::optional<LiftedSql> lift(std::string_view sql, bool postgres) {
    LiftedSql out;
    out.shape.reserve(sql.size());
    out.values.reserve(48);
    bool first = true;
    std::size_t copied = 0; // the text before this is in the shape
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || c == '#' || startsNumber(sql, i)) {
            out.shape.append(sql.substr(copied, i - copied));
            const auto next = c == '#'                ? liftDate(sql, i, out, postgres)
                              : c == '\'' || c == '"' ? liftString(sql, i, out)
                                                      : liftNumber(sql, i, out);
            if (!next)
                return std::nullopt;
            if (c != '#')
                markValue(out, postgres);
            i = copied = *next;
        } else if (c == '[') {
            i = nameEnd(sql, i);
            if (i == std::string_view::npos)
                return std::nullopt;
        } else if (isSqlWordChar(c)) {
            std::size_t j = i;
            while (j < sql.size() && isSqlWordChar(sql[j]))
                ++j;
            if (!wordAllowed(sql.substr(i, j - i), first))
                return std::nullopt;
            first = false;
            i = j;
        } else if (stopsLifting(sql, i)) {
            return std::nullopt;
        } else {
            ++i;
        }
    }
    if (first)
        return std::nullopt;
    out.shape.append(sql.substr(copied));
    return out;
}

} // namespace

std::optional<LiftedSql> liftLiterals(std::string_view dialectSql, SqlEngine engine) {
    return lift(dialectSql, engine == SqlEngine::Postgres);
}

std::optional<LiftedSql> ShapeTranslations::lift(std::string_view dialectSql) {
    std::optional<LiftedSql> lifted = liftLiterals(dialectSql, engine_);
    if (!lifted)
        return std::nullopt;
    auto it = translated_.find(lifted->shape);
    if (it == translated_.end()) {
        if (translated_.size() >= kLimit)
            translated_.clear();
        std::string translation = translateSql(lifted->shape, engine_);
        it = translated_.emplace(std::move(lifted->shape), std::move(translation)).first;
    }
    lifted->shape = it->second;
    return lifted;
}

} // namespace plat::jet
