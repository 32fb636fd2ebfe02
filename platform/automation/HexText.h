// Bytes as pairs of hexadecimal digits, as the text forms of property bags and stream stores
// write them.
#pragma once

#include "platform/text/Ascii.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plat::automation::hextext {

inline std::string of(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string s;
    s.reserve(bytes.size() * 2);
    for (auto b : bytes) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

// Pairs of hexadecimal digits; anything else is skipped.
inline std::vector<std::uint8_t> bytesOf(std::string_view s) {
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : s) {
        const int d = plat::text::hexDigitValue(static_cast<unsigned char>(c));
        if (d < 0)
            continue;
        if (high < 0) {
            high = d;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + d));
            high = -1;
        }
    }
    return out;
}

} // namespace plat::automation::hextext
