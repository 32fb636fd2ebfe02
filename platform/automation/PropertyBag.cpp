// The name-keyed property bag with its text form (the ordered stream store is in
// StreamStore.cpp).
#include "platform/automation/PropertyBag.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/HexText.h"
#include "platform/automation/Unicode.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace plat::automation {

namespace {

// Nested bags deeper than this are skipped on reading, so hostile text cannot exhaust the stack.
constexpr int kMaxDepth = 32;

bool isNameChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'.' || c == u'-' ||
           (c > 0x7F && (c < 0xD800 || c > 0xDFFF) && c != 0x3000);
}

void appendQuoted(std::string& out, std::u16string_view s) {
    out.push_back('"');
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF;
        const bool pair =
            highSurrogate && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
        if (c == u'"') {
            out += "\\\"";
        } else if (c == u'\\') {
            out += "\\\\";
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (pair) {
            out += toUtf8(s.substr(i, 2));
            ++i;
        } else if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += toUtf8(s.substr(i, 1));
        }
    }
    out.push_back('"');
}

// Reads a quoted string at `pos` (which holds the opening quote); advances past the closing
// quote. nullopt when the string is not closed or an escape is malformed.
std::optional<std::u16string> readQuoted(std::string_view line, std::size_t& pos) {
    std::u16string out;
    std::size_t i = pos + 1;
    std::size_t runStart = i;
    auto flush = [&](std::size_t end) { out += toUtf16(line.substr(runStart, end - runStart)); };
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"') {
            flush(i);
            pos = i + 1;
            return out;
        }
        if (c != '\\') {
            ++i;
            continue;
        }
        flush(i);
        if (i + 1 >= line.size())
            return std::nullopt;
        const char e = line[i + 1];
        i += 2;
        switch (e) {
        case '"':
            out.push_back(u'"');
            break;
        case '\\':
            out.push_back(u'\\');
            break;
        case 'n':
            out.push_back(u'\n');
            break;
        case 'r':
            out.push_back(u'\r');
            break;
        case 't':
            out.push_back(u'\t');
            break;
        case 'u': {
            if (i + 4 > line.size())
                return std::nullopt;
            unsigned v = 0;
            const auto r = std::from_chars(line.data() + i, line.data() + i + 4, v, 16);
            if (r.ptr != line.data() + i + 4)
                return std::nullopt;
            out.push_back(static_cast<char16_t>(v));
            i += 4;
            break;
        }
        default:
            return std::nullopt;
        }
        runStart = i;
    }
    return std::nullopt;
}

