// The item orders of the list: folded order keys for the text order, the data order, and the
// whole-list sort (a quicksort phase with a bounded explicit stack, then an insertion phase).
#pragma once

#include "platform/text/Folding.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantil {

// SortedConstants.
inline constexpr std::int16_t kSortNone = 0;
inline constexpr std::int16_t kSortTextAscending = 1;
inline constexpr std::int16_t kSortTextDescending = 2;
inline constexpr std::int16_t kSortDataAscending = 3;
inline constexpr std::int16_t kSortDataDescending = 4;

constexpr bool isDataSort(std::int16_t sorted) {
    return sorted == kSortDataAscending || sorted == kSortDataDescending;
}
constexpr bool isDescending(std::int16_t sorted) {
    return sorted == kSortTextDescending || sorted == kSortDataDescending;
}

// A stamp naming the folding options (never 0, so 0 can mean "not computed").
std::uint32_t foldStamp(plat::text::FoldOptions options);

// The folded text written as two bytes per character (a single byte b as 0x00 b, a double-byte
// character as lead trail; a lead byte at the very end is dropped). Comparing two keys byte
// by byte gives the text order of the folded texts. `scratch` is a reused folding buffer.
void makeOrderKey(std::string_view text, plat::text::FoldOptions options, std::string& key,
                  std::string& scratch);
std::string orderKey(std::string_view text, plat::text::FoldOptions options);

// <0, 0, >0 in the text order of two order keys.
inline int compareKeys(std::string_view a, std::string_view b) {
    return a.compare(b);
}

// The first sixteen bytes of an order key (zeros past its end) as two numbers: two heads
// compare as the keys' first sixteen bytes do, and equal heads leave the decision to the whole
// keys. Sixteen bytes are eight characters, enough to tell most list texts apart.
struct KeyHead {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    friend auto operator<=>(const KeyHead&, const KeyHead&) = default;
};
KeyHead keyHead(std::string_view key);

inline int compareKeys(const KeyHead& headA, std::string_view a, const KeyHead& headB,
                       std::string_view b) {
    if (headA != headB) {
        return headA < headB ? -1 : 1;
    }
    return a.compare(b);
}

