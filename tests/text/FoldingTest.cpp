// Folding tables checked over every character they cover against ICU's transliterators, and
// the folding, text order, cut and mask rules as tables of cases.
#include "platform/text/Folding.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>
#include <string>

namespace {

namespace cp = plat::text::cp932;
using plat::text::compareText;
using plat::text::cutForMatch;
using plat::text::FoldOptions;
using plat::text::foldText;
using plat::text::maskMatches;

std::string codeBytes(unsigned code) {
    std::string s;
    cp::appendChar(s, code);
    return s;
}

// What an ICU transliterator makes of the character with this code, as a code of the code
// page; the code itself when the result is not one character of the code page.
class IcuOracle {
public:
    explicit IcuOracle(const char* id) {
        UErrorCode status = U_ZERO_ERROR;
        translit_.reset(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
        EXPECT_TRUE(U_SUCCESS(status)) << id;
    }
    unsigned operator()(unsigned code) const {
        const std::u16string wide = cp::toUtf16(codeBytes(code));
        if (wide == u"\uFFFD")
            return code;
        icu::UnicodeString text(wide.data(), static_cast<int32_t>(wide.size()));
        translit_->transliterate(text);
        const std::u16string result(text.getBuffer(), static_cast<std::size_t>(text.length()));
        if (result.size() != 1 || result == wide)
            return code;
        const std::string back = cp::fromUtf16(result);
        return back == "?" ? code : cp::charCode(back, 0);
    }

private:
    std::unique_ptr<icu::Transliterator> translit_;
};

// Runs a conversion over every code it covers and collects where it differs from the oracle.
template <class Conversion>
std::map<unsigned, unsigned> differences(Conversion convert, const IcuOracle& oracle,
                                         bool singleBytes, bool doubleBytes) {
    std::map<unsigned, unsigned> diff;
    auto check = [&](unsigned code) {
        if (convert(code) != oracle(code))
            diff[code] = convert(code);
    };
    if (singleBytes)
        for (unsigned b = 0; b < 0x100; ++b)
            if (!cp::isLeadByte(static_cast<unsigned char>(b)))
                check(b);
    if (doubleBytes)
        for (unsigned code = 0x8140; code <= 0xFCFC; ++code)
            if (cp::isLeadByte(static_cast<unsigned char>(code >> 8)) && (code & 0xFF) >= 0x40)
                check(code);
    return diff;
}

TEST(FoldingTables, LowerCasingAgreesWithIcuEverywhere) {
    const auto diff = differences(plat::text::lowerCaseChar, IcuOracle("Any-Lower"), true, true);
    EXPECT_TRUE(diff.empty()) << diff.size() << " differences, first at " << std::hex
                              << (diff.empty() ? 0 : diff.begin()->first);
    EXPECT_EQ(plat::text::lowerCaseChar(0x8260), 0x8281u); // Ａ -> ａ
    EXPECT_EQ(plat::text::lowerCaseChar(0x839F), 0x83BFu); // Α -> α
    EXPECT_EQ(plat::text::lowerCaseChar(0x8440), 0x8470u); // А -> а
}

TEST(FoldingTables, HiraganaToKatakanaDiffersFromIcuOnlyAtTheIterationMarks) {
    const auto diff =
        differences(plat::text::hiraganaToKatakana, IcuOracle("Hiragana-Katakana"), false, true);
    // The runtime converts only ぁ..ん; ICU also turns ゝ ゞ into ヽ ヾ. (ICU widens half-width
    // katakana as well, which is the character-set step's work here, so single bytes are left
    // to that step's own check.)
    const std::map<unsigned, unsigned> expected{{0x8154, 0x8154}, {0x8155, 0x8155}};
    EXPECT_EQ(diff, expected);
    EXPECT_EQ(plat::text::hiraganaToKatakana(0x829F), 0x8340u); // ぁ -> ァ
    EXPECT_EQ(plat::text::hiraganaToKatakana(0x82DD), 0x837Eu); // み -> ミ
    EXPECT_EQ(plat::text::hiraganaToKatakana(0x82DE), 0x8380u); // む -> ム, past 0x837F
    EXPECT_EQ(plat::text::hiraganaToKatakana(0x82F1), 0x8393u); // ん -> ン
}

TEST(FoldingTables, SingleToDoubleByteDiffersFromIcuOnlyWhereTheRuntimeDoes) {
    const auto diff =
        differences(plat::text::singleToDoubleByte, IcuOracle("Halfwidth-Fullwidth"), true, false);
    // Quotes, backquote, backslash and tilde take their Japanese forms (” ’ ‘ ￥ ￣) instead of
    // the full-width ASCII forms; the voiced marks become the spacing marks ゛ ゜.
    const std::map<unsigned, unsigned> expected{
        {0x22, 0x8168}, {0x27, 0x8166}, {0x5C, 0x818F}, {0x60, 0x8165},
        {0x7E, 0x8150}, {0xDE, 0x814A}, {0xDF, 0x814B},
    };
    EXPECT_EQ(diff, expected);
    EXPECT_EQ(plat::text::singleToDoubleByte(0x20), 0x8140u);
    EXPECT_EQ(plat::text::singleToDoubleByte(0x0A), 0x0Au);
    EXPECT_EQ(plat::text::singleToDoubleByte(0xA0), 0xA0u);
}

FoldOptions opts(bool c, bool k, bool s) {
    return FoldOptions{c, k, s};
}

TEST(Folding, EqualTextsUnderTheFoldingFlags) {
    struct Case {
        const char* a;
        const char* b;
        FoldOptions options;
        bool equal;
    } const cases[] = {
        {"ＡＢＣ", "ａｂｃ", opts(true, false, false), true},
        {"ＡＢＣ", "ａｂｃ", opts(false, false, false), false},
        {"ABC", "abc", opts(true, false, false), true},
        {"ABC", "ＡＢＣ", opts(true, false, false), false},
        {"ABC", "ＡＢＣ", opts(true, false, true), true},
        {"abc", "ＡＢＣ", opts(true, false, true), true},
        {"abc", "ＡＢＣ", opts(false, false, true), false},
        {"あいう", "アイウ", opts(false, true, false), true},
        {"あいう", "アイウ", opts(false, false, false), false},
        {"ｱｲｳ", "アイウ", opts(false, true, false), false},
        {"ｱｲｳ", "あいう", opts(false, true, true), true},
        {"ｱｲｳ", "アイウ", opts(false, false, true), true},
        {"ｶﾞ", "ガ", opts(false, false, true), false}, // the mark stays a character
        {"ｶﾞ", "カ゛", opts(false, false, true), true},
        {"ΑΒΓ", "αβγ", opts(true, false, false), true},
        {"ДОМ", "дом", opts(true, false, false), true},
        {"Ⅳ", "ⅳ", opts(true, false, false), true},
        {"1-2", "１－２", opts(false, false, true), true},
        {"山田 A", "山田　ａ", opts(true, false, true), true},
    };
    for (const auto& c : cases) {
        const std::string a = foldText(cp::fromUtf8(c.a), c.options);
        const std::string b = foldText(cp::fromUtf8(c.b), c.options);
        EXPECT_EQ(compareText(a, b) == 0, c.equal) << c.a << " / " << c.b;
    }
}

TEST(Folding, StepsRunInOrderCaseKanaCharacterSet) {
    // Lower-casing before widening: "A" with both flags ends as ａ, not Ａ.
    EXPECT_EQ(cp::toUtf8(foldText("A", opts(true, false, true))), "ａ");
    EXPECT_EQ(cp::toUtf8(foldText("A", opts(false, false, true))), "Ａ");
    // Widening after the kana step: half-width katakana stays katakana.
    EXPECT_EQ(cp::toUtf8(foldText(cp::fromUtf8("ｱあ"), opts(false, true, true))), "アア");
    EXPECT_EQ(cp::toUtf8(foldText(cp::fromUtf8("Ａあｱa"), opts(false, false, false))), "Ａあｱa");
}

TEST(Folding, LengthAndLoneLeadByte) {
    EXPECT_EQ(foldText("abc", opts(false, false, true)).size(), 6u);
    EXPECT_EQ(foldText("AB\x82", opts(true, true, true)), "\x82\x81\x82\x82\x82");
    EXPECT_EQ(foldText("", opts(true, true, true)), "");
    std::string reused = "old contents";
    plat::text::foldText("X", opts(true, false, false), reused);
    EXPECT_EQ(reused, "x");
}

TEST(TextOrder, ComparesCharacterCodes) {
    struct Case {
        std::string a;
        std::string b;
        int sign;
    } const cases[] = {
        {"a", "b", -1},
        {"", "a", -1},
        {"", "", 0},
        {"ab", "a", 1},
        {"z", "\xB1", -1},        // ASCII before half-width katakana
        {"\xB1", "\x81\x40", -1}, // half-width katakana before every double-byte character
        {"\xDF", "\x81\x40", -1},
        {"\x82\xA0", "\x83\x41", -1},
        {"\x88\x9F", "\x88\x9F", 0},
        {"\x82\xA0z", "\x82\xA0\x82\xA0", -1},
        {"A\x82", "A", 0}, // a lead byte right before the end counts as the end
        {"A\x82", "AB", -1},
        {std::string("a\0b", 3), std::string("a\0c", 3), -1},
    };
    for (const auto& c : cases) {
        const int r = compareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        const int back = compareText(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " / " << c.a;
    }
}

TEST(TextOrder, CutForTypedTextNeverSplitsACharacter) {
    struct Case {
        std::string text;
        std::size_t n;
        std::string expected;
    } const cases[] = {
        {"\x83\x4A\x83\x69", 1, "\x83\x4A"}, // カナ
        {"\x83\x4A\x83\x69", 2, "\x83\x4A"},
        {"\x83\x4A\x83\x69", 3, "\x83\x4A\x83\x69"},
        {"a\x83\x4A", 2, "a\x83\x4A"},   // ends on a lead byte: three bytes
        {"\x81\x81\x61", 2, "\x81\x81"}, // ＝a: trail byte 0x81 is no lead byte here
        {"abc", 5, "abc"},
        {"abc", 0, ""},
        {"a\x83", 2, "a\x83"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutForMatch(c.text, c.n), c.expected) << c.n;
}

TEST(Mask, MatchesFromTheStart) {
    struct Case {
        const char* mask;
        const char* text;
        bool matches;
    } const cases[] = {
        {"A?C", "ABCD", true},  {"A?C", "AB", false},   {"A?C", "AXC", true},
        {"A?C", "ＡBC", false}, {"？", "あ", true},     {"？", "a", false},
        {"?", "あ", false},     {"", "", true},         {"", "anything", true},
        {"あ?", "あい", false}, {"あ？", "あい", true}, {"abc", "ab", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(maskMatches(cp::fromUtf8(c.mask), cp::fromUtf8(c.text)), c.matches)
            << c.mask << " / " << c.text;
}

} // namespace
