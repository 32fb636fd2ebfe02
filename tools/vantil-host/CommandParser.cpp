// Parsing of the console host's command lines and literals, and the text of values.
#include "tools/vantil-host/CommandParser.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/Picture.h"
#include "platform/automation/Unicode.h"
#include "platform/text/Ascii.h"
#include "platform/text/DateTime.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vantil_host {

using namespace plat::automation;
using plat::text::equalsNoCase;

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool isIdentChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Splits at top-level commas (outside quotes and #dates#).
std::vector<std::string_view> splitTopLevel(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool inString = false;
    bool inDate = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' && !inDate)
            inString = !inString; // a doubled quote toggles twice
        else if (c == '#' && !inString)
            inDate = !inDate;
        else if (c == sep && !inString && !inDate) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(s.substr(start));
    return parts;
}

// Position of the first top-level '=' or npos.
std::size_t findAssign(std::string_view s) {
    bool inString = false;
    bool inDate = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' && !inDate)
            inString = !inString;
        else if (c == '#' && !inString)
            inDate = !inDate;
        else if (c == '=' && !inString && !inDate)
            return i;
    }
    return std::string_view::npos;
}

std::optional<Variant> fail(std::string* error, std::string message) {
    if (error)
        *error = std::move(message);
    return std::nullopt;
}

std::optional<Variant> parseNumberLiteral(std::string_view t, std::string* error) {
    if (t.size() >= 2 && t[0] == '&') {
        // Variants read "&H"/"&O" text with the literal rule: a value up to &HFFFF is a
        // 16-bit Integer (so &HFFFF is -1), a larger one a 32-bit Long.
        try {
            const std::int32_t n = Variant::fromUtf8(t).toLong();
            const int radix = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
            const std::string body(t.substr(2));
            const unsigned long long raw = std::strtoull(body.c_str(), nullptr, radix);
            if (raw <= 0xFFFF)
                return Variant(static_cast<std::int16_t>(n));
            return Variant(n);
        } catch (const AutomationException&) {
            return fail(error, "bad number: " + std::string(t));
        }
    }
    std::string_view digits = t;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+'))
        digits.remove_prefix(1);
    const bool integral =
        !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    if (integral) {
        std::int64_t n = 0;
        std::string s(t[0] == '+' ? t.substr(1) : t);
        const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
        if (r.ec == std::errc() && r.ptr == s.data() + s.size()) {
            if (n >= -32768 && n <= 32767)
                return Variant(static_cast<std::int16_t>(n));
            if (n >= INT32_MIN && n <= INT32_MAX)
                return Variant(static_cast<std::int32_t>(n));
        }
    }
    std::string s(t[0] == '+' ? t.substr(1) : t);
    double d = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(d))
        return fail(error, "bad literal: " + std::string(t));
    return Variant(d);
}

std::optional<Variant> parseDateLiteral(std::string_view t, std::string* error) {
    try {
        return Variant(Variant::fromUtf8(trim(t.substr(1, t.size() - 2))).toDate());
    } catch (const AutomationException&) {
        return fail(error, "bad date: " + std::string(t));
    }
}

void appendChr(std::string& out, bool& inQuotes, unsigned code, bool first) {
    if (inQuotes) {
        out += "\" & ";
        inQuotes = false;
    } else if (!first) {
        out += " & ";
    }
    out += "Chr(" + std::to_string(code) + ")";
}

std::string formatString(const std::u16string& s) {
    if (s.empty())
        return "\"\"";
    std::string out;
    bool inQuotes = false;
    bool first = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c < 0x20 || c == 0x7F) {
            appendChr(out, inQuotes, c, first);
        } else {
            if (!inQuotes) {
                if (!first)
                    out += " & ";
                out += '"';
                inQuotes = true;
            }
            std::size_t n = 1;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size())
                n = 2;
            const std::string piece = toUtf8(s.substr(i, n));
            i += n - 1;
            out += piece == "\"" ? "\"\"" : piece;
        }
        first = false;
    }
    if (inQuotes)
        out += '"';
    return out;
}

