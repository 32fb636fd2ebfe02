// Folding tables and text order for code page 932. The single-to-double-byte table and the
// hiragana range are the runtime's fixed conversions; double-byte lower-casing comes from the
// code page tables generated at build time.
#include "platform/text/Folding.h"

#include "platform/text/Cp932.h"
#include "platform/text/Cp932Tables.h"

#include <array>
#include <cstdint>

namespace plat::text {

namespace {

using cp932::charCode;
using cp932::charLength;

// Double-byte forms of 0x20-0x7E. Quotes, backslash and tilde take the forms the code page
// gives them in Japanese text: ” ’ ￥ ‘ ￣.
constexpr std::array<std::uint16_t, 0x5F> kAsciiToDouble{
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, // sp ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E, // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, // 0-7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266, // @ A-G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E, // H-O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, // P-W
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151, // X Y Z [ \ ] ^ _
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287, // ` a-g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, // h-o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297, // p-w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,         // x y z { | } ~
};

// Double-byte forms of the half-width katakana 0xA1-0xDF; the voiced marks ﾞ ﾟ become the
// separate marks ゛ ゜ and never merge with the character before them.
constexpr std::array<std::uint16_t, 0x3F> kKanaToDouble{
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,         // ｡ ｢ ｣ ､ ･ ｦ ｧ
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, // ｨ ｩ ｪ ｫ ｬ ｭ ｮ ｯ
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, // ｰ ｱ ｲ ｳ ｴ ｵ ｶ ｷ
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, // ｸ ｹ ｺ ｻ ｼ ｽ ｾ ｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, // ﾀ ﾁ ﾂ ﾃ ﾄ ﾅ ﾆ ﾇ
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, // ﾈ ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, // ﾐ ﾑ ﾒ ﾓ ﾔ ﾕ ﾖ ﾗ
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B, // ﾘ ﾙ ﾚ ﾛ ﾜ ﾝ ﾞ ﾟ
};

// Full-width Ａ-Ｚ and ａ-ｚ lie 0x21 apart.
constexpr unsigned kFullUpperA = 0x8260;
constexpr unsigned kFullUpperZ = 0x8279;
constexpr unsigned kFullCaseOffset = 0x21;
static_assert(kFullUpperA + kFullCaseOffset == 0x8281 && kFullUpperZ + kFullCaseOffset == 0x829A);

// Lower-casing of every double-byte code, indexed by code - 0x8100.
struct LowerTable {
    std::array<std::uint16_t, 0x10000 - 0x8100> map{};
    LowerTable() {
        for (std::size_t i = 0; i < map.size(); ++i)
            map[i] = static_cast<std::uint16_t>(0x8100 + i);
        for (std::size_t k = 0; k < detail::kCp932LowerPairCount; ++k)
            map[detail::kCp932LowerPairs[2 * k] - 0x8100u] = detail::kCp932LowerPairs[2 * k + 1];
    }
};

const LowerTable& lowerTable() {
    static const LowerTable table;
    return table;
}

} // namespace

unsigned lowerCaseChar(unsigned code) {
    if (code < 0x100)
        return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
    if (code < 0x8100 || code > 0xFFFF)
        return code;
    unsigned lower = lowerTable().map[code - 0x8100];
    if (lower >= kFullUpperA && lower <= kFullUpperZ)
        lower += kFullCaseOffset;
    return lower;
}

unsigned hiraganaToKatakana(unsigned code) {
    if (code < 0x829F || code > 0x82F1)
        return code;
    // ぁ (0x829F) to ン: katakana start at 0x8340 and skip 0x837F, which is no character.
    const unsigned katakana = code - 0x829F + 0x8340;
    return katakana >= 0x837F ? katakana + 1 : katakana;
}

unsigned singleToDoubleByte(unsigned code) {
    if (code >= 0x20 && code <= 0x7E)
        return kAsciiToDouble[code - 0x20];
    if (code >= 0xA1 && code <= 0xDF)
        return kKanaToDouble[code - 0xA1];
    return code;
}

void foldText(std::string_view text, FoldOptions options, std::string& out) {
    // Written through a pointer into a buffer of the largest size the folding can reach: this
    // runs for every item on every sorted insertion.
    out.resize(text.size() * 2);
    char* dst = out.data();
    auto put = [&dst](unsigned code) {
        if (code >= 0x100)
            *dst++ = static_cast<char>(code >> 8);
        *dst++ = static_cast<char>(code & 0xFF);
    };
    const auto& lower = lowerTable().map;
    const auto* src = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t pos = 0; pos < n;) {
        const unsigned b = src[pos];
        if (cp932::isLeadByte(static_cast<unsigned char>(b))) {
            if (pos + 1 >= n) {
                put(b); // a lead byte at the end: no character to convert
                break;
            }
            unsigned code = (b << 8) | src[pos + 1];
            pos += 2;
            if (options.ignoreCase) {
                code = lower[code - 0x8100];
                if (code >= kFullUpperA && code <= kFullUpperZ)
                    code += kFullCaseOffset;
            }
            if (options.ignoreKanaCase)
                code = hiraganaToKatakana(code);
            put(code);
        } else {
            unsigned code = b;
            ++pos;
            if (options.ignoreCase && code >= 'A' && code <= 'Z')
                code += 'a' - 'A';
            if (options.ignoreCharSet)
                code = singleToDoubleByte(code);
            put(code);
        }
    }
    out.resize(static_cast<std::size_t>(dst - out.data()));
}

std::string foldText(std::string_view text, FoldOptions options) {
    std::string out;
    foldText(text, options, out);
    return out;
}

int compareText(std::string_view a, std::string_view b) {
    // A lead byte right before the end is no character: the text ends there.
    auto atEnd = [](std::string_view s, std::size_t pos) {
        return pos >= s.size() ||
               (pos + 1 == s.size() && cp932::isLeadByte(static_cast<unsigned char>(s[pos])));
    };
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        const bool endA = atEnd(a, i);
        const bool endB = atEnd(b, j);
        if (endA || endB)
            return endA == endB ? 0 : (endA ? -1 : 1);
        const unsigned ca = charCode(a, i);
        const unsigned cb = charCode(b, j);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        i += charLength(a, i);
        j += charLength(b, j);
    }
}

std::string_view cutForMatch(std::string_view text, std::size_t n) {
    if (n >= text.size())
        return text;
    std::size_t pos = 0;
    while (pos < n)
        pos += charLength(text, pos);
    return text.substr(0, pos);
}

bool maskMatches(std::string_view mask, std::string_view text) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < mask.size()) {
        if (j >= text.size())
            return false;
        const std::size_t lenM = charLength(mask, i);
        const std::size_t lenT = charLength(text, j);
        const unsigned m = charCode(mask, i);
        const unsigned t = charCode(text, j);
        const bool anySingle = m == '?' && lenM == 1 && lenT == 1;
        const bool anyDouble = m == 0x8148 && lenT == 2;
        if (!anySingle && !anyDouble && m != t)
            return false;
        i += lenM;
        j += lenT;
    }
    return true;
}

} // namespace plat::text
