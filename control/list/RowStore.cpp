// Chunked row storage of the list grid.
#include "control/list/RowStore.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vantil {

RowStore::Chunk::~Chunk() {
    OrderKey* k = keys();
    for (std::int32_t i = 0; i < size; ++i) {
        k[i].~OrderKey();
    }
}

void RowStore::Chunk::insertAt(std::int32_t k, ListRow* row) {
    const auto slot = static_cast<std::uint16_t>(size);
    rows[slot] = row;
    new (keyBytes + slot * sizeof(OrderKey)) OrderKey();
    std::memmove(&order[k + 1], &order[k], static_cast<std::size_t>(size - k) * sizeof order[0]);
    order[k] = slot;
    ++size;
}

ListRow* RowStore::Chunk::eraseAt(std::int32_t k) {
    const std::uint16_t slot = order[k];
    ListRow* row = rows[slot];
    keys()[slot].~OrderKey();
    std::memmove(&order[k], &order[k + 1],
                 static_cast<std::size_t>(size - k - 1) * sizeof order[0]);
    --size;
    const auto last = static_cast<std::uint16_t>(size);
    if (slot != last) {
        // The row in the last slot takes the freed one, so the slots stay 0..size-1.
        rows[slot] = rows[last];
        std::memcpy(keyBytes + slot * sizeof(OrderKey), keyBytes + last * sizeof(OrderKey),
                    sizeof(OrderKey));
        *std::find(order, order + size, last) = slot;
    }
    return row;
}

void RowStore::Chunk::moveTail(std::int32_t from, Chunk& to) {
    for (std::int32_t k = from; k < size; ++k) {
        const auto i = static_cast<std::size_t>(k - from);
        to.rows[i] = rows[order[k]];
        std::memcpy(to.keyBytes + i * sizeof(OrderKey), keyBytes + order[k] * sizeof(OrderKey),
                    sizeof(OrderKey));
        to.order[i] = static_cast<std::uint16_t>(i);
    }
    to.size = size - from;
    // The rows that stay move to the first slots, in order.
    ListRow* keptRows[kMaxChunk + 1];
    alignas(OrderKey) unsigned char keptKeys[(kMaxChunk + 1) * sizeof(OrderKey)];
    for (std::int32_t k = 0; k < from; ++k) {
        keptRows[k] = rows[order[k]];
        std::memcpy(keptKeys + k * sizeof(OrderKey), keyBytes + order[k] * sizeof(OrderKey),
                    sizeof(OrderKey));
        order[k] = static_cast<std::uint16_t>(k);
    }
    std::memcpy(rows, keptRows, static_cast<std::size_t>(from) * sizeof rows[0]);
    std::memcpy(keyBytes, keptKeys, static_cast<std::size_t>(from) * sizeof(OrderKey));
    size = from;
}

std::size_t RowStore::locate(std::int32_t index, std::int32_t& offset) const {
    // Most look-ups fall into the chunk of the one before (an insertion and the reads that
    // follow it, a walk over the visible rows).
    if (lastChunk_ < chunks_.size()) {
        const std::int32_t at = index - starts_[lastChunk_];
        if (at >= 0 && at < chunks_[lastChunk_]->size) {
            offset = at;
            return lastChunk_;
        }
    }
    auto it = std::upper_bound(starts_.begin(), starts_.end(), index);
    const auto c = static_cast<std::size_t>(it - starts_.begin()) - 1;
    offset = index - starts_[c];
    lastChunk_ = c;
    return c;
}

void RowStore::shiftStartsFrom(std::size_t chunk, std::int32_t by) {
    // One row more or fewer in a chunk moves the start of every later chunk, four starts at a
    // time.
    using Four = std::int32_t __attribute__((vector_size(16)));
    const Four add = {by, by, by, by};
    std::int32_t* s = starts_.data() + chunk;
    std::int32_t* const end = starts_.data() + starts_.size();
    for (; end - s >= 4; s += 4) {
        Four v;
        std::memcpy(&v, s, sizeof v);
        v += add;
        std::memcpy(s, &v, sizeof v);
    }
    for (; s < end; ++s) {
        *s += by;
    }
}

void RowStore::addChunk(std::size_t at) {
    const auto pos = static_cast<std::ptrdiff_t>(at);
    chunks_.insert(chunks_.begin() + pos, std::make_unique<Chunk>());
    starts_.insert(starts_.begin() + pos, 0);
    lastKeys_.insert(lastKeys_.begin() + pos, OrderKey());
}

void RowStore::eraseChunk(std::size_t at) {
    const auto pos = static_cast<std::ptrdiff_t>(at);
    chunks_.erase(chunks_.begin() + pos);
    starts_.erase(starts_.begin() + pos);
    lastKeys_.erase(lastKeys_.begin() + pos);
}

ListRow& RowStore::at(std::int32_t index) {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    return chunks_[c]->row(offset);
}

const ListRow& RowStore::at(std::int32_t index) const {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    const Chunk& chunk = *chunks_[c];
    return *chunk.rows[chunk.order[offset]];
}

