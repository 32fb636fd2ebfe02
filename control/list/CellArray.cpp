// Storage of a row's cells.
#include "control/list/CellArray.h"

#include <algorithm>
#include <new>
#include <utility>

namespace vantil {

namespace {

CListCell* allocate(std::size_t n) {
    return static_cast<CListCell*>(::operator new(n * sizeof(CListCell)));
}

} // namespace

void CellArray::take(CellArray& other) noexcept {
    if (other.isInline()) {
        data_ = inlineCells();
        capacity_ = kInline;
        for (std::uint32_t i = 0; i < other.size_; ++i) {
            new (data_ + i) CListCell(std::move(other.data_[i]));
        }
        size_ = other.size_;
        other.clear();
        return;
    }
    data_ = std::exchange(other.data_, other.inlineCells());
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, kInline);
}

void CellArray::releaseStorage() {
    clear();
    if (!isInline()) {
        ::operator delete(data_);
    }
    data_ = inlineCells();
    capacity_ = kInline;
}

CellArray& CellArray::operator=(CellArray&& other) noexcept {
    if (this != &other) {
        releaseStorage();
        take(other);
    }
    return *this;
}

CellArray::~CellArray() {
    clear();
    if (!isInline()) {
        ::operator delete(data_);
    }
}

void CellArray::reserve(std::size_t n) {
    if (n <= capacity_) {
        return;
    }
    CListCell* fresh = allocate(n);
    for (std::uint32_t i = 0; i < size_; ++i) {
        new (fresh + i) CListCell(std::move(data_[i]));
        data_[i].~CListCell();
    }
    if (!isInline()) {
        ::operator delete(data_);
    }
    data_ = fresh;
    capacity_ = static_cast<std::uint32_t>(n);
}

void CellArray::resize(std::size_t n) {
    while (size_ > n) {
        data_[--size_].~CListCell();
    }
    if (n > capacity_) {
        reserve(std::max<std::size_t>(n, 2 * static_cast<std::size_t>(capacity_)));
    }
    while (size_ < n) {
        new (data_ + size_) CListCell();
        ++size_;
    }
}

CellArray::iterator CellArray::insert(const_iterator at, CListCell&& cell) {
    const auto index = static_cast<std::size_t>(at - data_);
    CListCell value(std::move(cell));
    if (size_ == capacity_) {
        reserve(std::max<std::size_t>(2, 2 * static_cast<std::size_t>(capacity_)));
    }
    if (index == size_) {
        new (data_ + size_) CListCell(std::move(value));
    } else {
        new (data_ + size_) CListCell(std::move(data_[size_ - 1]));
        for (std::size_t i = size_ - 1; i > index; --i) {
            data_[i] = std::move(data_[i - 1]);
        }
        data_[index] = std::move(value);
    }
    ++size_;
    return data_ + index;
}

CellArray::iterator CellArray::erase(const_iterator at) {
    const auto index = static_cast<std::size_t>(at - data_);
    for (std::size_t i = index; i + 1 < size_; ++i) {
        data_[i] = std::move(data_[i + 1]);
    }
    data_[--size_].~CListCell();
    return data_ + index;
}

void CellArray::clear() {
    while (size_ > 0) {
        data_[--size_].~CListCell();
    }
}

} // namespace vantil
