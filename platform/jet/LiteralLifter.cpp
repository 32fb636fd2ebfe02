// One pass over SQLite SQL: literals out, '?' in; words, quoted names and operators copied.
#include "platform/jet/LiteralLifter.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace plat::jet {

namespace {

bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0x80;
}

std::string upper(std::string_view w) {
    std::string u(w);
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

} // namespace

std::optional<LiftedSql> liftLiterals(std::string_view sql, bool postgres) {
    LiftedSql out;
    const auto mark = [&] {
        if (postgres)
            out.shape += '$' + std::to_string(out.values.size());
        else
            out.shape += '?';
    };
    out.shape.reserve(sql.size());
    bool first = true;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'') {
            std::string text;
            std::size_t j = i + 1;
            for (;;) {
                if (j >= sql.size())
                    return std::nullopt; // unterminated: let the engine report it
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
            mark();
            i = j + 1;
        } else if (c == '"' || c == '`') {
            const std::size_t j = sql.find(c, i + 1);
            if (j == std::string_view::npos)
                return std::nullopt;
            out.shape.append(sql.substr(i, j + 1 - i));
            i = j + 1;
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && i + 1 < sql.size() &&
                    std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            std::size_t j = i;
            bool real = false;
            while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j])))
                ++j;
            if (j < sql.size() && sql[j] == '.') {
                real = true;
                ++j;
                while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j])))
                    ++j;
            }
            if (j < sql.size() && (sql[j] == 'e' || sql[j] == 'E')) {
                real = true;
                ++j;
                if (j < sql.size() && (sql[j] == '+' || sql[j] == '-'))
                    ++j;
                while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j])))
                    ++j;
            }
            if (j < sql.size() && isWordChar(sql[j]))
                return std::nullopt; // hex or malformed number
            const std::string text(sql.substr(i, j - i));
            errno = 0;
            if (real) {
                out.values.emplace_back(std::strtod(text.c_str(), nullptr));
            } else {
                const long long v = std::strtoll(text.c_str(), nullptr, 10);
                if (errno == ERANGE)
                    return std::nullopt; // the engine reads it as a real number
                out.values.emplace_back(static_cast<std::int64_t>(v));
            }
            mark();
            i = j;
        } else if (isWordChar(c)) {
            std::size_t j = i;
            while (j < sql.size() && isWordChar(sql[j]))
                ++j;
            const std::string w = upper(sql.substr(i, j - i));
            if (first && w != "INSERT" && w != "UPDATE" && w != "DELETE" && w != "REPLACE")
                return std::nullopt;
            if (w == "SELECT" || w == "ORDER" || w == "LIMIT")
                return std::nullopt;
            first = false;
            out.shape.append(sql.substr(i, j - i));
            i = j;
        } else if (postgres && c == ':' && i + 1 < sql.size() && sql[i + 1] == ':') {
            out.shape += "::";
            i += 2;
        } else if (c == '?' || c == ':' || c == '@' || c == '$' || c == '[' ||
                   (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') ||
                   (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
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
