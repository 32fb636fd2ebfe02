// The item rows of the list grid, kept in chunks so that inserting or removing a row in the
// middle of a long list moves only one chunk's pointers.
#pragma once

#include "control/list/ListCell.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantil {

struct ListRow {
    std::vector<CListCell> cells; // one per column
    std::int32_t height = 0;
    ItemAttributes item;
    // The folded column-0 text as an order key, valid while foldStamp equals the list's
    // current folding stamp (0: not computed).
    std::string orderKey;
    std::uint32_t foldStamp = 0;
};

class RowStore {
public:
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

private:
    static constexpr std::size_t kMaxChunk = 1024;
    using Chunk = std::vector<std::unique_ptr<ListRow>>;
    // Chunk holding index, and the index's offset in it.
    std::size_t locate(std::int32_t index, std::int32_t& offset) const;
    void renumberFrom(std::size_t chunk);

    std::vector<Chunk> chunks_;
    std::vector<std::int32_t> starts_; // first index of each chunk
    std::int32_t size_ = 0;
};

} // namespace vantil
