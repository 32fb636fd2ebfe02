// Conversions of values given to the control's members: a value that cannot be converted to
// the member's type is an invalid property value (error 380), as is one outside its range.
#pragma once

#include "control/core/MemberTable.h"
#include "control/core/Texts.h"
#include "platform/automation/Variant.h"
#include "platform/text/Cp932.h"

#include <cstdint>
#include <string>

namespace vantil {

[[noreturn]] inline void invalidValue() {
    plat::automation::raise(plat::automation::errnum::InvalidPropertyValue, texts::kInvalidValue);
}

[[noreturn]] inline void invalidIndex() {
    plat::automation::raise(plat::automation::errnum::InvalidIndex, texts::kInvalidIndex);
}

inline plat::automation::Variant convertedOrInvalid(const plat::automation::Variant& v,
                                                    plat::automation::VarType type) {
    plat::automation::Variant out;
    if (plat::automation::failed(v.tryConvert(type, out))) {
        invalidValue();
    }
    return out;
}

inline std::int32_t toInt(const plat::automation::Variant& v) {
    return convertedOrInvalid(v, plat::automation::VarType::Long).asLong();
}

inline bool toBoolean(const plat::automation::Variant& v) {
    return convertedOrInvalid(v, plat::automation::VarType::Bool).asBool();
}

// Text given at the interface, held as code page 932.
inline std::string toText(const plat::automation::Variant& v) {
    return plat::text::cp932::fromUtf16(
        convertedOrInvalid(v, plat::automation::VarType::String).asString());
}

// The value as an integer inside the member's range.
inline std::int32_t toIntInRange(const Member& m, const plat::automation::Variant& v) {
    const std::int32_t i = toInt(v);
    if (!m.inRange(i)) {
        invalidValue();
    }
    return i;
}

} // namespace vantil
