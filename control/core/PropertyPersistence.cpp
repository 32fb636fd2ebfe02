// The persisted item sequence, driven by the member table's persisted rows.
#include "control/core/PropertyPersistence.h"

#include "platform/text/Cp932.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <type_traits>

namespace vantil {

namespace cp932 = plat::text::cp932;
using plat::automation::FontDesc;
using plat::automation::FontObject;
using plat::automation::Picture;
using plat::automation::PropertyExchange;

namespace {

constexpr Color kCaptionColorBefore41 = 0x80000008;
constexpr Color kCaptionDisabledColorBefore41 = 0x80000011;

std::u16string itemName(std::string_view base, int index) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*s%d", static_cast<int>(base.size()), base.data(),
                  index);
    return cp932::utf8ToUtf16(buffer);
}

std::u16string wide(std::string_view ascii) {
    return cp932::utf8ToUtf16(ascii);
}

// A string item: held as code page 932, stored as UTF-16.
void exchangeText(PropertyExchange& ex, std::u16string_view name, std::string& value,
                  const std::string& def) {
    std::u16string w = cp932::toUtf16(value);
    ex.exchangeString(name, w, cp932::toUtf16(def));
    if (ex.isLoading()) {
        value = cp932::fromUtf16(w);
    }
}

void exchangeMember(PropertyExchange& ex, const Member& m, ControlProperties& p,
                    std::uint32_t version, const AmbientDefaults& ambient) {
    const std::u16string name = wide(m.persistedName(version));
    const std::int64_t def = numericDefault(m, version, ambient);
    std::visit(
        [&](auto field) {
            using F = decltype(field);
            if constexpr (ShortField<F>) {
                // An enumeration is stored as its number; a number outside the range (named
                // or not) is replaced by the default as for a plain short.
                using T = typename FieldValue<F>::type;
                auto v = static_cast<std::int16_t>(p.*field);
                ex.exchangeShort(name, v, static_cast<std::int16_t>(def));
                // DefHeight 0..8 is legal in a store: it means "from the font".
                const bool legal = m.id == dispids::DefHeight ? v >= 0 && v <= m.max : m.inRange(v);
                if (ex.isLoading()) {
                    p.*field = static_cast<T>(legal ? v : static_cast<std::int16_t>(def));
                }
            } else if constexpr (std::is_same_v<F, std::int32_t CP::*>) {
                std::int32_t& v = p.*field;
                ex.exchangeLong(name, v, static_cast<std::int32_t>(def));
                if (ex.isLoading() && !m.inRange(v)) {
                    v = static_cast<std::int32_t>(def);
                }
            } else if constexpr (std::is_same_v<F, bool CP::*>) {
                ex.exchangeBool(name, p.*field, def != 0);
            } else if constexpr (std::is_same_v<F, Color CP::*>) {
                ex.exchangeULong(name, p.*field, static_cast<Color>(def));
            } else if constexpr (std::is_same_v<F, std::string CP::*>) {
                exchangeText(ex, name, p.*field, textDefault(m, ambient));
            } else if constexpr (std::is_same_v<F, FontDesc CP::*>) {
                std::shared_ptr<FontObject> font = FontObject::create(p.*field);
                ex.exchangeFont(name, font, ambient.font);
                if (ex.isLoading()) {
                    p.*field = font ? font->desc() : ambient.font;
                }
            } else if constexpr (std::is_same_v<F, std::shared_ptr<Picture> CP::*>) {
                ex.exchangePicture(name, p.*field);
            }
        },
        m.field);
}

