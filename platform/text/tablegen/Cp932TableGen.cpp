// Build-time generator of the code page 932 tables: asks the system's iconv converter for every
// single- and double-byte code and every BMP code point, and the C library's wide-character
// lower-casing for the double-byte letters, and writes them out as a C++ source file.
#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <iconv.h>
#include <vector>

namespace {

bool isLead(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// One conversion of a whole input; false when iconv rejects any part of it.
bool convert(iconv_t cd, const unsigned char* in, std::size_t inLen, unsigned char* out,
             std::size_t& outLen) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = reinterpret_cast<char*>(const_cast<unsigned char*>(in));
    char* dst = reinterpret_cast<char*>(out);
    std::size_t left = inLen;
    std::size_t room = outLen;
    if (iconv(cd, &src, &left, &dst, &room) == static_cast<std::size_t>(-1) || left != 0)
        return false;
    if (iconv(cd, nullptr, nullptr, &dst, &room) == static_cast<std::size_t>(-1))
        return false;
    outLen = outLen - room;
    return true;
}

void writeArray(std::FILE* f, const char* decl, const std::vector<std::uint32_t>& v) {
    std::fprintf(f, "%s = {\n", decl);
    for (std::size_t i = 0; i < v.size(); ++i)
        std::fprintf(f, "0x%X,%s", v[i], (i % 16 == 15) ? "\n" : "");
    std::fprintf(f, "};\n\n");
}

// Decode: index = byte for single bytes, lead * 256 + trail for pairs; 0xFFFF = unmapped.
std::vector<std::uint32_t> decodeTable(iconv_t dec) {
    std::vector<std::uint32_t> decode(0x10000, 0xFFFF);
    for (unsigned code = 0; code < 0x10000; ++code) {
        unsigned char in[2];
        std::size_t inLen = 0;
        if (code < 0x100) {
            if (isLead(code))
                continue;
            in[0] = static_cast<unsigned char>(code);
            inLen = 1;
        } else {
            if (!isLead(code >> 8))
                continue;
            in[0] = static_cast<unsigned char>(code >> 8);
            in[1] = static_cast<unsigned char>(code & 0xFF);
            inLen = 2;
        }
        unsigned char out[16];
        std::size_t outLen = sizeof out;
        if (convert(dec, in, inLen, out, outLen) && outLen == 2)
            decode[code] = (static_cast<unsigned>(out[0]) << 8) | out[1];
    }
    return decode;
}

// Encode: index = BMP code point; value = code page code, 0 = unmapped (except U+0000).
std::vector<std::uint32_t> encodeTable(iconv_t enc) {
    std::vector<std::uint32_t> encode(0x10000, 0);
    for (unsigned u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        unsigned char in[2] = {static_cast<unsigned char>(u >> 8),
                               static_cast<unsigned char>(u & 0xFF)};
        unsigned char out[16];
        std::size_t outLen = sizeof out;
        if (!convert(enc, in, 2, out, outLen))
            continue;
        if (outLen == 1)
            encode[u] = out[0];
        else if (outLen == 2 && isLead(out[0]))
            encode[u] = (static_cast<unsigned>(out[0]) << 8) | out[1];
    }
    return encode;
}

// Lower-casing of double-byte characters: decode, lower-case, encode back; kept only when
// the result is again a different double-byte character.
std::vector<std::uint32_t> lowerPairsOf(const std::vector<std::uint32_t>& decode,
                                        const std::vector<std::uint32_t>& encode) {
    std::vector<std::uint32_t> lowerPairs;
    for (unsigned code = 0x8100; code < 0x10000; ++code) {
        const std::uint32_t u = decode[code];
        if (u == 0xFFFF)
            continue;
        const auto lower = static_cast<std::uint32_t>(std::towlower(static_cast<wint_t>(u)));
        if (lower == u || lower >= 0x10000)
            continue;
        const std::uint32_t back = encode[lower];
        if (back >= 0x8100 && back != code) {
            lowerPairs.push_back(code);
            lowerPairs.push_back(back);
        }
    }
    return lowerPairs;
}

bool writeTables(const char* path, const std::vector<std::uint32_t>& decode,
                 const std::vector<std::uint32_t>& encode,
                 const std::vector<std::uint32_t>& lowerPairs) {
    std::FILE* f = std::fopen(path, "w");
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return false;
    }
    std::fprintf(f, "// Generated at build time from the system's CP932 converter. Do not edit.\n"
                    "#include \"platform/text/Cp932Tables.h\"\n\n"
                    "namespace plat::text::detail {\n\n");
    writeArray(f, "const char16_t kCp932Decode[0x10000]", decode);
    writeArray(f, "const std::uint16_t kCp932Encode[0x10000]", encode);
    writeArray(f, "const std::uint16_t kCp932LowerPairs[]", lowerPairs);
    std::fprintf(f, "const std::size_t kCp932LowerPairCount = %zu;\n\n", lowerPairs.size() / 2);
    std::fprintf(f, "} // namespace plat::text::detail\n");
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
        return 2;
    }
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) {
        std::fprintf(stderr, "C.UTF-8 locale not available\n");
        return 1;
    }
    iconv_t dec = iconv_open("UTF-16BE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-16BE");
    if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "iconv CP932 not available: %s\n", std::strerror(errno));
        return 1;
    }
    const std::vector<std::uint32_t> decode = decodeTable(dec);
    const std::vector<std::uint32_t> encode = encodeTable(enc);
    const bool ok = writeTables(argv[1], decode, encode, lowerPairsOf(decode, encode));
    iconv_close(dec);
    iconv_close(enc);
    return ok ? 0 : 1;
}
