// Text folding and order for code page 932 strings: the three conversions the control's
// IgnoreCase, IgnoreKanaCase and IgnoreCharSet switch on, the character-wise text order,
// the cut used for typed-text matching and the mask test.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat::text {

struct FoldOptions {
    bool ignoreCase = false;
    bool ignoreKanaCase = false;
    bool ignoreCharSet = false;
};

// Per-character conversions on code values (a byte, or lead * 256 + trail); a character the
// conversion does not cover comes back unchanged.
// A-Z and the double-byte letters with a lower-case form in the code page (full-width Latin,
// Greek, Cyrillic, Roman numerals).
unsigned lowerCaseChar(unsigned code);
// Hiragana 0x829F-0x82F1 to the katakana of the same sound.
unsigned hiraganaToKatakana(unsigned code);
// Printable ASCII and half-width katakana to their double-byte forms, one character at a time.
unsigned singleToDoubleByte(unsigned code);

// Applies the enabled conversions in the order case, kana, character set. The result is at
// most twice as long as the text. A lead byte at the very end is kept as it is.
std::string foldText(std::string_view text, FoldOptions options);
void foldText(std::string_view text, FoldOptions options, std::string& out);

// Character by character by code value (single bytes before double-byte characters); a prefix
// orders first; a lead byte directly before the end counts as the end. <0, 0 or >0.
int compareText(std::string_view a, std::string_view b);

// The first n bytes of text, or n + 1 when the n-th byte is the lead byte of a double-byte
// character, so that a cut never splits a character.
std::string_view cutForMatch(std::string_view text, std::size_t n);

// True when the folded mask matches the start of the folded text: "?" stands for any
// single-byte character, "？" (0x8148) for any double-byte one; an empty mask matches all.
bool maskMatches(std::string_view mask, std::string_view text);

} // namespace plat::text
