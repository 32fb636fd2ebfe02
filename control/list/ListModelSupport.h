// What the list engine's source files share: argument conversion, the errors they raise, the
// dispatch identifiers of the members they implement and the column text format.
#pragma once

#include "control/core/Texts.h"
#include "control/list/Texts.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/Variant.h"
#include "platform/text/Cp932.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantil::listsupport {

using plat::automation::DispId;
using plat::automation::Variant;
using plat::automation::VarType;
namespace cp932 = plat::text::cp932;
using plat::automation::failed;
using plat::automation::raise;
namespace errnum = plat::automation::errnum;

inline constexpr DispId kClickEvent = -600;
inline constexpr DispId kBeginSortEvent = 13;
inline constexpr DispId kEndSortEvent = 14;
inline constexpr std::int32_t kListFull = -3;
inline constexpr std::int32_t kFailedWrite = -4;

// Dispatch identifiers of the members this engine implements.
namespace id {
constexpr DispId MaskText = 29, Sorted = 30, IgnoreCase = 31, IgnoreKanaCase = 32,
                 IgnoreCharSet = 33, MaskMode = 39;
constexpr DispId DefHeight = 26;
constexpr DispId ListIndex = 27, ListCount = 28, NewIndex = 40, ListItems = 54;
constexpr DispId AddItem = 55, AddSubItem = 56, AddColumn = 57, RemoveItem = 58, RemoveColumn = 59,
                 ClearItem = 60, ClearColumn = 61, FindItem = 62, Clear = 91;
constexpr DispId AddItemText = 92, AddItemPict = 93, AddItemBoth = 94, AddItemTextData = 95,
                 AddItemPictData = 96, AddItemBothData = 97;
constexpr DispId ItemBackColor = 98, ItemForeColor = 99, ItemText = 100, ItemFont = 101,
                 ItemPict = 102, ItemData = 103, ItemEnabled = 104, ItemHeight = 105,
                 ItemMasked = 106;
constexpr DispId DoSort = 124, ColumnWidth = 127;
} // namespace id

[[noreturn]] inline void invalidValue() {
    raise(errnum::InvalidPropertyValue, texts::kInvalidValue);
}
[[noreturn]] inline void invalidValue206() {
    raise(errnum::InvalidPropertyValue, texts::kInvalidIndex);
}
[[noreturn]] inline void invalidIndex() {
    raise(errnum::InvalidIndex, texts::kInvalidIndex);
}
[[noreturn]] inline void readOnly() {
    raise(errnum::SetNotSupported, texts::kReadOnly);
}

inline bool omitted(const Variant& v) {
    const VarType t = v.deref().type();
    return t == VarType::Empty || t == VarType::Null || t == VarType::Error;
}

inline const Variant& arg(std::span<Variant> args, std::size_t i) {
    static const Variant missing = Variant::missing();
    return i < args.size() ? args[i] : missing;
}

// Converts or raises `fail`.
template <class Fail> Variant convert(const Variant& v, VarType t, Fail fail) {
    Variant out;
    if (failed(v.deref().tryConvert(t, out))) {
        fail();
    }
    return out;
}

inline std::string narrow(const Variant& v) {
    return cp932::fromUtf16(v.asString());
}
inline Variant wide(std::string_view s) {
    return Variant(cp932::toUtf16(s));
}

// The text format of a column's cells.
inline std::uint32_t columnFormat(std::int32_t alignH, std::int32_t alignV, bool multiLine) {
    std::uint32_t f = 0;
    if (alignH == 1) {
        f |= kFormatRight;
    } else if (alignH == 2) {
        f |= kFormatCenter;
    }
    if (alignV == 2) {
        f |= kFormatBottom;
    } else if (alignV != 0) {
        f |= kFormatVCenter;
    }
    if (!multiLine) {
        f |= kFormatSingleLine;
    }
    return f;
}

} // namespace vantil::listsupport