// LoadPicture("file") reads the picture file now; LoadPicture() is an empty picture.
std::optional<Variant> loadPicture(std::string_view inner, std::string* error) {
    if (trim(inner).empty())
        return Variant(std::shared_ptr<Dispatch>(std::make_shared<Picture>()));
    const auto path = parseLiteral(inner, error);
    if (!path)
        return std::nullopt;
    if (path->type() != VarType::String)
        return fail(error, "LoadPicture takes a file name");
    AutomationError e;
    auto pic = Picture::loadFile(path->toUtf8(), &e);
    if (!pic)
        return fail(error, "LoadPicture: " + e.descriptionUtf8());
    return Variant(std::shared_ptr<Dispatch>(std::move(pic)));
}

} // namespace

std::optional<Variant> parseLiteral(std::string_view raw, std::string* error) {
    const std::string_view t = trim(raw);
    if (t.empty())
        return fail(error, "missing value");
    if (t[0] == '"') {
        std::string out;
        std::size_t i = 1;
        for (; i < t.size(); ++i) {
            if (t[i] == '"') {
                if (i + 1 < t.size() && t[i + 1] == '"') {
                    out += '"';
                    ++i;
                    continue;
                }
                break;
            }
            out += t[i];
        }
        if (i >= t.size())
            return fail(error, "unterminated string");
        if (i + 1 != t.size())
            return fail(error, "text after string: " + std::string(t.substr(i + 1)));
        return Variant::fromUtf8(out);
    }
    if (t[0] == '#') {
        if (t.size() < 3 || t.back() != '#')
            return fail(error, "unterminated date");
        return parseDateLiteral(t, error);
    }
    constexpr std::string_view kLoadPicture = "LoadPicture(";
    if (t.size() > kLoadPicture.size() &&
        equalsNoCase(t.substr(0, kLoadPicture.size()), kLoadPicture) && t.back() == ')')
        return loadPicture(t.substr(kLoadPicture.size(), t.size() - kLoadPicture.size() - 1),
                           error);
    if (equalsNoCase(t, "True"))
        return Variant(true);
    if (equalsNoCase(t, "False"))
        return Variant(false);
    if (equalsNoCase(t, "Empty"))
        return Variant();
    if (equalsNoCase(t, "Null"))
        return Variant::null();
    if (equalsNoCase(t, "Nothing"))
        return Variant(std::shared_ptr<Dispatch>());
    return parseNumberLiteral(t, error);
}

std::optional<std::vector<std::optional<Variant>>> parseArguments(std::string_view text,
                                                                  std::string* error) {
    std::vector<std::optional<Variant>> args;
    if (trim(text).empty())
        return args;
    for (const auto part : splitTopLevel(text, ',')) {
        if (trim(part).empty()) {
            args.emplace_back(std::nullopt);
            continue;
        }
        auto v = parseLiteral(part, error);
        if (!v)
            return std::nullopt;
        args.emplace_back(std::move(*v));
    }
    return args;
}

namespace {

// A string literal after `type` or `clip =`.
bool parseText(std::string_view text, ParseResult& r) {
    auto v = parseLiteral(text, &r.error);
    if (!v)
        return true;
    if (v->type() != plat::automation::VarType::String) {
        r.error = "expected a string";
        return true;
    }
    r.command.value = std::move(*v);
    return true;
}

// A command that takes nothing after its verb.
bool noArguments(Command::Kind kind, std::string_view rest, ParseResult& r) {
    r.command.kind = kind;
    if (!rest.empty())
        r.error = "unexpected text: " + std::string(rest);
    return true;
}

// clip (the clipboard's text) or clip = "text".
bool parseClip(std::string_view rest, ParseResult& r) {
    if (rest.empty())
        return noArguments(Command::Kind::Clip, rest, r);
    r.command.kind = Command::Kind::ClipSet;
    if (rest.front() != '=') {
        r.error = "expected: clip = \"text\"";
        return true;
    }
    return parseText(trim(rest.substr(1)), r);
}

// The window commands without words to read: focus, blur, dropped, where, wait, type and
// clip; false when `verb` is none of them.
bool parsePlainWindowCommand(std::string_view verb, std::string_view rest, ParseResult& r) {
    Command& c = r.command;
    if (equalsNoCase(verb, "focus"))
        return noArguments(Command::Kind::Focus, rest, r);
    if (equalsNoCase(verb, "blur"))
        return noArguments(Command::Kind::Blur, rest, r);
    if (equalsNoCase(verb, "dropped"))
        return noArguments(Command::Kind::Dropped, rest, r);
    if (equalsNoCase(verb, "where"))
        return noArguments(Command::Kind::Where, rest, r);
    if (equalsNoCase(verb, "wait")) {
        c.kind = Command::Kind::Wait;
        c.name = std::u16string(rest.begin(), rest.end());
        if (rest.empty())
            r.error = "expected: wait EVENT";
        return true;
    }
    if (equalsNoCase(verb, "type")) {
        c.kind = Command::Kind::Type;
        return parseText(rest, r);
    }
    if (equalsNoCase(verb, "clip"))
        return parseClip(rest, r);
    return false;
}

// The words of the text, separated by spaces and tabs.
std::vector<std::string_view> splitWords(std::string_view rest) {
    std::vector<std::string_view> words;
    for (std::size_t i = 0; i < rest.size();) {
        std::size_t j = rest.find_first_of(" \t", i);
        if (j == std::string_view::npos)
            j = rest.size();
        if (j > i)
            words.push_back(rest.substr(i, j - i));
        i = j + 1;
    }
    return words;
}

// key NAME [shift] [ctrl] [alt].
void parseKey(const std::vector<std::string_view>& words, ParseResult& r) {
    Command& c = r.command;
    c.kind = Command::Kind::Key;
    if (words.empty()) {
        r.error = "missing key name";
        return;
    }
    c.key = std::string(words[0]);
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (equalsNoCase(words[i], "shift"))
            c.shift = true;
        else if (equalsNoCase(words[i], "ctrl"))
            c.ctrl = true;
        else if (equalsNoCase(words[i], "alt"))
            c.alt = true;
        else
            r.error = "unknown modifier: " + std::string(words[i]);
    }
}

