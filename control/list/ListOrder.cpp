// Folded order keys and the typed-text cut.
#include "control/list/ListOrder.h"

#include "platform/text/Cp932.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

namespace vantil {

namespace cp932 = plat::text::cp932;

std::uint32_t foldStamp(plat::text::FoldOptions o) {
    return 0x10u | (o.ignoreCase ? 1u : 0u) | (o.ignoreKanaCase ? 2u : 0u) |
           (o.ignoreCharSet ? 4u : 0u);
}

namespace {

// The key through the folded text: fold, then write each folded character as two bytes.
void keyByFolding(std::string_view text, plat::text::FoldOptions options, std::string& key,
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

// The two key bytes of every character under one set of folding options, made once from the
// folding itself: single bytes by their value, double-byte characters from 256 on by lead
// (0x81-0x9F, then 0xE0-0xFC) and trail. Folding works character by character, so a key is
// its characters' units one after the other.
constexpr std::size_t kLeadBytes = 60;
constexpr std::uint16_t kNotOneCharacter = 0xFFFF; // never a unit: 0xFF is no lead byte

struct KeyUnits {
    std::uint16_t unit[256 + kLeadBytes * 256];
};

constexpr std::size_t leadSlot(unsigned lead) {
    return 256 + (lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31) * 256;
}

std::unique_ptr<KeyUnits> makeKeyUnits(plat::text::FoldOptions options) {
    auto units = std::make_unique<KeyUnits>();
    std::string key;
    std::string scratch;
    const bool folds = options.ignoreCase || options.ignoreKanaCase || options.ignoreCharSet;
    auto unitOf = [&](std::string_view character) -> std::uint16_t {
        const std::string folded =
            folds ? plat::text::foldText(character, options) : std::string(character);
        const auto first = static_cast<unsigned char>(folded.empty() ? 0 : folded[0]);
        const bool oneCharacter = folded.size() == (cp932::isLeadByte(first) ? 2u : 1u);
        if (!oneCharacter) {
            return kNotOneCharacter; // none so far: such a text keeps the slow way
        }
        keyByFolding(character, options, key, scratch);
        return static_cast<std::uint16_t>(static_cast<unsigned char>(key[0]) << 8 |
                                          static_cast<unsigned char>(key[1]));
    };
    for (unsigned b = 0; b < 256; ++b) {
        const char ch = static_cast<char>(b);
        units->unit[b] = cp932::isLeadByte(static_cast<unsigned char>(b))
                             ? kNotOneCharacter
                             : unitOf(std::string_view(&ch, 1));
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp932::isLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            units->unit[leadSlot(lead) + trail] = unitOf(std::string_view(pair, 2));
        }
    }
    return units;
}

const KeyUnits& keyUnits(plat::text::FoldOptions options) {
    static std::atomic<const KeyUnits*> made[8];
    static std::mutex making;
    const std::uint32_t which = foldStamp(options) & 7u;
    if (const KeyUnits* units = made[which].load(std::memory_order_acquire)) {
        return *units;
    }
    const std::lock_guard<std::mutex> lock(making);
    if (made[which].load(std::memory_order_relaxed) == nullptr) {
        made[which].store(makeKeyUnits(options).release(), std::memory_order_release);
    }
    return *made[which].load(std::memory_order_relaxed);
}

} // namespace

void makeOrderKey(std::string_view text, plat::text::FoldOptions options, std::string& key,
                  std::string& scratch) {
    // One table look-up a character: keys are made for every text a sorted list is given.
    const KeyUnits& units = keyUnits(options);
    key.resize(text.size() * 2);
    char* out = key.data();
    const auto* src = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned b = src[i];
        std::uint16_t unit = 0;
        if (cp932::isLeadByte(static_cast<unsigned char>(b))) {
            if (i + 1 >= n) {
                break; // a lead byte at the end counts as the end
            }
            unit = units.unit[leadSlot(b) + src[i + 1]];
            i += 2;
        } else {
            unit = units.unit[b];
            ++i;
        }
        if (unit == kNotOneCharacter) [[unlikely]] {
            keyByFolding(text, options, key, scratch);
            return;
        }
        *out++ = static_cast<char>(unit >> 8);
        *out++ = static_cast<char>(unit & 0xFF);
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
