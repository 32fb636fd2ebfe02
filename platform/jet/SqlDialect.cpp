// The statement-text translator: one pass over the text, literals copied untouched, a stack
// of closing texts for the functions rewritten around their argument.
#include "platform/jet/SqlDialect.h"

#include "platform/text/DateTime.h"

#include <cctype>
#include <optional>
#include <vector>

namespace plat::jet {
namespace {

bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0x80;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::size_t skipSpace(std::string_view s, std::size_t i) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

// Reads up to `maxDigits` digits at `i`; -1 when there is none.
int readNumber(std::string_view s, std::size_t& i, std::size_t maxDigits, std::size_t* count) {
    std::size_t start = i;
    int v = 0;
    while (i < s.size() && i - start < maxDigits && std::isdigit(static_cast<unsigned char>(s[i])))
        v = v * 10 + (s[i++] - '0');
    if (count)
        *count = i - start;
    return i == start ? -1 : v;
}

// The text between the # signs: "yyyy/mm/dd" or "m/d/yyyy" (also with '-'), optionally
// followed by " hh:mm" or " hh:mm:ss".
std::optional<plat::text::DateTime> parseDateLiteral(std::string_view s) {
    std::size_t i = skipSpace(s, 0);
    std::size_t n1 = 0, n2 = 0, n3 = 0;
    int a = readNumber(s, i, 4, &n1);
    if (a < 0 || i >= s.size() || (s[i] != '/' && s[i] != '-'))
        return std::nullopt;
    const char sep = s[i++];
    int b = readNumber(s, i, 2, &n2);
    if (b < 0 || i >= s.size() || s[i] != sep)
        return std::nullopt;
    ++i;
    int c = readNumber(s, i, 4, &n3);
    if (c < 0)
        return std::nullopt;
    plat::text::DateTime d;
    if (n1 == 4) {
        d.year = a, d.month = b, d.day = c;
    } else if (n3 == 4) {
        d.month = a, d.day = b, d.year = c;
    } else {
        return std::nullopt;
    }
    d.hour = d.minute = d.second = 0;
    i = skipSpace(s, i);
    if (i < s.size()) {
        int h = readNumber(s, i, 2, nullptr);
        if (h < 0 || i >= s.size() || s[i] != ':')
            return std::nullopt;
        ++i;
        int m = readNumber(s, i, 2, nullptr);
        if (m < 0)
            return std::nullopt;
        int sec = 0;
        if (i < s.size() && s[i] == ':') {
            ++i;
            sec = readNumber(s, i, 2, nullptr);
            if (sec < 0)
                return std::nullopt;
        }
        d.hour = h, d.minute = m, d.second = sec;
        if (skipSpace(s, i) != s.size())
            return std::nullopt;
    }
    if (!plat::text::isValid(d))
        return std::nullopt;
    return d;
}

// Date-part functions: the text that replaces "Name(" and the one that closes it.
struct PartFunction {
    std::string_view name;
    std::string_view open;
    std::string_view close;
};
constexpr PartFunction kPartFunctions[] = {
    {"Year", "CAST(strftime('%Y',", ") AS INTEGER)"},
    {"Month", "CAST(strftime('%m',", ") AS INTEGER)"},
    {"Day", "CAST(strftime('%d',", ") AS INTEGER)"},
};

} // namespace

std::string translateSql(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 16);
    std::vector<std::string_view> closers; // one per open parenthesis
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'') {
            std::size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '\'') {
                    if (j + 1 < sql.size() && sql[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, sql.size());
            out.append(sql.substr(i, j - i));
            i = j;
        } else if (c == '"') {
            // A double-quoted string literal becomes a single-quoted one.
            out += '\'';
            std::size_t j = i + 1;
            while (j < sql.size()) {
                if (sql[j] == '"') {
                    if (j + 1 < sql.size() && sql[j + 1] == '"') {
                        out += '"';
                        j += 2;
                        continue;
                    }
                    break;
                }
                if (sql[j] == '\'')
                    out += '\'';
                out += sql[j++];
            }
            out += '\'';
            i = std::min(j + 1, sql.size());
        } else if (c == '[') {
            std::size_t j = sql.find(']', i + 1);
            if (j == std::string_view::npos)
                j = sql.size();
            out += '"';
            for (char ch : sql.substr(i + 1, j - i - 1)) {
                if (ch == '"')
                    out += '"';
                out += ch;
            }
            out += '"';
            i = std::min(j + 1, sql.size());
        } else if (c == '#') {
            std::size_t j = sql.find('#', i + 1);
            std::optional<plat::text::DateTime> d;
            if (j != std::string_view::npos)
                d = parseDateLiteral(sql.substr(i + 1, j - i - 1));
            if (d) {
                out += '\'' + plat::text::toCanonical(*d) + '\'';
                i = j + 1;
            } else {
                out += c; // left for the engine to reject
                ++i;
            }
        } else if (c == '&') {
            out += "||";
            ++i;
        } else if (c == '(') {
            closers.push_back(")");
            out += c;
            ++i;
        } else if (c == ')') {
            if (closers.empty()) {
                out += c;
            } else {
                out += closers.back();
                closers.pop_back();
            }
            ++i;
        } else if (isWordChar(c) && !std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t j = i;
            while (j < sql.size() && isWordChar(sql[j]))
                ++j;
            const std::string_view word = sql.substr(i, j - i);
            const bool afterDot = !out.empty() && out.back() == '.';
            if (!afterDot && equalsNoCase(word, "DELETE")) {
                // DELETE * FROM t and DELETE t.* FROM t: the engine takes DELETE FROM t.
                std::size_t k = skipSpace(sql, j);
                std::size_t star = std::string_view::npos;
                if (k < sql.size() && sql[k] == '*') {
                    star = k + 1;
                } else {
                    std::size_t m = k;
                    while (m < sql.size() && isWordChar(sql[m]))
                        ++m;
                    if (m > k && m + 1 < sql.size() && sql[m] == '.' && sql[m + 1] == '*')
                        star = m + 2;
                }
                out.append(word);
                i = star != std::string_view::npos ? star : j;
                continue;
            }
            const PartFunction* fn = nullptr;
            if (!afterDot)
                for (const auto& f : kPartFunctions)
                    if (equalsNoCase(word, f.name))
                        fn = &f;
            std::size_t k = skipSpace(sql, j);
            if (fn && k < sql.size() && sql[k] == '(') {
                out.append(fn->open);
                closers.push_back(fn->close);
                i = k + 1;
                continue;
            }
            out.append(word);
            i = j;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            std::size_t j = i;
            while (j < sql.size() && (isWordChar(sql[j]) || sql[j] == '.'))
                ++j;
            out.append(sql.substr(i, j - i));
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    while (!out.empty() &&
           (std::isspace(static_cast<unsigned char>(out.back())) || out.back() == ';'))
        out.pop_back();
    return out;
}

std::string sqlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        out += c;
    }
    return out;
}

std::string sqlQuote(std::string_view text) {
    return '\'' + sqlEscape(text) + '\'';
}

} // namespace plat::jet
