// The item rows of the list grid and their order keys, kept in chunks of up to 256 rows. A
// chunk keeps its rows and their order keys side by side in slots that do not move, and the
// rows' order as a small array of slot numbers: inserting or removing a row in the middle of a
// long list moves a few hundred bytes of one chunk. The store keeps a copy of every chunk's
// last key in one array, so a binary search of a sorted list reads a few small arrays instead
// of rows spread over the heap.
#pragma once

#include "control/list/CellArray.h"
#include "control/list/ListCell.h"
#include "control/list/ListOrder.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace vantil {

// A row of a long list: one allocation with room for two cells.
struct ListRow {
    std::int32_t height = 0;
    ItemAttributes item;
    CellArray cells; // one per column
};

class RowStore {
public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;
    ~RowStore() { clear(); }

    std::int32_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    ListRow& at(std::int32_t index);
    const ListRow& at(std::int32_t index) const;
    // The order key of row `index`: the folded column-0 text, valid while its stamp equals the
    // list's current folding stamp (0: not made). The caller may change it.
    OrderKey& keyAt(std::int32_t index);
    // No key matches its row any more (each is made again when next asked for).
    void invalidateKeys();
    // Inserts a row with a key not yet made.
    void insert(std::int32_t index, std::unique_ptr<ListRow> row);
    std::unique_ptr<ListRow> erase(std::int32_t index);
    void clear();
    // Puts the rows in a new order, each with its key: row i becomes the row that was at
    // order[i] (order holds every index once).
    void permute(const std::vector<std::int32_t>& order);

    // Calls f(index, row) for rows from..size()-1 in order until f returns false.
    template <class F> void forEachFrom(std::int32_t from, F&& f) {
        forEachKeyFrom(from, [&](std::int32_t i, ListRow& r, OrderKey&) { return f(i, r); });
    }
    // Calls f(index, row, key) likewise. Through `key`, f may only make the key current for
    // the row's text (the copies of the chunks' last keys rely on it).
    template <class F> void forEachKeyFrom(std::int32_t from, F&& f) {
        std::int32_t index = 0;
        for (auto& chunk : chunks_) {
            const std::int32_t n = chunk->size;
            if (index + n <= from) {
                index += n;
                continue;
            }
            OrderKey* keys = chunk->keys();
            for (std::int32_t k = from > index ? from - index : 0; k < n; ++k) {
                const std::uint16_t slot = chunk->order[k];
                if (!f(index + k, *chunk->rows[slot], keys[slot])) {
                    return;
                }
            }
            index += n;
        }
    }

    // The first index whose row satisfies `pred`, for a predicate that, once true, stays true
    // for every later row (size() when none does).
    template <class P> std::int32_t partitionPoint(P&& pred) {
        std::size_t lo = 0;
        std::size_t hi = chunks_.size();
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            const Chunk& c = *chunks_[mid];
            if (pred(c.row(c.size - 1))) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        if (lo == chunks_.size()) {
            return size_;
        }
        const Chunk& chunk = *chunks_[lo];
        std::int32_t a = 0;
        std::int32_t b = chunk.size - 1; // the last row satisfies pred
        while (a < b) {
            const std::int32_t mid = a + (b - a) / 2;
            if (pred(chunk.row(mid))) {
                b = mid;
            } else {
                a = mid + 1;
            }
        }
        return starts_[lo] + a;
    }

    // The same over the order keys, for a predicate on a key made current: `fresh(key, row)`
    // makes a key whose stamp is not `stamp` current for its row's text.
    template <class Fresh, class P>
    std::int32_t keyPartitionPoint(std::uint32_t stamp, Fresh&& fresh, P&& pred) {
        std::size_t lo = 0;
        std::size_t hi = chunks_.size();
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            OrderKey& last = lastKeys_[mid];
            if (last.stamp() != stamp) {
                Chunk& c = *chunks_[mid];
                OrderKey& real = c.key(c.size - 1);
                fresh(real, c.row(c.size - 1));
                last = real;
            }
            if (pred(last)) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        if (lo == chunks_.size()) {
            return size_;
        }
        Chunk& chunk = *chunks_[lo];
        lastChunk_ = lo; // the insertion that follows looks here first
        OrderKey* keys = chunk.keys();
        const std::uint16_t* order = chunk.order;
        // The key in the middle of the range [x, y]: the keys of the next two steps are
        // fetched while one is compared, so a step seldom waits for memory.
        auto middle = [](std::int32_t x, std::int32_t y) { return x + (y - x) / 2; };
        auto fetchMiddle = [&](std::int32_t x, std::int32_t y) {
            if (x < y) {
                __builtin_prefetch(&keys[order[middle(x, y)]]);
            }
        };
        std::int32_t a = 0;
        std::int32_t b = chunk.size - 1; // the last key satisfies pred
        fetchMiddle(a, middle(a, b));
        fetchMiddle(middle(a, b) + 1, b);
        while (a < b) {
            const std::int32_t mid = middle(a, b);
            const std::int32_t low = middle(a, mid);
            const std::int32_t high = middle(mid + 1, b);
            fetchMiddle(a, low);
            fetchMiddle(low + 1, mid);
            fetchMiddle(mid + 1, high);
            fetchMiddle(high + 1, b);
            OrderKey& key = keys[order[mid]];
            if (key.stamp() != stamp) {
                fresh(key, *chunk.rows[order[mid]]);
            }
            if (pred(key)) {
                b = mid;
            } else {
                a = mid + 1;
            }
        }
        return starts_[lo] + a;
    }

private:
    static constexpr std::int32_t kMaxChunk = 256;
    // One chunk: its rows (owned by the store) and their keys in slots 0..size-1, and the
    // slot of the k-th row in order[k]. It has room for one row more than the most it keeps,
    // so an insertion can be made before the chunk is split. Keys move as bytes when a slot
    // is reused: an order key has no pointer into itself.
    struct Chunk {
        Chunk() {}
        Chunk(const Chunk&) = delete;
        Chunk& operator=(const Chunk&) = delete;
        ~Chunk();
        OrderKey* keys() { return std::launder(reinterpret_cast<OrderKey*>(keyBytes)); }
        ListRow& row(std::int32_t k) const { return *rows[order[k]]; }
        OrderKey& key(std::int32_t k) { return keys()[order[k]]; }
        // Makes `row`, with a key not yet made, the k-th row.
        void insertAt(std::int32_t k, ListRow* row);
        // Removes the k-th row, destroying its key, and returns it.
        ListRow* eraseAt(std::int32_t k);
        // Moves rows from..size-1 to the empty chunk `to`, and the remaining rows' slots to
        // 0..from-1.
        void moveTail(std::int32_t from, Chunk& to);

        std::int32_t size = 0;
        std::uint16_t order[kMaxChunk + 1];
        ListRow* rows[kMaxChunk + 1];
        alignas(OrderKey) unsigned char keyBytes[(kMaxChunk + 1) * sizeof(OrderKey)];
    };

    // Chunk holding index, and the index's offset in it.
    std::size_t locate(std::int32_t index, std::int32_t& offset) const;
    void shiftStartsFrom(std::size_t chunk, std::int32_t by);
    void addChunk(std::size_t at);
    void eraseChunk(std::size_t at);

    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<std::int32_t> starts_; // first index of each chunk
    // A copy of each chunk's last key, or a key with stamp 0 when the chunk's last key changed
    // since the copy was taken.
    std::vector<OrderKey> lastKeys_;
    std::int32_t size_ = 0;
    mutable std::size_t lastChunk_ = 0; // the chunk the last look-up found
};

} // namespace vantil
