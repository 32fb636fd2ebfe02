// The item rows of the list grid, kept in chunks so that inserting or removing a row in the
// middle of a long list moves only one chunk's pointers.
#pragma once

#include "control/list/CellArray.h"
#include "control/list/ListCell.h"
#include "control/list/ListOrder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantil {

// A row of a long list: one allocation with room for two cells. What a search reads first
// (the order key and its folding stamp) comes first.
struct ListRow {
    // The folded column-0 text as an order key, valid while its stamp equals the list's
    // current folding stamp (0: not made).
    OrderKey orderKey;
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
    void insert(std::int32_t index, std::unique_ptr<ListRow> row);
    std::unique_ptr<ListRow> erase(std::int32_t index);
    void clear();
    // All rows in order, leaving the store empty, and the store refilled from rows.
    std::vector<std::unique_ptr<ListRow>> takeAll();
    void assign(std::vector<std::unique_ptr<ListRow>> rows);

    // Calls f(index, row) for rows from..size()-1 in order until f returns false.
    template <class F> void forEachFrom(std::int32_t from, F&& f) {
        std::int32_t index = 0;
        for (auto& chunk : chunks_) {
            const auto n = static_cast<std::int32_t>(chunk.size());
            if (index + n <= from) {
                index += n;
                continue;
            }
            for (std::int32_t k = from > index ? from - index : 0; k < n; ++k) {
                if (!f(index + k, *chunk[static_cast<std::size_t>(k)])) {
                    return;
                }
            }
            index += n;
        }
    }

    // The first index whose row satisfies `pred`, for a predicate that, once true, stays true
    // for every later row (size() when none does). Searches the chunks by their last rows
    // first, so the rows it reads are few and mostly the same from one search to the next.
    template <class P> std::int32_t partitionPoint(P&& pred) {
        std::size_t lo = 0;
        std::size_t hi = chunks_.size();
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (pred(*lastRows_[mid])) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        if (lo == chunks_.size()) {
            return size_;
        }
        const Chunk& chunk = chunks_[lo];
        std::size_t a = 0;
        std::size_t b = chunk.size() - 1; // the last row satisfies pred
        while (a < b) {
            const std::size_t mid = a + (b - a) / 2;
            // The rows the next step may read are fetched while this one is compared.
            __builtin_prefetch(chunk[a + (mid - a) / 2]);
            __builtin_prefetch(chunk[mid + 1 + (b - mid - 1) / 2]);
            if (pred(*chunk[mid])) {
                b = mid;
            } else {
                a = mid + 1;
            }
        }
        return starts_[lo] + static_cast<std::int32_t>(a);
    }

private:
    static constexpr std::size_t kMaxChunk = 256;
    // The store owns the rows; plain pointers let an insertion move a chunk's tail with one
    // memory move.
    using Chunk = std::vector<ListRow*>;
    // Chunk holding index, and the index's offset in it.
    std::size_t locate(std::int32_t index, std::int32_t& offset) const;
    void renumberFrom(std::size_t chunk);

    std::vector<Chunk> chunks_;
    std::vector<std::int32_t> starts_; // first index of each chunk
    // The last row of each chunk, side by side: a search over the chunks reads one array.
    std::vector<ListRow*> lastRows_;
    std::int32_t size_ = 0;
};

} // namespace vantil