OrderKey& RowStore::keyAt(std::int32_t index) {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    Chunk& chunk = *chunks_[c];
    if (offset == chunk.size - 1) {
        lastKeys_[c].invalidate(); // the caller may change it
    }
    return chunk.key(offset);
}

void RowStore::invalidateKeys() {
    forEachKeyFrom(0, [](std::int32_t, ListRow&, OrderKey& key) {
        key.invalidate();
        return true;
    });
    for (OrderKey& last : lastKeys_) {
        last.invalidate();
    }
}

void RowStore::insert(std::int32_t index, std::unique_ptr<ListRow> row) {
    std::size_t c = 0;
    std::int32_t offset = 0;
    if (index >= size_) {
        // Rows added at the end fill the last chunk and then start a new one, so a list
        // filled in order keeps its chunks full.
        if (chunks_.empty() || chunks_.back()->size == kMaxChunk) {
            addChunk(chunks_.size());
            starts_.back() = size_;
        }
        c = chunks_.size() - 1;
        offset = chunks_[c]->size;
    } else {
        c = locate(index, offset);
    }
    Chunk& chunk = *chunks_[c];
    chunk.insertAt(offset, row.release());
    ++size_;
    if (offset == chunk.size - 1) {
        lastKeys_[c].invalidate();
    }
    if (chunk.size > kMaxChunk) {
        // The upper half, with the old last row, becomes a chunk of its own.
        addChunk(c + 1);
        chunk.moveTail(kMaxChunk / 2, *chunks_[c + 1]);
        std::swap(lastKeys_[c], lastKeys_[c + 1]);
        starts_[c + 1] = starts_[c] + chunk.size;
        shiftStartsFrom(c + 2, 1);
    } else {
        shiftStartsFrom(c + 1, 1);
    }
}

std::unique_ptr<ListRow> RowStore::erase(std::int32_t index) {
    std::int32_t offset = 0;
    const std::size_t c = locate(index, offset);
    Chunk& chunk = *chunks_[c];
    if (offset == chunk.size - 1) {
        lastKeys_[c].invalidate();
    }
    std::unique_ptr<ListRow> row(chunk.eraseAt(offset));
    --size_;
    if (chunk.size == 0) {
        eraseChunk(c);
        shiftStartsFrom(c, -1);
    } else {
        shiftStartsFrom(c + 1, -1);
    }
    return row;
}

void RowStore::clear() {
    // Rows are freed in the order of their addresses, which is mostly the order they were
    // made in: a sorted list's own order would visit the heap at random.
    std::vector<ListRow*> all;
    all.reserve(static_cast<std::size_t>(size_));
    for (auto& chunk : chunks_) {
        all.insert(all.end(), chunk->rows, chunk->rows + chunk->size);
    }
    chunks_.clear();
    starts_.clear();
    lastKeys_.clear();
    size_ = 0;
    std::sort(all.begin(), all.end(), std::less<ListRow*>());
    for (ListRow* row : all) {
        delete row;
    }
}

void RowStore::permute(const std::vector<std::int32_t>& order) {
    // The rows and their keys move between the places they already have, along the cycles
    // of the new order: no chunk is made or freed, and each row moves once.
    struct Place {
        std::uint32_t chunk;
        std::uint32_t slot;
    };
    std::vector<Place> places; // of each index
    places.reserve(static_cast<std::size_t>(size_));
    for (std::size_t c = 0; c < chunks_.size(); ++c) {
        const Chunk& chunk = *chunks_[c];
        for (std::int32_t k = 0; k < chunk.size; ++k) {
            places.push_back(Place{static_cast<std::uint32_t>(c), chunk.order[k]});
        }
    }
    struct Entry {
        ListRow* row;
        alignas(OrderKey) unsigned char key[sizeof(OrderKey)];
    };
    auto take = [&](std::int32_t index, Entry& e) {
        const Place& at = places[static_cast<std::size_t>(index)];
        Chunk& chunk = *chunks_[at.chunk];
        const std::uint32_t slot = at.slot;
        e.row = chunk.rows[slot];
        std::memcpy(e.key, chunk.keyBytes + slot * sizeof(OrderKey), sizeof(OrderKey));
    };
    auto put = [&](std::int32_t index, const Entry& e) {
        const Place& at = places[static_cast<std::size_t>(index)];
        Chunk& chunk = *chunks_[at.chunk];
        const std::uint32_t slot = at.slot;
        chunk.rows[slot] = e.row;
        std::memcpy(chunk.keyBytes + slot * sizeof(OrderKey), e.key, sizeof(OrderKey));
    };
    std::vector<bool> done(order.size());
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (done[start]) {
            continue;
        }
        Entry first;
        take(static_cast<std::int32_t>(start), first);
        auto to = static_cast<std::int32_t>(start);
        for (;;) {
            done[static_cast<std::size_t>(to)] = true;
            const std::int32_t from = order[static_cast<std::size_t>(to)];
            if (from == static_cast<std::int32_t>(start)) {
                put(to, first);
                break;
            }
            Entry e;
            take(from, e);
            put(to, e);
            to = from;
        }
    }
    for (OrderKey& last : lastKeys_) {
        last.invalidate();
    }
}

} // namespace vantil
