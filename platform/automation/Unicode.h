// UTF-8 <-> UTF-16 for strings crossing the automation interface. Malformed input becomes
// U+FFFD; nothing is dropped silently and nothing reads out of bounds.
#pragma once

#include <string>
#include <string_view>

namespace plat::automation {

std::u16string toUtf16(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// ASCII-only case folding, for member and item names.
std::u16string foldAsciiLower(std::u16string_view s);

} // namespace plat::automation
