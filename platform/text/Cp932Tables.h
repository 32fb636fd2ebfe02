// The code page 932 tables generated at build time (see tablegen/); used only inside plat_text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::text::detail {

// Unicode of a code: index = byte for single bytes, lead * 256 + trail for pairs.
inline constexpr char16_t kUnmapped = 0xFFFF;
extern const char16_t kCp932Decode[0x10000];
// Code of a BMP code point (a byte below 0x100, else lead * 256 + trail); 0 = no code.
extern const std::uint16_t kCp932Encode[0x10000];
// Double-byte lower-casing as (upper, lower) pairs, sorted by the upper code.
extern const std::uint16_t kCp932LowerPairs[];
extern const std::size_t kCp932LowerPairCount;

} // namespace plat::text::detail
