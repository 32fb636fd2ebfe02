// The enumerations of Enums.h as data: constant names, values and property-browser texts,
// for type information and the host's property browser.
#pragma once

#include "control/core/Enums.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantil {

struct EnumConstantInfo {
    std::string_view name;
    std::int16_t value = 0;
    std::string_view browserText; // empty: "<value> - <name without its prefix>"
};

struct EnumerationInfo {
    std::string_view name;
    std::span<const EnumConstantInfo> constants;
};

#define VANTIL_ENUM_ID(E) E,
enum class EnumId : std::uint8_t { None, VANTIL_ENUMERATIONS(VANTIL_ENUM_ID) };
#undef VANTIL_ENUM_ID

// Every enumeration, in type-library order.
std::span<const EnumerationInfo> enumerations();
// nullptr for EnumId::None.
const EnumerationInfo* enumeration(EnumId id);

// The design-time text the property browser shows for `value`; empty when the value has none.
std::string browserText(EnumId id, std::int32_t value);

struct BrowserChoice {
    std::int32_t value = 0;
    std::string text;
};

// The predefined choices the property browser offers for a property of enumeration `id`:
// every constant that has a design-time text, in the enumeration's order.
std::vector<BrowserChoice> browserChoices(EnumId id);

} // namespace vantil
