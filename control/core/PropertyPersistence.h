// The persisted form of the control: one fixed sequence of named items (format version, base
// items, the control's properties, the column data, the context-menu table) that serves
// loading, saving and resetting alike, and the steps that follow a load.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/MemberTable.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/PropertyExchange.h"

#include <cstdint>
#include <string>

namespace vantil {

// What the host supplies for the defaults that follow it.
struct AmbientDefaults {
    plat::automation::FontDesc font;
    Color foreColor = 0x80000008;
    Color backColor = 0x80000005;
    std::string displayName; // code page 932
};

// Column definitions beyond this count in a store are ignored, so that a damaged count
// cannot make a load run for ever.
inline constexpr std::int32_t kMaxPersistedColumns = 1024;

inline constexpr std::u16string_view kVersionItem = u"_Version";
inline constexpr std::u16string_view kColumnCountItem = u"ColumnDataArraySize";

// The default of a persisted member for data of format `version`.
std::int64_t numericDefault(const Member& m, std::uint32_t version, const AmbientDefaults& ambient);
std::string textDefault(const Member& m, const AmbientDefaults& ambient);

// Runs the whole sequence against `exchange`. Loading (and resetting) sets
// `props.loadedVersion`; values outside a member's range load as its default. Saving always
// writes the current format version with the current item names. When loading from
// `stream`, the column list ends where the stream ran out, whatever count it announced.
void exchangeProperties(plat::automation::PropertyExchange& exchange, ControlProperties& props,
                        const AmbientDefaults& ambient,
                        const plat::automation::StreamStore* stream = nullptr);

// The steps after a load (not after a save): edit state reset, no committed row, the standard
// item height, and DefHeight taken from the font when it is 8 or less.
void applyAfterLoad(ControlProperties& props);

// DefHeight that follows a font: its point size rounded, plus 8.
std::int16_t heightForFont(const plat::automation::FontDesc& font);

} // namespace vantil
