// Code page 932 (Shift-JIS) text as the control holds it: lead-byte tests, counting and cutting
// by characters (a double-byte character is one), and conversion to and from UTF-16 and UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat::text::cp932 {

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Byte length (1 or 2) of the character starting at byte offset pos; a lead byte in the last
// position is a character of its own. pos must be below text.size().
std::size_t charLength(std::string_view text, std::size_t pos);

// Code value of the character at pos: the byte, or lead * 256 + trail; a lone lead byte at the
// end is its own byte value.
unsigned charCode(std::string_view text, std::size_t pos);

// Appends one character given by its code value (a byte below 0x100, else two bytes).
void appendChar(std::string& out, unsigned code);

std::size_t charCount(std::string_view text);
// Byte offset of character index chars, clipped to the end of the text.
std::size_t byteOffset(std::string_view text, std::size_t chars);
// The first chars characters, and count characters from character index start (both clipped).
std::string_view leftChars(std::string_view text, std::size_t chars);
std::string_view midChars(std::string_view text, std::size_t start, std::size_t count);

// Decoding never reads past the end; a code without a mapping (and a lone lead byte at the
// end) becomes U+FFFD. Encoding turns every character without a code into "?" (0x3F).
std::u16string toUtf16(std::string_view text);
std::string fromUtf16(std::u16string_view text);
// The same into `out`, replacing what it held and keeping its storage for the next text.
void fromUtf16(std::u16string_view text, std::string& out);
std::string toUtf8(std::string_view text);
std::string fromUtf8(std::string_view utf8);

// UTF-8 and UTF-16 between each other (ill-formed UTF-8 sequences become U+FFFD).
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);

} // namespace plat::text::cp932
