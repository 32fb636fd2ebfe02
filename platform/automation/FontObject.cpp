// The standard font object and its persisted form.
#include "platform/automation/FontObject.h"

#include "platform/automation/Texts.h"

namespace plat::automation {

namespace {
constexpr std::int64_t kMaxSizeScaled = 2160 * Currency::kScale;
constexpr const char* kInvalidValue = texts::kInvalidPropertyValue;

MemberInfo prop(DispId id, std::u16string name, VarType type) {
    MemberInfo m;
    m.id = id;
    m.name = std::move(name);
    m.type = type;
    return m;
}
} // namespace

FontObject::FontObject(FontDesc desc) : DispatchObject(u"Font"), desc_(std::move(desc)) {
    addProperty(
        prop(kName, u"Name", VarType::String), [this](auto) { return Variant(desc_.name); },
        [this](auto, const Variant& v) { setName(v.toString()); });
    addProperty(
        prop(kSize, u"Size", VarType::Currency), [this](auto) { return Variant(desc_.size); },
        [this](auto, const Variant& v) { setSize(v.toCurrency()); });
    addProperty(
        prop(kBold, u"Bold", VarType::Bool), [this](auto) { return Variant(desc_.bold()); },
        [this](auto, const Variant& v) { setBold(v.toBool()); });
    addProperty(
        prop(kItalic, u"Italic", VarType::Bool), [this](auto) { return Variant(desc_.italic); },
        [this](auto, const Variant& v) { setItalic(v.toBool()); });
    addProperty(
        prop(kUnderline, u"Underline", VarType::Bool),
        [this](auto) { return Variant(desc_.underline); },
        [this](auto, const Variant& v) { setUnderline(v.toBool()); });
    addProperty(
        prop(kStrikethrough, u"Strikethrough", VarType::Bool),
        [this](auto) { return Variant(desc_.strikethrough); },
        [this](auto, const Variant& v) { setStrikethrough(v.toBool()); });
    addProperty(
        prop(kWeight, u"Weight", VarType::Short), [this](auto) { return Variant(desc_.weight); },
        [this](auto, const Variant& v) { setWeight(v.toShort()); });
    addProperty(
        prop(kCharset, u"Charset", VarType::Short), [this](auto) { return Variant(desc_.charset); },
        [this](auto, const Variant& v) { setCharset(v.toShort()); });
}

std::shared_ptr<FontObject> FontObject::create(FontDesc desc) {
    return std::make_shared<FontObject>(std::move(desc));
}

std::shared_ptr<FontObject> FontObject::clone() const {
    return create(desc_);
}

void FontObject::changed(DispId id) {
    if (listener_)
        listener_(id);
}

void FontObject::setDesc(const FontDesc& d) {
    if (d == desc_)
        return;
    desc_ = d;
    changed(dispid::Unknown);
}

void FontObject::setName(std::u16string n) {
    if (n.empty())
        raise(errnum::InvalidPropertyValue, kInvalidValue);
    if (n == desc_.name)
        return;
    desc_.name = std::move(n);
    changed(kName);
}

void FontObject::setSize(Currency points) {
    if (points.scaled <= 0 || points.scaled > kMaxSizeScaled)
        raise(errnum::InvalidPropertyValue, kInvalidValue);
    if (points == desc_.size)
        return;
    desc_.size = points;
    changed(kSize);
}

void FontObject::setBold(bool b) {
    const std::int16_t w = b ? 700 : 400;
    if (desc_.bold() == b)
        return;
    desc_.weight = w;
    changed(kBold);
}

void FontObject::setItalic(bool b) {
    if (desc_.italic == b)
        return;
    desc_.italic = b;
    changed(kItalic);
}

void FontObject::setUnderline(bool b) {
    if (desc_.underline == b)
        return;
    desc_.underline = b;
    changed(kUnderline);
}

void FontObject::setStrikethrough(bool b) {
    if (desc_.strikethrough == b)
        return;
    desc_.strikethrough = b;
    changed(kStrikethrough);
}

void FontObject::setWeight(std::int16_t w) {
    if (w < 0 || w > 1000)
        raise(errnum::InvalidPropertyValue, kInvalidValue);
    if (w == desc_.weight)
        return;
    desc_.weight = w;
    changed(kWeight);
}

void FontObject::setCharset(std::int16_t c) {
    if (c < 0 || c > 255)
        raise(errnum::InvalidPropertyValue, kInvalidValue);
    if (c == desc_.charset)
        return;
    desc_.charset = c;
    changed(kCharset);
}

void FontObject::save(PropertyBag& bag) const {
    bag.write(u"Name", Variant(desc_.name));
    bag.write(u"Size", Variant(desc_.size));
    bag.write(u"Charset", Variant(desc_.charset));
    bag.write(u"Weight", Variant(desc_.weight));
    bag.write(u"Underline", Variant(desc_.underline));
    bag.write(u"Italic", Variant(desc_.italic));
    bag.write(u"Strikethrough", Variant(desc_.strikethrough));
}

FontDesc FontObject::load(const PropertyBag& bag, const FontDesc& defaults) {
    FontDesc d = defaults;
    // Each item converts on its own; an unreadable item keeps its default.
    auto get = [&](std::u16string_view name, auto&& apply) {
        if (const auto v = bag.read(name)) {
            try {
                apply(*v);
            } catch (const AutomationException&) {
            }
        }
    };
    get(u"Name", [&](const Variant& v) {
        auto s = v.toString();
        if (!s.empty())
            d.name = std::move(s);
    });
    get(u"Size", [&](const Variant& v) {
        const Currency c = v.toCurrency();
        if (c.scaled > 0 && c.scaled <= kMaxSizeScaled)
            d.size = c;
    });
    get(u"Charset", [&](const Variant& v) {
        const auto c = v.toShort();
        if (c >= 0 && c <= 255)
            d.charset = c;
    });
    get(u"Weight", [&](const Variant& v) {
        const auto w = v.toShort();
        if (w >= 0 && w <= 1000)
            d.weight = w;
    });
    get(u"Underline", [&](const Variant& v) { d.underline = v.toBool(); });
    get(u"Italic", [&](const Variant& v) { d.italic = v.toBool(); });
    get(u"Strikethrough", [&](const Variant& v) { d.strikethrough = v.toBool(); });
    return d;
}

void FontObject::save(StreamStore& s) const {
    s.writeString(desc_.name);
    s.writeCurrency(desc_.size);
    s.writeShort(desc_.charset);
    s.writeShort(desc_.weight);
    s.writeBool(desc_.underline);
    s.writeBool(desc_.italic);
    s.writeBool(desc_.strikethrough);
}

bool FontObject::load(StreamStore& s, FontDesc& out) {
    FontDesc d = out;
    if (!s.readString(d.name) || !s.readCurrency(d.size) || !s.readShort(d.charset) ||
        !s.readShort(d.weight) || !s.readBool(d.underline) || !s.readBool(d.italic) ||
        !s.readBool(d.strikethrough))
        return false;
    if (d.name.empty() || d.size.scaled <= 0 || d.size.scaled > kMaxSizeScaled || d.weight < 0 ||
        d.weight > 1000)
        return false;
    out = d;
    return true;
}

} // namespace plat::automation
