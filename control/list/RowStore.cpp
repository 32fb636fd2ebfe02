// Chunked row storage of the list grid.
#include "control/list/RowStore.h"

#include <algorithm>
#include <functional>

namespace vantil {

std::size_t RowStore::locate(std::int32_t index, std::int32_t& offset) const {
    auto it = std::upper_bound(starts_.begin(), starts_.end(), index);
    const auto c = static_cast<std::size_t>(it - starts_.begin()) - 1;
    offset = index - starts_[c];
    return c;
}

void RowStore::renumberFrom(std::size_t chunk) {
    starts_.resize(chunks_.size());
    lastRows_.resize(chunks_.size());
    std::int32_t start =
        chunk == 0 ? 0 : starts_[chunk - 1] + static_cast<std::int32_t>(chunks_[chunk - 1].size());
    for (std::size_t c = chunk; c < chunks_.size(); ++c) {
        starts_[c] = start;
        if (c <= chunk + 1) {
            lastRows_[c] = chunks_[c].back(); // only the changed chunk and its new neighbour
        }
        start += static_cast<std::int32_t>(chunks_[c].size());
    }
}

ListRow& RowStore::at(std::int32_t index) {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    return *chunks_[c][static_cast<std::size_t>(offset)];
}

const ListRow& RowStore::at(std::int32_t index) const {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    return *chunks_[c][static_cast<std::size_t>(offset)];
}

void RowStore::insert(std::int32_t index, std::unique_ptr<ListRow> row) {
    if (chunks_.empty()) {
        chunks_.emplace_back();
        starts_.push_back(0);
    }
    std::size_t c = 0;
    std::int32_t offset = 0;
    if (index >= size_) {
        c = chunks_.size() - 1;
        offset = static_cast<std::int32_t>(chunks_[c].size());
    } else {
        c = locate(index, offset);
    }
    Chunk& chunk = chunks_[c];
    chunk.insert(chunk.begin() + offset, row.release());
    ++size_;
    if (chunk.size() > kMaxChunk) {
        Chunk upper(chunk.begin() + kMaxChunk / 2, chunk.end());
        chunk.resize(kMaxChunk / 2);
        chunks_.insert(chunks_.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(upper));
        lastRows_.insert(lastRows_.begin() + static_cast<std::ptrdiff_t>(c) + 1, nullptr);
    }
    renumberFrom(c);
}

std::unique_ptr<ListRow> RowStore::erase(std::int32_t index) {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    Chunk& chunk = chunks_[c];
    std::unique_ptr<ListRow> row(chunk[static_cast<std::size_t>(offset)]);
    chunk.erase(chunk.begin() + offset);
    --size_;
    if (chunk.empty()) {
        chunks_.erase(chunks_.begin() + static_cast<std::ptrdiff_t>(c));
        lastRows_.erase(lastRows_.begin() + static_cast<std::ptrdiff_t>(c));
    }
    renumberFrom(c);
    return row;
}

void RowStore::clear() {
    // Rows are freed in the order of their addresses, which is mostly the order they were
    // made in: a sorted list's own order would visit the heap at random.
    std::vector<ListRow*> all;
    all.reserve(static_cast<std::size_t>(size_));
    for (Chunk& chunk : chunks_) {
        all.insert(all.end(), chunk.begin(), chunk.end());
    }
    chunks_.clear();
    starts_.clear();
    lastRows_.clear();
    size_ = 0;
    std::sort(all.begin(), all.end(), std::less<ListRow*>());
    for (ListRow* row : all) {
        delete row;
    }
}

std::vector<std::unique_ptr<ListRow>> RowStore::takeAll() {
    std::vector<std::unique_ptr<ListRow>> all;
    all.reserve(static_cast<std::size_t>(size_));
    for (Chunk& chunk : chunks_) {
        for (ListRow* row : chunk) {
            all.emplace_back(row);
        }
    }
    chunks_.clear();
    starts_.clear();
    lastRows_.clear();
    size_ = 0;
    return all;
}

void RowStore::assign(std::vector<std::unique_ptr<ListRow>> rows) {
    clear();
    const std::size_t per = kMaxChunk / 2;
    for (std::size_t i = 0; i < rows.size(); i += per) {
        Chunk chunk;
        const std::size_t end = std::min(rows.size(), i + per);
        chunk.reserve(end - i);
        for (std::size_t k = i; k < end; ++k) {
            chunk.push_back(rows[k].release());
        }
        chunks_.push_back(std::move(chunk));
    }
    size_ = static_cast<std::int32_t>(rows.size());
    renumberFrom(0);
    for (std::size_t c = 0; c < chunks_.size(); ++c) {
        lastRows_[c] = chunks_[c].back();
    }
}

} // namespace vantil
