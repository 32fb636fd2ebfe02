// Folded order keys and the typed-text cut.
#include "control/list/ListOrder.h"

#include "platform/text/Cp932.h"

#include <algorithm>
#include <cstring>

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
    key.resize(folded.size() * 2);
    char* out = key.data();
    for (std::size_t i = 0; i < folded.size();) {
        const auto b = static_cast<unsigned char>(folded[i]);
        if (cp932::isLeadByte(b)) {
            if (i + 1 >= folded.size()) {
                break; // a lead byte at the end counts as the end
            }
            *out++ = static_cast<char>(b);
            *out++ = folded[i + 1];
            i += 2;
        } else {
            *out++ = '\0';
            *out++ = static_cast<char>(b);
            ++i;
        }
    }
    key.resize(static_cast<std::size_t>(out - key.data()));
}

KeyHead keyHead(std::string_view key) {
    auto word = [&](std::size_t from) {
        std::uint64_t w = 0;
        for (std::size_t i = from; i < from + 8; ++i) {
            w = (w << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
        }
        return w;
    };
    return KeyHead{word(0), word(8)};
}

void OrderKey::assign(std::string_view key, std::uint32_t stamp) {
    release();
    std::memset(buf_, 0, sizeof buf_);
    if (key.size() <= kInline) {
        if (!key.empty()) {
            std::memcpy(buf_, key.data(), key.size());
        }
        buf_[kTag] = static_cast<char>(key.size());
    } else {
        // The block: the key's length (4 bytes), then the key.
        const auto size = static_cast<std::uint32_t>(key.size());
        char* block = new char[sizeof size + key.size()];
        std::memcpy(block, &size, sizeof size);
        std::memcpy(block + sizeof size, key.data(), key.size());
        std::memcpy(buf_, key.data(), kHeapPrefix);
        std::memcpy(buf_ + kHeapPrefix, &block, sizeof block);
        buf_[kTag] = static_cast<char>(kHeap);
    }
    buf_[kStamp] = static_cast<char>(stamp);
}

void OrderKey::copyFrom(const OrderKey& other) {
    assign(other.view(), other.stamp());
}

void OrderKey::release() noexcept {
    if (onHeap()) {
        delete[] heapData();
    }
}

std::size_t OrderKey::size() const noexcept {
    if (!onHeap()) {
        return static_cast<unsigned char>(buf_[kTag]);
    }
    std::uint32_t size = 0;
    std::memcpy(&size, heapData(), sizeof size);
    return size;
}

std::string_view OrderKey::view() const noexcept {
    return onHeap() ? std::string_view(heapData() + sizeof(std::uint32_t), size()) : prefix();
}

int OrderKey::compareRest(const OrderKey& a, const OrderKey& b) noexcept {
    const std::string_view pa = a.prefix();
    const std::string_view pb = b.prefix();
    const std::size_t n = std::min(pa.size(), pb.size());
    if (n > 0) {
        if (const int c = std::memcmp(pa.data(), pb.data(), n); c != 0) {
            return c;
        }
    }
    // A key held whole inside its object may end inside the bytes compared: it orders first,
    // or the two are equal when both end there.
    const bool endA = !a.onHeap() && n == pa.size();
    const bool endB = !b.onHeap() && n == pb.size();
    if (endA || endB) {
        return endA && endB ? 0 : (endA ? -1 : 1);
    }
    return a.view().compare(b.view()); // two long keys alike in their first bytes
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
