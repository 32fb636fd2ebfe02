// The standard font object: name, size in points (currency), bold, italic, underline,
// strikethrough, weight and character set, reachable through its dispatch interface and
// persisted as a nested property bag or in a stream.
#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/automation/PropertyBag.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace plat::automation {

struct FontDesc {
    std::u16string name = u"ＭＳ Ｐゴシック";
    Currency size = Currency::fromUnits(9); // points, four decimals
    std::int16_t weight = 400;              // 400 normal, 700 bold
    std::int16_t charset = 128;             // 128 = Japanese (Shift-JIS)
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool bold() const { return weight >= 600; }
    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

class FontObject : public DispatchObject {
public:
    // Dispatch identifiers of the standard font interface.
    static constexpr DispId kName = 0;
    static constexpr DispId kSize = 2;
    static constexpr DispId kBold = 3;
    static constexpr DispId kItalic = 4;
    static constexpr DispId kUnderline = 5;
    static constexpr DispId kStrikethrough = 6;
    static constexpr DispId kWeight = 7;
    static constexpr DispId kCharset = 8;

    explicit FontObject(FontDesc desc = {});
    static std::shared_ptr<FontObject> create(FontDesc desc = {});

    const FontDesc& desc() const { return desc_; }
    // Replaces the whole description; notifies once when anything changed.
    void setDesc(const FontDesc& d);
    std::shared_ptr<FontObject> clone() const;

    // Setting Bold sets Weight to 700 or 400; setting Weight changes what Bold reads.
    // Size must be above 0 and at most 2160 points, Weight 0..1000, else error 380.
    void setName(std::u16string n);
    void setSize(Currency points);
    void setBold(bool b);
    void setItalic(bool b);
    void setUnderline(bool b);
    void setStrikethrough(bool b);
    void setWeight(std::int16_t w);
    void setCharset(std::int16_t c);

    // Called after every change with the dispatch identifier of the changed property (the
    // control repaints and tells its host). One listener; pass {} to remove it.
    void setChangeListener(std::function<void(DispId)> listener) {
        listener_ = std::move(listener);
    }

    void save(PropertyBag& bag) const;
    // Missing items keep the values of `defaults`.
    static FontDesc load(const PropertyBag& bag, const FontDesc& defaults);
    void save(StreamStore& s) const;
    static bool load(StreamStore& s, FontDesc& out);

private:
    void changed(DispId id);
    FontDesc desc_;
    std::function<void(DispId)> listener_;
};

} // namespace plat::automation