// The whole word as a decimal integer.
bool readInt(std::string_view w, int& out) {
    const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), out);
    return ec == std::errc() && end == w.data() + w.size();
}

// click X Y, or menu X Y [KEY]; false when `verb` is neither.
bool parsePointCommand(std::string_view verb, const std::vector<std::string_view>& words,
                       ParseResult& r) {
    Command& c = r.command;
    if (equalsNoCase(verb, "click")) {
        c.kind = Command::Kind::Click;
        if (words.size() != 2 || !readInt(words[0], c.x) || !readInt(words[1], c.y))
            r.error = "expected: click X Y";
        return true;
    }
    if (equalsNoCase(verb, "menu")) {
        c.kind = Command::Kind::Menu;
        if (words.size() < 2 || words.size() > 3 || !readInt(words[0], c.x) ||
            !readInt(words[1], c.y) || (words.size() == 3 && words[2].size() != 1))
            r.error = "expected: menu X Y [KEY]";
        else if (words.size() == 3)
            c.key = std::string(words[2]);
        return true;
    }
    return false;
}

// The window commands; false when `verb` is none of them.
bool parseWindowCommand(std::string_view verb, std::string_view rest, ParseResult& r) {
    if (parsePlainWindowCommand(verb, rest, r))
        return true;
    const std::vector<std::string_view> words = splitWords(rest);
    if (equalsNoCase(verb, "key")) {
        parseKey(words, r);
        return true;
    }
    return parsePointCommand(verb, words, r);
}

// save FILE, load FILE and mode design|run; false when `verb` is none of them.
bool parseFileOrModeCommand(std::string_view verb, std::string_view rest, ParseResult& r) {
    Command& c = r.command;
    if (equalsNoCase(verb, "save") || equalsNoCase(verb, "load")) {
        c.kind = equalsNoCase(verb, "save") ? Command::Kind::Save : Command::Kind::Load;
        if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
            rest = rest.substr(1, rest.size() - 2);
        if (rest.empty())
            r.error = "missing file name";
        c.file = std::string(rest);
        return true;
    }
    if (equalsNoCase(verb, "mode")) {
        c.kind = Command::Kind::Mode;
        if (equalsNoCase(rest, "design"))
            c.design = true;
        else if (!equalsNoCase(rest, "run"))
            r.error = "mode is design or run";
        return true;
    }
    return false;
}

// The kind of a command on a member or event: get, set, call, on, off.
std::optional<Command::Kind> memberCommandKind(std::string_view verb) {
    if (equalsNoCase(verb, "get"))
        return Command::Kind::Get;
    if (equalsNoCase(verb, "set"))
        return Command::Kind::Set;
    if (equalsNoCase(verb, "call"))
        return Command::Kind::Call;
    if (equalsNoCase(verb, "on"))
        return Command::Kind::On;
    if (equalsNoCase(verb, "off"))
        return Command::Kind::Off;
    return std::nullopt;
}