std::string formatDouble(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

template <class T> std::optional<T> parseNumber(std::string_view s) {
    T v{};
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// "TYPE:value" of one plain value; nullopt when malformed.
std::optional<Variant> parseValue(std::string_view text) {
    const auto colon = text.find(':');
    const std::string_view tag = text.substr(0, colon);
    const std::string_view body =
        colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    if (tag == "EMPTY")
        return Variant();
    if (tag == "NULL")
        return Variant::null();
    if (colon == std::string_view::npos)
        return std::nullopt;
    if (tag == "STR") {
        if (body.empty() || body[0] != '"')
            return std::nullopt;
        std::size_t pos = 0;
        auto s = readQuoted(body, pos);
        if (!s || trim(body.substr(pos)).size() != 0)
            return std::nullopt;
        return Variant(std::move(*s));
    }
    if (tag == "BOOL") {
        if (body == "True")
            return Variant(true);
        if (body == "False")
            return Variant(false);
        return std::nullopt;
    }
    if (tag == "I2") {
        if (auto v = parseNumber<std::int16_t>(body))
            return Variant(*v);
        return std::nullopt;
    }
    if (tag == "I4") {
        if (auto v = parseNumber<std::int32_t>(body))
            return Variant(*v);
        return std::nullopt;
    }
    if (tag == "ERR") {
        if (auto v = parseNumber<std::int32_t>(body))
            return Variant::error(*v);
        return std::nullopt;
    }
    if (tag == "CY") {
        if (auto v = parseNumber<std::int64_t>(body))
            return Variant(Currency{*v});
        return std::nullopt;
    }
    if (tag == "R4") {
        if (auto v = parseNumber<float>(body))
            return Variant(*v);
        return std::nullopt;
    }
    if (tag == "R8") {
        if (auto v = parseNumber<double>(body))
            return Variant(*v);
        return std::nullopt;
    }
    if (tag == "DATE") {
        if (auto v = parseNumber<double>(body))
            return Variant(Date{*v});
        return std::nullopt;
    }
    return std::nullopt;
}

std::string formatValue(const Variant& v) {
    switch (v.type()) {
    case VarType::Null:
        return "NULL";
    case VarType::Bool:
        return v.asBool() ? "BOOL:True" : "BOOL:False";
    case VarType::Short:
        return "I2:" + std::to_string(v.asShort());
    case VarType::Long:
        return "I4:" + std::to_string(v.asLong());
    case VarType::Error:
        return "ERR:" + std::to_string(v.asError());
    case VarType::Currency:
        return "CY:" + std::to_string(v.asCurrency().scaled);
    case VarType::Single:
        return "R4:" + formatDouble(v.asSingle(), 9);
    case VarType::Double:
        return "R8:" + formatDouble(v.asDouble(), 17);
    case VarType::Date:
        return "DATE:" + formatDouble(v.asDate().serial, 17);
    case VarType::String: {
        std::string s = "STR:";
        appendQuoted(s, v.asString());
        return s;
    }
    default:
        return "EMPTY";
    }
}

// Splits text into lines without copying.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            if (start < text.size())
                lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

// Parses lines[i...] into `bag` until a closing "}" (consumed) or the end.
void parseLines(const std::vector<std::string_view>& lines, std::size_t& i, PropertyBag& bag,
                int depth, int& problems) {
    while (i < lines.size()) {
        const std::string_view line = trim(lines[i]);
        ++i;
        if (line.empty() || line[0] == '#')
            continue;
        if (line == "}") {
            if (depth > 0)
                return;
            ++problems;
            continue;
        }
        // The name: quoted, or a run of name characters.
        std::u16string name;
        std::size_t pos = 0;
        const bool quotedName = line[0] == '"';
        if (quotedName) {
            auto q = readQuoted(line, pos);
            if (!q) {
                ++problems;
                continue;
            }
            name = std::move(*q);
        } else {
            while (pos < line.size() && line[pos] != ' ' && line[pos] != '=' && line[pos] != '\t')
                ++pos;
            name = toUtf16(line.substr(0, pos));
        }
        std::string_view rest = trim(line.substr(pos));
        if ((name.empty() && !quotedName) || rest.empty() || rest[0] != '=') {
            ++problems;
            continue;
        }
        rest = trim(rest.substr(1));
        if (rest == "BAG{") {
            PropertyBag nested;
            if (depth + 1 >= kMaxDepth) {
                ++problems;
                // Skip the nested block without descending further.
                int open = 1;
                while (i < lines.size() && open > 0) {
                    const auto l = trim(lines[i++]);
                    if (l == "}")
                        --open;
                    else if (l.size() >= 4 && l.substr(l.size() - 4) == "BAG{")
                        ++open;
                }
                continue;
            }
            parseLines(lines, i, nested, depth + 1, problems);
            bag.writeBag(name, nested);
            continue;
        }
        if (rest.substr(0, 6) == "BYTES:") {
            bag.writeBytes(name, hextext::bytesOf(rest.substr(6)));
            continue;
        }
        if (auto v = parseValue(rest)) {
            bag.write(name, *v);
        } else {
            ++problems;
        }
    }
}

bool safeName(std::u16string_view name) {
    if (name.empty())
        return false;
    for (char16_t c : name)
        if (!isNameChar(c))
            return false;
    return true;
}

} // namespace

// ---- PropertyBag ------------------------------------------------------------------------

const PropertyBag::Entry* PropertyBag::find(std::u16string_view name) const {
    const auto it = index_.find(foldAsciiLower(name));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

PropertyBag::Entry* PropertyBag::find(std::u16string_view name) {
    const auto it = index_.find(foldAsciiLower(name));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

void PropertyBag::put(Entry e) {
    if (Entry* old = find(e.name)) {
        e.name = old->name;
        *old = std::move(e);
    } else {
        index_.emplace(foldAsciiLower(e.name), entries_.size());
        entries_.push_back(std::move(e));
    }
}

void PropertyBag::write(std::u16string_view name, const Variant& value) {
    Entry e;
    e.name = std::u16string(name);
    e.kind = Entry::Kind::Value;
    const Variant& v = value.deref();
    e.value = (v.type() == VarType::Object) ? Variant() : v;
    put(std::move(e));
}

void PropertyBag::writeBytes(std::u16string_view name, std::vector<std::uint8_t> bytes) {
    Entry e;
    e.name = std::u16string(name);
    e.kind = Entry::Kind::Bytes;
    e.bytes = std::move(bytes);
    put(std::move(e));
}

void PropertyBag::writeBag(std::u16string_view name, const PropertyBag& bag) {
    Entry e;
    e.name = std::u16string(name);
    e.kind = Entry::Kind::Bag;
    e.bag.push_back(bag);
    put(std::move(e));
}

std::optional<Variant> PropertyBag::read(std::u16string_view name) const {
    const Entry* e = find(name);
    if (!e || e->kind != Entry::Kind::Value)
        return std::nullopt;
    return e->value;
}

std::optional<std::vector<std::uint8_t>> PropertyBag::readBytes(std::u16string_view name) const {
    const Entry* e = find(name);
    if (!e || e->kind != Entry::Kind::Bytes)
        return std::nullopt;
    return e->bytes;
}

std::optional<PropertyBag> PropertyBag::readBag(std::u16string_view name) const {
    const Entry* e = find(name);
    if (!e || e->kind != Entry::Kind::Bag || e->bag.empty())
        return std::nullopt;
    return e->bag.front();
}

bool PropertyBag::contains(std::u16string_view name) const {
    return find(name) != nullptr;
}

void PropertyBag::remove(std::u16string_view name) {
    const auto it = index_.find(foldAsciiLower(name));
    if (it == index_.end())
        return;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index_.emplace(foldAsciiLower(entries_[i].name), i);
}

void PropertyBag::clear() {
    entries_.clear();
    index_.clear();
}

std::vector<std::u16string> PropertyBag::names() const {
    std::vector<std::u16string> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_)
        out.push_back(e.name);
    return out;
}

std::string PropertyBag::toText() const {
    return toText(0);
}

std::string PropertyBag::toText(int indent) const {
    std::string out;
    const std::string pad(static_cast<std::size_t>(indent) * 2, ' ');
    for (const auto& e : entries_) {
        out += pad;
        if (safeName(e.name))
            out += toUtf8(e.name);
        else
            appendQuoted(out, e.name);
        out += " = ";
        switch (e.kind) {
        case Entry::Kind::Value:
            out += formatValue(e.value);
            out += '\n';
            break;
        case Entry::Kind::Bytes:
            out += "BYTES:" + hextext::of(e.bytes) + '\n';
            break;
        case Entry::Kind::Bag:
            out += "BAG{\n";
            if (!e.bag.empty())
                out += e.bag.front().toText(indent + 1);
            out += pad + "}\n";
            break;
        }
    }
    return out;
}

PropertyBag PropertyBag::fromText(std::string_view text, int* problems) {
    PropertyBag bag;
    int count = 0;
    const auto lines = linesOf(text);
    std::size_t i = 0;
    parseLines(lines, i, bag, 0, count);
    if (problems)
        *problems = count;
    return bag;
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    if (a.entries_.size() != b.entries_.size())
        return false;
    for (std::size_t i = 0; i < a.entries_.size(); ++i) {
        const auto& x = a.entries_[i];
        const auto& y = b.entries_[i];
        if (!sameMemberName(x.name, y.name) || x.kind != y.kind || x.bytes != y.bytes ||
            x.bag != y.bag)
            return false;
        // Compare values bit for bit so NaN survives a round trip as equal.
        if (x.kind == PropertyBag::Entry::Kind::Value &&
            formatValue(x.value) != formatValue(y.value))
            return false;
    }
    return true;
}

} // namespace plat::automation
