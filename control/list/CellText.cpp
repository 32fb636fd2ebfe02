// Inline and heap storage of a cell's text.
#include "control/list/CellText.h"

namespace vantil {

void CellText::init(std::string_view s) {
    if (s.size() <= kInline) {
        if (!s.empty()) {
            std::memcpy(buf_, s.data(), s.size());
        }
        buf_[kTag] = static_cast<char>(s.size());
        return;
    }
    char* p = new char[s.size()];
    std::memcpy(p, s.data(), s.size());
    const std::uint64_t n = s.size();
    std::memcpy(buf_, &p, sizeof p);
    std::memcpy(buf_ + sizeof p, &n, sizeof n);
    buf_[kTag] = static_cast<char>(kHeap);
}

void CellText::release() noexcept {
    if (onHeap()) {
        delete[] heapData();
    }
}

void CellText::assign(std::string_view s) {
    // `s` may point into this text: build the new value before the old one goes.
    CellText fresh(s);
    *this = std::move(fresh);
}

} // namespace vantil
