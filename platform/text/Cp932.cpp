// Code page 932 codec over the tables generated at build time from the system converter.
#include "platform/text/Cp932.h"

#include "platform/text/Cp932Tables.h"

namespace plat::text::cp932 {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// Next code point of UTF-8 text at pos (advancing pos); ill-formed input gives U+FFFD and
// never swallows a byte that could start the next character.
char32_t nextUtf8(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t len = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    // A broken sequence is replaced as a whole: the lead and the continuation bytes that
    // follow it, up to the first byte that cannot continue it.
    for (std::size_t i = 1; i < len; ++i) {
        if (pos + i >= s.size() || (static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) {
            pos += i;
            return kReplacement;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += len;
    return c;
}

void appendEncoded(std::string& out, char32_t c) {
    const unsigned code = c < 0x10000 ? detail::kCp932Encode[c] : 0;
    if (code == 0 && c != 0)
        out += '?';
    else
        appendChar(out, code);
}

} // namespace

std::size_t charLength(std::string_view text, std::size_t pos) {
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

unsigned charCode(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (charLength(text, pos) == 1)
        return lead;
    return (static_cast<unsigned>(lead) << 8) | static_cast<unsigned char>(text[pos + 1]);
}

void appendChar(std::string& out, unsigned code) {
    if (code >= 0x100)
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

std::size_t charCount(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos))
        ++n;
    return n;
}

std::size_t byteOffset(std::string_view text, std::size_t chars) {
    std::size_t pos = 0;
    for (; chars > 0 && pos < text.size(); --chars)
        pos += charLength(text, pos);
    return pos;
}

std::string_view leftChars(std::string_view text, std::size_t chars) {
    return text.substr(0, byteOffset(text, chars));
}

std::string_view midChars(std::string_view text, std::size_t start, std::size_t count) {
    const std::string_view rest = text.substr(byteOffset(text, start));
    return leftChars(rest, count);
}

std::u16string toUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = charLength(text, pos);
        const unsigned code = charCode(text, pos);
        const bool loneLead = len == 1 && isLeadByte(static_cast<unsigned char>(text[pos]));
        const char16_t u = loneLead ? detail::kUnmapped : detail::kCp932Decode[code];
        out += u == detail::kUnmapped ? kReplacement : u;
        pos += len;
    }
    return out;
}

std::string fromUtf16(std::u16string_view text) {
    std::string out;
    fromUtf16(text, out);
    return out;
}

void fromUtf16(std::u16string_view text, std::string& out) {
    // Written through a pointer into room for two bytes a character, then cut to size: this
    // runs for every text a list is given.
    out.resize(text.size() * 2);
    char* p = out.data();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        unsigned code = 0;
        if (c >= 0xD800 && c <= 0xDFFF) [[unlikely]] {
            // A surrogate pair is beyond every code; a lone surrogate is the replacement
            // character.
            if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF) {
                ++i;
            } else {
                code = detail::kCp932Encode[kReplacement];
            }
        } else {
            code = detail::kCp932Encode[c];
        }
        if (code >= 0x100) {
            *p++ = static_cast<char>(code >> 8);
            *p++ = static_cast<char>(code & 0xFF);
        } else if (code != 0 || c == 0) {
            *p++ = static_cast<char>(code);
        } else {
            *p++ = '?';
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

std::string toUtf8(std::string_view text) {
    return utf16ToUtf8(toUtf16(text));
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        appendEncoded(out, nextUtf8(utf8, pos));
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();)
        appendUtf16(out, nextUtf8(utf8, pos));
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace plat::text::cp932
