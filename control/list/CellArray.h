// The cells of one list row: a growable array with room for two cells inside itself (most
// lists have one or two columns), with the few vector operations the grid uses. A list holds
// up to 65000 rows, so a row and its cells are one allocation.
#pragma once

#include "control/list/ListCell.h"

#include <cstdint>

namespace vantil {

class CellArray {
public:
    using iterator = CListCell*;
    using const_iterator = const CListCell*;

    CellArray() = default;
    CellArray(const CellArray&) = delete;
    CellArray& operator=(const CellArray&) = delete;
    CellArray(CellArray&& other) noexcept { take(other); }
    CellArray& operator=(CellArray&& other) noexcept;
    ~CellArray();

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    CListCell& operator[](std::size_t i) { return data_[i]; }
    const CListCell& operator[](std::size_t i) const { return data_[i]; }
    CListCell& front() { return data_[0]; }
    const CListCell& front() const { return data_[0]; }
    iterator begin() { return data_; }
    iterator end() { return data_ + size_; }
    const_iterator begin() const { return data_; }
    const_iterator end() const { return data_ + size_; }

    void reserve(std::size_t n);
    // New cells are default cells; cells beyond n are destroyed.
    void resize(std::size_t n);
    iterator insert(const_iterator at, CListCell&& cell);
    iterator erase(const_iterator at);
    void clear();

private:
    static constexpr std::uint32_t kInline = 2;
    CListCell* inlineCells() { return reinterpret_cast<CListCell*>(inline_); }
    bool isInline() const { return data_ == reinterpret_cast<const CListCell*>(inline_); }
    void take(CellArray& other) noexcept;
    void releaseStorage();

    CListCell* data_ = inlineCells();
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = kInline;
    alignas(CListCell) unsigned char inline_[kInline * sizeof(CListCell)];
};

} // namespace vantil
