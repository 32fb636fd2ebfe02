// Persisted properties: a name-keyed property bag with a plain text form a host keeps in its
// form data, and an ordered stream store whose items follow each other without names.
#pragma once

#include "platform/automation/Variant.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::automation {

// A bag of named values. Names compare case-insensitively (ASCII); writing a name again
// replaces its value and keeps its first position, so the text form follows the order of
// first writing. A value is a Variant of a plain type (no object, no by-reference), a byte
// block (e.g. a picture's file bytes) or a nested bag (e.g. a font).
class PropertyBag {
public:
    void write(std::u16string_view name, const Variant& value);
    void writeBytes(std::u16string_view name, std::vector<std::uint8_t> bytes);
    void writeBag(std::u16string_view name, const PropertyBag& bag);

    // The stored value, or nullopt when the name is absent or holds another kind of item.
    std::optional<Variant> read(std::u16string_view name) const;
    std::optional<std::vector<std::uint8_t>> readBytes(std::u16string_view name) const;
    std::optional<PropertyBag> readBag(std::u16string_view name) const;

    bool contains(std::u16string_view name) const;
    void remove(std::u16string_view name);
    void clear();
    std::size_t size() const { return entries_.size(); }
    std::vector<std::u16string> names() const;

    // Plain UTF-8 text, one item a line ("Name = type:value"), nested bags indented between
    // braces. fromText never fails: malformed or truncated text yields the items that could be
    // read, and `problems` (when given) counts the lines that were skipped.
    std::string toText() const;
    static PropertyBag fromText(std::string_view text, int* problems = nullptr);

    friend bool operator==(const PropertyBag& a, const PropertyBag& b);

private:
    struct Entry;
    std::vector<Entry> entries_;
    // Position of each entry by its ASCII-lower-cased name, so loading a whole control's
    // items stays linear.
    std::unordered_map<std::u16string, std::size_t> index_;
    const Entry* find(std::u16string_view name) const;
    Entry* find(std::u16string_view name);
    void put(Entry e);
    std::string toText(int indent) const;
};

struct PropertyBag::Entry {
    enum class Kind : std::uint8_t { Value, Bytes, Bag };
    std::u16string name;
    Kind kind = Kind::Value;
    Variant value;
    std::vector<std::uint8_t> bytes;
    std::vector<PropertyBag> bag; // zero or one element: a bag cannot hold itself by value
};

// An ordered store of unnamed items, each in its type's own width (little-endian): bool as a
// 32-bit flag, short 16, long and unsigned long 32, single 32, double and currency and date 64,
// strings as a 32-bit count of UTF-16 units followed by the units, byte blocks as a 32-bit
// count and the bytes, variants as their 16-bit type followed by the value. Reading past the
// end or a count larger than what is left fails that read (the output keeps its value) and
// every later read; nothing is ever read out of bounds.
class StreamStore {
public:
    StreamStore() = default;
    explicit StreamStore(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    void writeBool(bool v);
    void writeShort(std::int16_t v);
    void writeLong(std::int32_t v);
    void writeULong(std::uint32_t v);
    void writeSingle(float v);
    void writeDouble(double v);
    void writeCurrency(Currency v);
    void writeString(std::u16string_view v);
    void writeBytes(const std::vector<std::uint8_t>& v);
    // Plain types only; an object or by-reference value is written as Empty.
    void writeVariant(const Variant& v);

    bool readBool(bool& v);
    bool readShort(std::int16_t& v);
    bool readLong(std::int32_t& v);
    bool readULong(std::uint32_t& v);
    bool readSingle(float& v);
    bool readDouble(double& v);
    bool readCurrency(Currency& v);
    bool readString(std::u16string& v);
    bool readBytes(std::vector<std::uint8_t>& v);
    bool readVariant(Variant& v);

    bool failed() const { return failed_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // A text form of the bytes (hexadecimal, 32 bytes a line) for hosts that keep text only;
    // fromText skips anything that is not a pair of hexadecimal digits.
    std::string toText() const;
    static StreamStore fromText(std::string_view text);

private:
    bool take(void* out, std::size_t n);
    void put(const void* in, std::size_t n);
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace plat::automation
