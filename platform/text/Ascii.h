// ASCII-only character helpers shared by the name look-ups and readers of every layer: names of
// tables, columns, members, properties and classes compare without regard to A-Z case, and
// nothing outside A-Z is folded (a double-byte character is never taken apart).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace plat::text {

// A-Z to a-z; every other code unchanged.
template <typename Char> constexpr Char asciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// a-z to A-Z; every other code unchanged.
template <typename Char> constexpr Char asciiUpper(Char c) {
    return c >= Char('a') && c <= Char('z') ? static_cast<Char>(c - Char('a') + Char('A')) : c;
}

// 0-9, and letters or digits of ASCII: the tests the statement readers run on every character,
// without the locale look-up of <cctype>.
constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isAsciiAlnum(char c) {
    return isAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A character of a word in statement text: an ASCII letter or digit, '_', or any byte of a
// multi-byte character (names may be Japanese).
constexpr bool isSqlWordChar(char c) {
    return isAsciiAlnum(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

namespace detail {
// Codes are compared by their unsigned values.
template <typename A, typename B>
constexpr bool equalsNoCase(std::basic_string_view<A> a, std::basic_string_view<B> b) {
    if (a.size() != b.size())
        return false;
    using UA = std::make_unsigned_t<A>;
    using UB = std::make_unsigned_t<B>;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (static_cast<char32_t>(static_cast<UA>(asciiLower(a[i]))) !=
            static_cast<char32_t>(static_cast<UB>(asciiLower(b[i]))))
            return false;
    return true;
}
} // namespace detail

// Equal but for A-Z case; a UTF-16 name may also be compared with an ASCII word.
constexpr bool equalsNoCase(std::string_view a, std::string_view b) {
    return detail::equalsNoCase(a, b);
}
constexpr bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
    return detail::equalsNoCase(a, b);
}
constexpr bool equalsNoCase(std::u16string_view a, std::string_view ascii) {
    return detail::equalsNoCase(a, ascii);
}

// The text with A-Z lowered: the key of a look-up that ignores case.
inline std::string asciiLowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}
inline std::u16string asciiLowered(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out)
        c = asciiLower(c);
    return out;
}

// The value of a hexadecimal digit (0-9, a-f, A-F); -1 for any other code.
constexpr int hexDigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9')
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A') + 10;
    return -1;
}

} // namespace plat::text
