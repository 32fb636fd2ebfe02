// The text of a list cell: code page 932 bytes held in 24 bytes, texts of up to 23 bytes
// inside the object itself and longer ones in one exact-size allocation. A list of 65000
// items keeps two or three texts per row, most of them short, so this is where its memory
// goes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vantil {

class CellText {
public:
    CellText() noexcept { buf_[kTag] = 0; }
    explicit CellText(std::string_view s) { init(s); }
    CellText(const CellText& other) { init(other.view()); }
    CellText(CellText&& other) noexcept {
        std::memcpy(buf_, other.buf_, sizeof buf_);
        other.buf_[kTag] = 0;
    }
    ~CellText() { release(); }

    CellText& operator=(const CellText& other) {
        if (this != &other) {
            assign(other.view());
        }
        return *this;
    }
    CellText& operator=(CellText&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(buf_, other.buf_, sizeof buf_);
            other.buf_[kTag] = 0;
        }
        return *this;
    }
    CellText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    CellText& operator=(const std::string& s) {
        assign(s);
        return *this;
    }
    CellText& operator=(const char* s) {
        assign(std::string_view(s));
        return *this;
    }

    void assign(std::string_view s);
    void clear() noexcept {
        release();
        buf_[kTag] = 0;
    }

    std::size_t size() const noexcept { return onHeap() ? heapSize() : tag(); }
    bool empty() const noexcept { return size() == 0; }
    const char* data() const noexcept { return onHeap() ? heapData() : buf_; }
    std::string_view view() const noexcept { return {data(), size()}; }
    operator std::string_view() const noexcept { return view(); } // NOLINT: reads as text
    std::string str() const { return std::string(view()); }

    friend bool operator==(const CellText& a, const CellText& b) noexcept {
        return a.view() == b.view();
    }
    friend bool operator==(const CellText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const CellText& a, const std::string& b) noexcept {
        return a.view() == b;
    }
    friend bool operator==(const CellText& a, const char* b) noexcept { return a.view() == b; }

private:
    static constexpr std::size_t kInline = 23;
    static constexpr std::size_t kTag = 23;
    static constexpr unsigned char kHeap = 0xFF;

    unsigned char tag() const noexcept { return static_cast<unsigned char>(buf_[kTag]); }
    bool onHeap() const noexcept { return tag() == kHeap; }
    const char* heapData() const noexcept {
        const char* p = nullptr;
        std::memcpy(&p, buf_, sizeof p);
        return p;
    }
    std::size_t heapSize() const noexcept {
        std::uint64_t n = 0;
        std::memcpy(&n, buf_ + sizeof(char*), sizeof n);
        return static_cast<std::size_t>(n);
    }
    void init(std::string_view s);
    void release() noexcept;

    char buf_[24];
};

} // namespace vantil
