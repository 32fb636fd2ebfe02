// Folded order keys and the typed-text cut.
#include "control/list/ListOrder.h"

#include "platform/text/Cp932.h"

namespace vantil {

namespace cp932 = plat::text::cp932;

std::uint32_t foldStamp(plat::text::FoldOptions o) {
    return 0x10u | (o.ignoreCase ? 1u : 0u) | (o.ignoreKanaCase ? 2u : 0u) |
           (o.ignoreCharSet ? 4u : 0u);
}

void makeOrderKey(std::string_view text, plat::text::FoldOptions options, std::string& key,
                  std::string& scratch) {
    std::string_view folded = text;
    if (options.ignoreCase || options.ignoreKanaCase || options.ignoreCharSet) {
        plat::text::foldText(text, options, scratch);
        folded = scratch;
    }
    key.clear();
    key.reserve(folded.size() * 2);
    for (std::size_t i = 0; i < folded.size();) {
        const auto b = static_cast<unsigned char>(folded[i]);
        if (cp932::isLeadByte(b)) {
            if (i + 1 >= folded.size()) {
                break; // a lead byte at the end counts as the end
            }
            key.push_back(static_cast<char>(b));
            key.push_back(folded[i + 1]);
            i += 2;
        } else {
            key.push_back('\0');
            key.push_back(static_cast<char>(b));
            ++i;
        }
    }
}

std::string orderKey(std::string_view text, plat::text::FoldOptions options) {
    std::string key;
    std::string scratch;
    makeOrderKey(text, options, key, scratch);
    return key;
}

std::size_t cutCharCount(std::string_view text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t pos = 0; pos < n && pos < text.size(); ++chars) {
        const auto b = static_cast<unsigned char>(text[pos]);
        if (cp932::isLeadByte(b) && pos + 1 >= text.size()) {
            break; // a lead byte at the end counts as the end
        }
        pos += cp932::charLength(text, pos);
    }
    return chars;
}

} // namespace vantil