// The member (or event) name at the start of `rest`, taken off it; false when there is none.
bool readName(std::string_view& rest, ParseResult& r) {
    std::size_t n = 0;
    while (n < rest.size() && isIdentChar(rest[n]))
        ++n;
    if (n == 0) {
        r.error = "missing name";
        return false;
    }
    r.command.name = toUtf16(rest.substr(0, n));
    rest = trim(rest.substr(n));
    return true;
}

// What follows on EVENT: ARGUMENT = VALUE.
void parseHandler(std::string_view rest, ParseResult& r) {
    Command& c = r.command;
    std::size_t a = 0;
    while (a < rest.size() && isIdentChar(rest[a]))
        ++a;
    const auto eq = findAssign(rest);
    if (a == 0 || eq == std::string_view::npos || !trim(rest.substr(a, eq - a)).empty()) {
        r.error = "expected: on EVENT ARGUMENT = VALUE";
        return;
    }
    c.argument = toUtf16(rest.substr(0, a));
    auto v = parseLiteral(rest.substr(eq + 1), &r.error);
    if (v)
        c.value = std::move(*v);
}

// What follows get NAME, call NAME or set NAME: the arguments, and for set "= VALUE".
void parseMemberArguments(std::string_view rest, ParseResult& r) {
    Command& c = r.command;
    std::string_view argText = rest;
    if (c.kind == Command::Kind::Set) {
        const auto eq = findAssign(rest);
        if (eq == std::string_view::npos) {
            r.error = "expected: set NAME [args] = VALUE";
            return;
        }
        argText = trim(rest.substr(0, eq));
        auto v = parseLiteral(rest.substr(eq + 1), &r.error);
        if (!v)
            return;
        c.value = std::move(*v);
    }
    // Arguments may also be written in parentheses: get ItemText(3).
    if (argText.size() >= 2 && argText.front() == '(' && argText.back() == ')')
        argText = argText.substr(1, argText.size() - 2);
    auto args = parseArguments(argText, &r.error);
    if (!args)
        return;
    c.args = std::move(*args);
}

// get, set, call, on and off: the name, then what the command takes after it.
void parseMemberCommand(Command::Kind kind, std::string_view rest, ParseResult& r) {
    r.command.kind = kind;
    if (!readName(rest, r))
        return;
    if (kind == Command::Kind::Off) {
        if (!rest.empty())
            r.error = "unexpected text: " + std::string(rest);
        return;
    }
    if (kind == Command::Kind::On) {
        parseHandler(rest, r);
        return;
    }
    parseMemberArguments(rest, r);
}

} // namespace

ParseResult parseCommand(std::string_view raw) {
    ParseResult r;
    // A script saved by an editor may start with a byte order mark.
    if (raw.starts_with("\xEF\xBB\xBF"))
        raw.remove_prefix(3);
    std::string_view line = trim(raw);
    if (line.empty() || line[0] == '#' || line[0] == '\'')
        return r;
    std::size_t sp = 0;
    while (sp < line.size() && line[sp] != ' ' && line[sp] != '\t')
        ++sp;
    const std::string_view verb = line.substr(0, sp);
    const std::string_view rest = trim(line.substr(sp));

    if (parseFileOrModeCommand(verb, rest, r) || parseWindowCommand(verb, rest, r))
        return r;
    if (const auto kind = memberCommandKind(verb))
        parseMemberCommand(*kind, rest, r);
    else
        r.error = "unknown command: " + std::string(verb);
    return r;
}

std::string formatValue(const Variant& value) {
    const Variant& v = value.deref();
    switch (v.type()) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::String:
        return formatString(v.asString());
    case VarType::Date: {
        std::string s = "#";
        s += v.toUtf8();
        s += '#';
        return s;
    }
    case VarType::Object: {
        const auto& obj = v.asObject();
        if (!obj)
            return "Nothing";
        const TypeInfo* ti = obj->typeInfo();
        return ti && !ti->name.empty() ? "Object(" + toUtf8(ti->name) + ")" : "Object";
    }
    case VarType::Error: {
        if (v.isMissing())
            return "Missing";
        char buf[32];
        std::snprintf(buf, sizeof buf, "Error(&H%08X)", static_cast<unsigned>(v.asError()));
        return buf;
    }
    default:
        return v.toUtf8();
    }
}

} // namespace vantil_host
