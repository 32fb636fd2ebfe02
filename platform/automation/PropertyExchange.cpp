// The four property exchanges: load from and save to a bag or a stream, and reset to defaults.
#include "platform/automation/PropertyExchange.h"

#include <cmath>

namespace plat::automation {

namespace {

// A stored value converted by `convert`; nullopt when absent or not convertible.
template <class T, class F>
std::optional<T> readAs(const PropertyBag& bag, std::u16string_view name, F convert) {
    const auto v = bag.read(name);
    if (!v)
        return std::nullopt;
    try {
        return convert(*v);
    } catch (const AutomationException&) {
        return std::nullopt;
    }
}

// Colours and versions are unsigned 32-bit values; a bag may hold them as a (negative) long
// or, written by another tool, as a larger number.
std::uint32_t toULong(const Variant& v) {
    if (v.type() == VarType::Long || v.type() == VarType::Short || v.type() == VarType::Bool)
        return static_cast<std::uint32_t>(v.toLong());
    const double d = std::nearbyint(v.toDouble());
    if (d >= 0.0 && d <= 4294967295.0)
        return static_cast<std::uint32_t>(d);
    if (d < 0.0 && d >= -2147483648.0)
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(d));
    raise(AutomationError::overflow());
}

class BagLoader : public PropertyExchange {
public:
    explicit BagLoader(const PropertyBag& bag) : bag_(bag) {}
    Direction direction() const override { return Direction::Load; }
    void exchangeBool(std::u16string_view n, bool& v, bool def) override {
        v = readAs<bool>(bag_, n, [](const Variant& x) { return x.toBool(); }).value_or(def);
    }
    void exchangeShort(std::u16string_view n, std::int16_t& v, std::int16_t def) override {
        v = readAs<std::int16_t>(bag_, n, [](const Variant& x) {
                return x.toShort();
            }).value_or(def);
    }
    void exchangeLong(std::u16string_view n, std::int32_t& v, std::int32_t def) override {
        v = readAs<std::int32_t>(bag_, n, [](const Variant& x) {
                return x.toLong();
            }).value_or(def);
    }
    void exchangeULong(std::u16string_view n, std::uint32_t& v, std::uint32_t def) override {
        v = readAs<std::uint32_t>(bag_, n, toULong).value_or(def);
    }
    void exchangeString(std::u16string_view n, std::u16string& v,
                        std::u16string_view def) override {
        const auto s = readAs<std::u16string>(
            bag_, n, [](const Variant& x) { return x.isNull() ? std::u16string() : x.toString(); });
        v = s ? *s : std::u16string(def);
    }
    void exchangeFont(std::u16string_view n, std::shared_ptr<FontObject>& v,
                      const FontDesc& def) override {
        const auto nested = bag_.readBag(n);
        v = FontObject::create(nested ? FontObject::load(*nested, def) : def);
    }
    void exchangePicture(std::u16string_view n, std::shared_ptr<Picture>& v) override {
        v = Picture::load(bag_, n);
    }

private:
    const PropertyBag& bag_;
};

class BagSaver : public PropertyExchange {
public:
    explicit BagSaver(PropertyBag& bag) : bag_(bag) {}
    Direction direction() const override { return Direction::Save; }
    void exchangeBool(std::u16string_view n, bool& v, bool) override { bag_.write(n, Variant(v)); }
    void exchangeShort(std::u16string_view n, std::int16_t& v, std::int16_t) override {
        bag_.write(n, Variant(v));
    }
    void exchangeLong(std::u16string_view n, std::int32_t& v, std::int32_t) override {
        bag_.write(n, Variant(v));
    }
    void exchangeULong(std::u16string_view n, std::uint32_t& v, std::uint32_t) override {
        bag_.write(n, Variant(static_cast<std::int32_t>(v)));
    }
    void exchangeString(std::u16string_view n, std::u16string& v, std::u16string_view) override {
        bag_.write(n, Variant(v));
    }
    void exchangeFont(std::u16string_view n, std::shared_ptr<FontObject>& v,
                      const FontDesc& def) override {
        PropertyBag nested;
        if (v)
            v->save(nested);
        else
            FontObject(def).save(nested);
        bag_.writeBag(n, nested);
    }
    void exchangePicture(std::u16string_view n, std::shared_ptr<Picture>& v) override {
        if (v)
            v->save(bag_, n);
        else
            bag_.writeBytes(n, {});
    }

private:
    PropertyBag& bag_;
};

class StreamLoader : public PropertyExchange {
public:
    explicit StreamLoader(StreamStore& s) : s_(s) {}
    Direction direction() const override { return Direction::Load; }
    void exchangeBool(std::u16string_view, bool& v, bool def) override {
        if (!s_.readBool(v))
            v = def;
    }
    void exchangeShort(std::u16string_view, std::int16_t& v, std::int16_t def) override {
        if (!s_.readShort(v))
            v = def;
    }
    void exchangeLong(std::u16string_view, std::int32_t& v, std::int32_t def) override {
        if (!s_.readLong(v))
            v = def;
    }
    void exchangeULong(std::u16string_view, std::uint32_t& v, std::uint32_t def) override {
        if (!s_.readULong(v))
            v = def;
    }
    void exchangeString(std::u16string_view, std::u16string& v, std::u16string_view def) override {
        if (!s_.readString(v))
            v = std::u16string(def);
    }
    void exchangeFont(std::u16string_view, std::shared_ptr<FontObject>& v,
                      const FontDesc& def) override {
        FontDesc d = def;
        if (!FontObject::load(s_, d))
            d = def;
        v = FontObject::create(d);
    }
    void exchangePicture(std::u16string_view, std::shared_ptr<Picture>& v) override {
        v = Picture::load(s_);
    }

private:
    StreamStore& s_;
};

class StreamSaver : public PropertyExchange {
public:
    explicit StreamSaver(StreamStore& s) : s_(s) {}
    Direction direction() const override { return Direction::Save; }
    void exchangeBool(std::u16string_view, bool& v, bool) override { s_.writeBool(v); }
    void exchangeShort(std::u16string_view, std::int16_t& v, std::int16_t) override {
        s_.writeShort(v);
    }
    void exchangeLong(std::u16string_view, std::int32_t& v, std::int32_t) override {
        s_.writeLong(v);
    }
    void exchangeULong(std::u16string_view, std::uint32_t& v, std::uint32_t) override {
        s_.writeULong(v);
    }
    void exchangeString(std::u16string_view, std::u16string& v, std::u16string_view) override {
        s_.writeString(v);
    }
    void exchangeFont(std::u16string_view, std::shared_ptr<FontObject>& v,
                      const FontDesc& def) override {
        if (v)
            v->save(s_);
        else
            FontObject(def).save(s_);
    }
    void exchangePicture(std::u16string_view, std::shared_ptr<Picture>& v) override {
        if (v)
            v->save(s_);
        else
            s_.writeBytes({});
    }

private:
    StreamStore& s_;
};

class Resetter : public PropertyExchange {
public:
    Direction direction() const override { return Direction::Reset; }
    void exchangeBool(std::u16string_view, bool& v, bool def) override { v = def; }
    void exchangeShort(std::u16string_view, std::int16_t& v, std::int16_t def) override { v = def; }
    void exchangeLong(std::u16string_view, std::int32_t& v, std::int32_t def) override { v = def; }
    void exchangeULong(std::u16string_view, std::uint32_t& v, std::uint32_t def) override {
        v = def;
    }
    void exchangeString(std::u16string_view, std::u16string& v, std::u16string_view def) override {
        v = std::u16string(def);
    }
    void exchangeFont(std::u16string_view, std::shared_ptr<FontObject>& v,
                      const FontDesc& def) override {
        v = FontObject::create(def);
    }
    void exchangePicture(std::u16string_view, std::shared_ptr<Picture>& v) override { v = nullptr; }
};

} // namespace

std::unique_ptr<PropertyExchange> makeBagLoader(const PropertyBag& bag) {
    return std::make_unique<BagLoader>(bag);
}
std::unique_ptr<PropertyExchange> makeBagSaver(PropertyBag& bag) {
    return std::make_unique<BagSaver>(bag);
}
std::unique_ptr<PropertyExchange> makeStreamLoader(StreamStore& stream) {
    return std::make_unique<StreamLoader>(stream);
}
std::unique_ptr<PropertyExchange> makeStreamSaver(StreamStore& stream) {
    return std::make_unique<StreamSaver>(stream);
}
std::unique_ptr<PropertyExchange> makeResetter() {
    return std::make_unique<Resetter>();
}

} // namespace plat::automation
