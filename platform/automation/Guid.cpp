// Parsing and formatting of class, interface and library identifiers.
#include "platform/automation/Guid.h"

#include "platform/text/Ascii.h"

#include <cstdio>

namespace plat::automation {

namespace {

// Reads `digits` hexadecimal digits at `pos`; false when any is not one.
bool readHex(std::string_view s, std::size_t pos, int digits, std::uint64_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = plat::text::hexDigitValue(
            static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]));
        if (v < 0)
            return false;
        out = (out << 4) | static_cast<std::uint64_t>(v);
    }
    return true;
}

} // namespace

std::optional<Guid> Guid::parse(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        return std::nullopt;
    Guid g;
    std::uint64_t v = 0;
    if (!readHex(text, 0, 8, v))
        return std::nullopt;
    g.data1 = static_cast<std::uint32_t>(v);
    if (!readHex(text, 9, 4, v))
        return std::nullopt;
    g.data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 14, 4, v))
        return std::nullopt;
    g.data3 = static_cast<std::uint16_t>(v);
    const std::size_t bytePos[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!readHex(text, bytePos[i], 2, v))
            return std::nullopt;
        g.data4[i] = static_cast<std::uint8_t>(v);
    }
    return g;
}

std::string Guid::toString() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(data1), static_cast<unsigned>(data2),
                  static_cast<unsigned>(data3), data4[0], data4[1], data4[2], data4[3], data4[4],
                  data4[5], data4[6], data4[7]);
    return buf;
}

} // namespace plat::automation
