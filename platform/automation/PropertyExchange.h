// One sequence of named, typed items serves loading, saving and resetting a control's
// persisted properties: the control writes the sequence once against PropertyExchange, and
// the four exchanges below read or write a property bag or a stream store, or load defaults.
#pragma once

#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"
#include "platform/automation/PropertyBag.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace plat::automation {

class PropertyExchange {
public:
    enum class Direction : std::uint8_t { Load, Save, Reset };

    virtual ~PropertyExchange() = default;
    virtual Direction direction() const = 0;
    bool isLoading() const { return direction() != Direction::Save; }

    // On Load: value = the stored item converted to the type, or `def` when the item is
    // missing or cannot be converted. On Reset: value = def. On Save: the item is written.
    // A name-keyed store uses `name`; a stream store ignores it and relies on the order.
    virtual void exchangeBool(std::u16string_view name, bool& value, bool def) = 0;
    virtual void exchangeShort(std::u16string_view name, std::int16_t& value, std::int16_t def) = 0;
    virtual void exchangeLong(std::u16string_view name, std::int32_t& value, std::int32_t def) = 0;
    virtual void exchangeULong(std::u16string_view name, std::uint32_t& value,
                               std::uint32_t def) = 0;
    virtual void exchangeString(std::u16string_view name, std::u16string& value,
                                std::u16string_view def) = 0;
    // A font item: loaded into a new FontObject (missing parts from `def`).
    virtual void exchangeFont(std::u16string_view name, std::shared_ptr<FontObject>& value,
                              const FontDesc& def) = 0;
    // A picture item; the default is no picture (nullptr).
    virtual void exchangePicture(std::u16string_view name, std::shared_ptr<Picture>& value) = 0;
};

std::unique_ptr<PropertyExchange> makeBagLoader(const PropertyBag& bag);
std::unique_ptr<PropertyExchange> makeBagSaver(PropertyBag& bag);
std::unique_ptr<PropertyExchange> makeStreamLoader(StreamStore& stream);
std::unique_ptr<PropertyExchange> makeStreamSaver(StreamStore& stream);
std::unique_ptr<PropertyExchange> makeResetter();

} // namespace plat::automation