// An order key kept beside its row in the row store, with the folding stamp it was made under
// (0: none). Keys of up to 30 bytes (fifteen characters) live inside the object; a longer key
// keeps its first 22 bytes inside and the whole key in one allocation of its own. Most
// comparisons of a sorted insertion or a sort read nothing but the two objects.
class OrderKey {
public:
    OrderKey() noexcept { std::memset(buf_, 0, sizeof buf_); }
    OrderKey(const OrderKey& other) : OrderKey() { copyFrom(other); }
    OrderKey(OrderKey&& other) noexcept {
        std::memcpy(buf_, other.buf_, sizeof buf_);
        other.buf_[kTag] = 0;
        other.buf_[kStamp] = 0;
    }
    ~OrderKey() { release(); }
    OrderKey& operator=(const OrderKey& other) {
        if (this != &other) {
            OrderKey copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    OrderKey& operator=(OrderKey&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(buf_, other.buf_, sizeof buf_);
            other.buf_[kTag] = 0;
            other.buf_[kStamp] = 0;
        }
        return *this;
    }

    void assign(std::string_view key, std::uint32_t stamp);
    void clear() noexcept {
        release();
        std::memset(buf_, 0, sizeof buf_);
    }
    // The key no longer matches its row's text; it is made again when next asked for.
    void invalidate() noexcept { buf_[kStamp] = 0; }
    std::uint32_t stamp() const noexcept { return static_cast<unsigned char>(buf_[kStamp]); }
    std::size_t size() const noexcept;
    std::string_view view() const noexcept;
    // Zeros past a short key's end, as keyHead gives; a long key keeps more than sixteen
    // bytes inside.
    KeyHead head() const noexcept { return KeyHead{word(0), word(8)}; }

    friend int compareKeys(const OrderKey& a, const OrderKey& b) noexcept {
        // The first 22 bytes (zeros past a short key's end) as three numbers decide most
        // comparisons; the rest is compared only when they are alike.
        const std::uint64_t a1 = a.word(0);
        const std::uint64_t b1 = b.word(0);
        if (a1 != b1) {
            return a1 < b1 ? -1 : 1;
        }
        const std::uint64_t a2 = a.word(8);
        const std::uint64_t b2 = b.word(8);
        if (a2 != b2) {
            return a2 < b2 ? -1 : 1;
        }
        const std::uint64_t a3 = a.word(16) >> 16;
        const std::uint64_t b3 = b.word(16) >> 16;
        if (a3 != b3) {
            return a3 < b3 ? -1 : 1;
        }
        return compareRest(a, b);
    }

private:
    // Eight bytes from `at` as a number that orders as they do.
    std::uint64_t word(std::size_t at) const noexcept {
        std::uint64_t w = 0;
        std::memcpy(&w, buf_ + at, sizeof w);
        return __builtin_bswap64(w);
    }
    static int compareRest(const OrderKey& a, const OrderKey& b) noexcept;

    static constexpr std::size_t kInline = 30;
    static constexpr std::size_t kHeapPrefix = 22;
    static constexpr std::size_t kTag = 30; // inline length, or kHeap
    static constexpr std::size_t kStamp = 31;
    static constexpr unsigned char kHeap = 0xFF;

    bool onHeap() const noexcept { return static_cast<unsigned char>(buf_[kTag]) == kHeap; }
    const char* heapData() const noexcept {
        const char* p = nullptr;
        std::memcpy(&p, buf_ + kHeapPrefix, sizeof p);
        return p;
    }
    // The bytes held inside the object: the whole key, or the first 22 bytes of a long one.
    std::string_view prefix() const noexcept {
        return onHeap() ? std::string_view(buf_, kHeapPrefix)
                        : std::string_view(buf_, static_cast<unsigned char>(buf_[kTag]));
    }
    void copyFrom(const OrderKey& other);
    void release() noexcept;

    char buf_[32];
};

// The number of characters in the typed-text cut of text to n bytes (the n-th byte's character
// completed when the cut would end on a lead byte).
std::size_t cutCharCount(std::string_view text, std::size_t n);

// One entry of a sort: the row being moved and its sort value.
template <class Row> struct SortEntry {
    Row row;
    KeyHead head;          // text sorts: the key's head
    std::string_view key;  // text sorts
    std::int32_t data = 0; // data sorts
};

struct SortStats {
    std::size_t maxStackDepth = 0;
};

// Sorts entries in place by `before(a, b)` < 0 meaning "a orders before b": quicksort ranges of
// more than 11 items with the middle item's value as pivot and an explicit stack of at most 32
// pending ranges (the larger part is pushed, the smaller processed next), then an insertion
// pass that moves each item above the items that order strictly after it.
template <class Entry, class Compare> SortStats sortEntries(std::vector<Entry>& v, Compare cmp) {
    SortStats stats;
    const auto n = static_cast<std::int64_t>(v.size());
    if (n < 2) {
        return stats;
    }
    constexpr std::size_t kStack = 32;
    constexpr std::int64_t kSmall = 10;
    std::int64_t stackFirst[kStack];
    std::int64_t stackLast[kStack];
    std::size_t depth = 0;
    std::int64_t first = 0;
    std::int64_t last = n - 1;
    for (;;) {
        if (last - first > kSmall) {
            const Entry pivot = v[static_cast<std::size_t>((first + last) / 2)];
            std::int64_t i = first;
            std::int64_t j = last;
            for (;;) {
                while (cmp(v[static_cast<std::size_t>(i)], pivot) < 0) {
                    ++i;
                }
                while (cmp(pivot, v[static_cast<std::size_t>(j)]) < 0) {
                    --j;
                }
                if (i < j) {
                    std::swap(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(j)]);
                    ++i;
                    --j;
                } else {
                    break;
                }
            }
            // Parts [first, leftEnd] and [rightStart, last]; an item the cursors met on
            // equals the pivot and belongs to neither.
            const std::int64_t leftEnd = i == j ? j - 1 : j;
            const std::int64_t rightStart = i == j ? i + 1 : i;
            std::int64_t bigFirst = first, bigLast = leftEnd, smallFirst = rightStart,
                         smallLast = last;
            if (leftEnd - first < last - rightStart) {
                std::swap(bigFirst, smallFirst);
                std::swap(bigLast, smallLast);
            }
            if (bigLast - bigFirst + 1 > kSmall && depth < kStack) {
                stackFirst[depth] = bigFirst;
                stackLast[depth] = bigLast;
                ++depth;
                stats.maxStackDepth = std::max(stats.maxStackDepth, depth);
            }
            first = smallFirst;
            last = smallLast;
            continue;
        }
        if (depth == 0) {
            break;
        }
        --depth;
        first = stackFirst[depth];
        last = stackLast[depth];
    }
    for (std::int64_t k = 1; k < n; ++k) {
        Entry lifted = std::move(v[static_cast<std::size_t>(k)]);
        std::int64_t gap = k;
        while (gap > 0 && cmp(v[static_cast<std::size_t>(gap - 1)], lifted) > 0) {
            v[static_cast<std::size_t>(gap)] = std::move(v[static_cast<std::size_t>(gap - 1)]);
            --gap;
        }
        v[static_cast<std::size_t>(gap)] = std::move(lifted);
    }
    return stats;
}

} // namespace vantil