void exchangeColumns(PropertyExchange& ex, ControlProperties& p,
                     const plat::automation::StreamStore* stream) {
    std::int32_t count = static_cast<std::int32_t>(p.columns.size());
    ex.exchangeLong(kColumnCountItem, count, 0);
    if (ex.isLoading()) {
        p.columns.clear();
        if (count < 0) {
            count = 0;
        }
        if (count > kMaxPersistedColumns) {
            count = kMaxPersistedColumns;
        }
        p.columns.resize(static_cast<std::size_t>(count));
    }
    const ColumnDefinition defaults;
    // A damaged count may announce more columns than a stream holds: the list ends with the
    // last column whose caption could be read.
    const bool fromStream = ex.isLoading() && stream != nullptr;
    for (int i = 0; i < count; ++i) {
        if (fromStream && (stream->failed() || stream->atEnd())) {
            p.columns.resize(static_cast<std::size_t>(i));
            break;
        }
        ColumnDefinition& c = p.columns[static_cast<std::size_t>(i)];
        exchangeText(ex, itemName("Caption", i), c.caption, defaults.caption);
        if (fromStream && stream->failed()) {
            p.columns.resize(static_cast<std::size_t>(i));
            break;
        }
        exchangeText(ex, itemName("ListField", i), c.listField, defaults.listField);
        ex.exchangeLong(itemName("Width", i), c.width, defaults.width);
        ex.exchangeLong(itemName("AlignmentH", i), c.alignmentH, defaults.alignmentH);
        ex.exchangeLong(itemName("AlignmentV", i), c.alignmentV, defaults.alignmentV);
        ex.exchangeBool(itemName("Multiline", i), c.multiLine, defaults.multiLine);
    }
}

void exchangeMenu(PropertyExchange& ex, ControlProperties& p) {
    const MenuTable builtIn = defaultMenuTable();
    for (int i = 0; i < kMenuEntryCount; ++i) {
        MenuEntry& e = p.menu[static_cast<std::size_t>(i)];
        const MenuEntry& d = builtIn[static_cast<std::size_t>(i)];
        // Entries 0..9 keep their built-in captions whatever the store holds.
        std::string caption = e.caption;
        exchangeText(ex, itemName("PMenuCaption", i), caption, std::string());
        e.caption = ex.isLoading() && i < kFirstHostMenuEntry ? d.caption : caption;
        ex.exchangeBool(itemName("PEnabled", i), e.enabled, d.enabled);
        ex.exchangeBool(itemName("PHidden", i), e.hidden, d.hidden);
        ex.exchangeBool(itemName("PSeparator", i), e.separator, d.separator);
    }
}

} // namespace

std::int64_t numericDefault(const Member& m, std::uint32_t version,
                            const AmbientDefaults& ambient) {
    switch (m.def.kind) {
    case DefaultKind::Number:
        return m.def.number;
    case DefaultKind::AmbientBackColor:
        return ambient.backColor;
    case DefaultKind::AmbientForeColor:
        return ambient.foreColor;
    case DefaultKind::CaptionColorByVersion:
        return version < kVersion41 ? kCaptionColorBefore41 : kNoColor;
    case DefaultKind::CaptionDisabledColorByVersion:
        return version < kVersion41 ? kCaptionDisabledColorBefore41 : kNoColor;
    case DefaultKind::None:
    case DefaultKind::Text:
    case DefaultKind::AmbientFont:
    case DefaultKind::DisplayName:
        return 0;
    }
    return 0;
}

std::string textDefault(const Member& m, const AmbientDefaults& ambient) {
    if (m.def.kind == DefaultKind::DisplayName) {
        return ambient.displayName;
    }
    return cp932::fromUtf8(m.def.text);
}

void exchangeProperties(PropertyExchange& ex, ControlProperties& p, const AmbientDefaults& ambient,
                        const plat::automation::StreamStore* stream) {
    std::uint32_t version = kCurrentVersion;
    if (ex.isLoading()) {
        ex.exchangeULong(kVersionItem, version, kCurrentVersion);
        p.loadedVersion = version;
    } else {
        ex.exchangeULong(kVersionItem, version, kCurrentVersion);
    }
    for (const Member& m : persistedMembers()) {
        exchangeMember(ex, m, p, version, ambient);
    }
    exchangeColumns(ex, p, stream);
    exchangeMenu(ex, p);
}

std::int16_t heightForFont(const FontDesc& font) {
    // A damaged store may carry any size; the font object's own limits are 1..2160 points.
    constexpr long kMaxPoints = 2160;
    const long points = std::clamp(std::lround(font.size.toDouble()), 1L, kMaxPoints);
    return static_cast<std::int16_t>(points + 8);
}

void applyAfterLoad(ControlProperties& p) {
    p.edit = EditState{};
    p.edit.charCount = static_cast<std::int32_t>(cp932::charCount(p.text));
    p.listIndex = -1;
    p.newIndex = -1;
    p.lostFocusCause = 0;
    if (p.defHeight <= 8) {
        p.defHeight = heightForFont(p.font);
    }
    p.standardItemHeight = p.defHeight;
}

} // namespace vantil
