// The ordered stream store: values written and read back in sequence, and its text form.
#include "platform/automation/PropertyBag.h"

#include "platform/automation/Dispatch.h"
#include "platform/automation/HexText.h"
#include "platform/automation/Unicode.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace plat::automation {

// ---- StreamStore ------------------------------------------------------------------------

void StreamStore::put(const void* in, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(in);
    bytes_.insert(bytes_.end(), p, p + n);
}

bool StreamStore::take(void* out, std::size_t n) {
    if (failed_ || n > bytes_.size() - std::min(pos_, bytes_.size())) {
        failed_ = true;
        return false;
    }
    std::memcpy(out, bytes_.data() + pos_, n);
    pos_ += n;
    return true;
}

namespace {
// Little-endian on every platform we build for; a static_assert keeps that honest.
static_assert(std::endian::native == std::endian::little,
              "the stream store writes native little-endian values");
} // namespace

void StreamStore::writeBool(bool v) {
    writeLong(v ? -1 : 0);
}
void StreamStore::writeShort(std::int16_t v) {
    put(&v, sizeof v);
}
void StreamStore::writeLong(std::int32_t v) {
    put(&v, sizeof v);
}
void StreamStore::writeULong(std::uint32_t v) {
    put(&v, sizeof v);
}
void StreamStore::writeSingle(float v) {
    put(&v, sizeof v);
}
void StreamStore::writeDouble(double v) {
    put(&v, sizeof v);
}
void StreamStore::writeCurrency(Currency v) {
    put(&v.scaled, sizeof v.scaled);
}

void StreamStore::writeString(std::u16string_view v) {
    writeULong(static_cast<std::uint32_t>(v.size()));
    put(v.data(), v.size() * sizeof(char16_t));
}

void StreamStore::writeBytes(const std::vector<std::uint8_t>& v) {
    writeULong(static_cast<std::uint32_t>(v.size()));
    put(v.data(), v.size());
}

void StreamStore::writeVariant(const Variant& value) {
    const Variant& v = value.deref();
    VarType t = v.type();
    if (t == VarType::Object)
        t = VarType::Empty;
    const auto tag = static_cast<std::uint16_t>(t);
    put(&tag, sizeof tag);
    switch (t) {
    case VarType::Bool:
        writeBool(v.asBool());
        break;
    case VarType::Short:
        writeShort(v.asShort());
        break;
    case VarType::Long:
        writeLong(v.asLong());
        break;
    case VarType::Error:
        writeLong(v.asError());
        break;
    case VarType::Single:
        writeSingle(v.asSingle());
        break;
    case VarType::Double:
        writeDouble(v.asDouble());
        break;
    case VarType::Date:
        writeDouble(v.asDate().serial);
        break;
    case VarType::Currency:
        writeCurrency(v.asCurrency());
        break;
    case VarType::String:
        writeString(v.asString());
        break;
    default:
        break;
    }
}

bool StreamStore::readBool(bool& v) {
    std::int32_t x = 0;
    if (!readLong(x))
        return false;
    v = x != 0;
    return true;
}
bool StreamStore::readShort(std::int16_t& v) {
    return take(&v, sizeof v);
}
bool StreamStore::readLong(std::int32_t& v) {
    return take(&v, sizeof v);
}
bool StreamStore::readULong(std::uint32_t& v) {
    return take(&v, sizeof v);
}
bool StreamStore::readSingle(float& v) {
    return take(&v, sizeof v);
}
bool StreamStore::readDouble(double& v) {
    return take(&v, sizeof v);
}
bool StreamStore::readCurrency(Currency& v) {
    return take(&v.scaled, sizeof v.scaled);
}

bool StreamStore::readString(std::u16string& v) {
    const std::size_t mark = pos_;
    std::uint32_t n = 0;
    if (!readULong(n))
        return false;
    if (static_cast<std::size_t>(n) * 2 > bytes_.size() - pos_) {
        pos_ = mark;
        failed_ = true;
        return false;
    }
    std::u16string s(n, u'\0');
    take(s.data(), static_cast<std::size_t>(n) * 2);
    v = std::move(s);
    return true;
}

bool StreamStore::readBytes(std::vector<std::uint8_t>& v) {
    const std::size_t mark = pos_;
    std::uint32_t n = 0;
    if (!readULong(n))
        return false;
    if (n > bytes_.size() - pos_) {
        pos_ = mark;
        failed_ = true;
        return false;
    }
    v.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
             bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return true;
}

bool StreamStore::readVariant(Variant& v) {
    std::uint16_t tag = 0;
    if (!take(&tag, sizeof tag))
        return false;
    switch (static_cast<VarType>(tag)) {
    case VarType::Empty:
        v = Variant();
        return true;
    case VarType::Null:
        v = Variant::null();
        return true;
    case VarType::Bool: {
        bool b = false;
        if (!readBool(b))
            return false;
        v = Variant(b);
        return true;
    }
    case VarType::Short: {
        std::int16_t x = 0;
        if (!readShort(x))
            return false;
        v = Variant(x);
        return true;
    }
    case VarType::Long:
    case VarType::Error: {
        std::int32_t x = 0;
        if (!readLong(x))
            return false;
        v = static_cast<VarType>(tag) == VarType::Long ? Variant(x) : Variant::error(x);
        return true;
    }
    case VarType::Single: {
        float x = 0;
        if (!readSingle(x))
            return false;
        v = Variant(x);
        return true;
    }
    case VarType::Double:
    case VarType::Date: {
        double x = 0;
        if (!readDouble(x))
            return false;
        v = static_cast<VarType>(tag) == VarType::Double ? Variant(x) : Variant(Date{x});
        return true;
    }
    case VarType::Currency: {
        Currency c;
        if (!readCurrency(c))
            return false;
        v = Variant(c);
        return true;
    }
    case VarType::String: {
        std::u16string s;
        if (!readString(s))
            return false;
        v = Variant(std::move(s));
        return true;
    }
    default:
        failed_ = true;
        return false;
    }
}

std::string StreamStore::toText() const {
    std::string out;
    for (std::size_t i = 0; i < bytes_.size(); i += 32) {
        const std::size_t n = std::min<std::size_t>(32, bytes_.size() - i);
        out +=
            hextext::of(std::vector<std::uint8_t>(bytes_.begin() + static_cast<std::ptrdiff_t>(i),
                                            bytes_.begin() + static_cast<std::ptrdiff_t>(i + n)));
        out += '\n';
    }
    return out;
}

StreamStore StreamStore::fromText(std::string_view text) {
    return StreamStore(hextext::bytesOf(text));
}

} // namespace plat::automation
