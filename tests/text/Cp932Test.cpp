// Code page 932 codec: every double-byte code against the system's iconv converter, counting
// and cutting by characters, and the handling of text that has no code.
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace cp = plat::text::cp932;

// One conversion through iconv; nothing when iconv rejects the input.
std::optional<std::string> iconvConvert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << from << " -> " << to;
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    std::size_t left = in.size();
    std::size_t room = out.size();
    const bool ok =
        iconv(cd, &src, &left, &dst, &room) != static_cast<std::size_t>(-1) && left == 0;
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

std::u16string fromUtf16Be(const std::string& bytes) {
    std::u16string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        out += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                     static_cast<unsigned char>(bytes[i + 1]));
    return out;
}

std::string toUtf16Be(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

TEST(Cp932, EveryDoubleByteCodeDecodesAndEncodesLikeIconv) {
    int mapped = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string ours = cp::toUtf16(code);
            ASSERT_EQ(ours.size(), 1u) << std::hex << lead << trail;
            const auto theirs = iconvConvert("UTF-16BE", "CP932", code);
            if (!theirs) {
                EXPECT_EQ(ours, u"\uFFFD") << std::hex << lead << " " << trail;
                continue;
            }
            ++mapped;
            EXPECT_EQ(ours, fromUtf16Be(*theirs)) << std::hex << lead << " " << trail;
            // Back again: the code iconv chooses for the character (one of duplicates).
            const auto back = iconvConvert("CP932", "UTF-16BE", *theirs);
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(cp::fromUtf16(ours), *back) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(mapped, 7000); // JIS X 0208 plus the vendor extensions
}

TEST(Cp932, EverySingleByteDecodesLikeIconv) {
    for (unsigned b = 0; b < 0x100; ++b) {
        if (cp::isLeadByte(static_cast<unsigned char>(b)))
            continue;
        const std::string code(1, static_cast<char>(b));
        const auto theirs = iconvConvert("UTF-16BE", "CP932", code);
        const std::u16string expected = theirs ? fromUtf16Be(*theirs) : u"\uFFFD";
        EXPECT_EQ(cp::toUtf16(code), expected) << std::hex << b;
    }
}

TEST(Cp932, EveryBmpCharacterEncodesLikeIconvOrAsQuestionMark) {
    for (unsigned u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const std::u16string ch(1, static_cast<char16_t>(u));
        const auto theirs = iconvConvert("CP932", "UTF-16BE", toUtf16Be(ch));
        ASSERT_EQ(cp::fromUtf16(ch), theirs.value_or("?")) << std::hex << u;
    }
}

TEST(Cp932, KnownCharacters) {
    struct Case {
        const char* bytes;
        const char* utf8;
    } const cases[] = {
        {"\x82\xA0", "あ"},
        {"\x83\x41", "ア"},
        {"\xB1", "ｱ"},
        {"\x81\x40", "　"},
        {"\x8A\xBF", "漢"},
        {"\x5C", "\\"},
        {"\x7E", "~"},
        {"\x81\x7C", "－"},
        {"\x87\x54", "Ⅰ"},
        {"\x82\x60\x82\x81", "Ａａ"},
        {"ABC\x93\xFA\x96\x7B", "ABC日本"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp::toUtf8(c.bytes), c.utf8) << c.utf8;
        EXPECT_EQ(cp::fromUtf8(c.utf8), c.bytes) << c.utf8;
    }
}

TEST(Cp932, CharactersWithoutACodeBecomeQuestionMarks) {
    struct Case {
        std::string utf8;
        const char* expected;
    } const cases[] = {
        {"caf\xC3\xA9", "caf?"},          // é
        {"a\xF0\x9F\x98\x80\x62", "a?b"}, // one emoji, one "?"
        {"a\xE3\x81\x62", "a?b"},         // a cut sequence is one "?"
        {"\xC0\xAF", "??"},               // overlong form
        {"\xED\xA0\x80", "???"},          // encoded surrogate: no valid prefix
    };
    for (const auto& c : cases)
        EXPECT_EQ(cp::fromUtf8(c.utf8), c.expected) << c.utf8;
    EXPECT_EQ(cp::fromUtf16(u"a\xD800\x0062"), "a?b"); // lone surrogate
    EXPECT_EQ(cp::fromUtf16(u"a\xDC00"), "a?");        // lone trail at the end
    EXPECT_EQ(cp::fromUtf16(u"\U0001F600\u5C71b"), "?\x8E\x52" "b"); // a pair is one "?"
    EXPECT_EQ(cp::fromUtf16(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(cp::fromUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932, Utf8AndUtf16RoundTripBeyondTheBmp) {
    const std::string text = "日本\xF0\x9F\x98\x80z";
    const std::u16string wide = cp::utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 5u);
    EXPECT_EQ(cp::utf16ToUtf8(wide), text);
}

TEST(Cp932, DecodingALoneLeadByteAtTheEndStaysInsideTheText) {
    // An exactly sized buffer, so that reading one byte too far is caught by the sanitizer.
    auto buffer = std::make_unique<char[]>(3);
    buffer[0] = 'a';
    buffer[1] = '\x82';
    buffer[2] = '\x82';
    const std::string_view text(buffer.get(), 3);
    EXPECT_EQ(cp::charCount(text), 2u); // a, then 0x82 0x82 as one pair
    const std::string_view tail(buffer.get() + 1, 1);
    EXPECT_EQ(cp::charCount(tail), 1u);
    EXPECT_EQ(cp::charLength(tail, 0), 1u);
    EXPECT_EQ(cp::charCode(tail, 0), 0x82u);
    EXPECT_EQ(cp::toUtf16(tail), u"\uFFFD");
    EXPECT_EQ(cp::toUtf16(std::string_view(buffer.get(), 2)), u"a\uFFFD");
}

TEST(Cp932, CountsAndCutsByCharacters) {
    const std::string text = "a\x82\xA0\x62\x83\x41\xB1"; // a あ b ア ｱ
    struct Case {
        std::size_t start;
        std::size_t count;
        std::string expected;
    } const cases[] = {
        {0, 1, "a"},
        {1, 1, "\x82\xA0"},
        {1, 2,
         "\x82\xA0"
         "b"},
        {3, 2, "\x83\x41\xB1"},
        {4, 10, "\xB1"},
        {5, 1, ""},
        {100, 1, ""},
        {0, 100, text},
    };
    EXPECT_EQ(cp::charCount(text), 5u);
    EXPECT_EQ(cp::charCount(""), 0u);
    for (const auto& c : cases)
        EXPECT_EQ(cp::midChars(text, c.start, c.count), c.expected) << c.start << "," << c.count;
    EXPECT_EQ(cp::byteOffset(text, 2), 3u);
    EXPECT_EQ(cp::byteOffset(text, 99), text.size());
    EXPECT_EQ(cp::leftChars(text, 2), "a\x82\xA0");
    // Three double-byte characters: the second one is bytes 2 and 3.
    EXPECT_EQ(cp::midChars("\x82\xA0\x82\xA2\x82\xA4", 1, 1), "\x82\xA2");
}

TEST(Cp932, LeadBytes) {
    std::vector<unsigned> leads;
    for (unsigned b = 0; b < 0x100; ++b)
        if (cp::isLeadByte(static_cast<unsigned char>(b)))
            leads.push_back(b);
    ASSERT_EQ(leads.size(), 31u + 29u);
    EXPECT_EQ(leads.front(), 0x81u);
    EXPECT_EQ(leads[30], 0x9Fu);
    EXPECT_EQ(leads[31], 0xE0u);
    EXPECT_EQ(leads.back(), 0xFCu);
}

} // namespace
