// The control's dispatch interface written once, as data: identifier, name, kind, type,
// arguments, access rules, range, backing member, persisted name and default of every member.
// Dispatch look-up, type information, property-browser texts, the persistence order and the
// defaults are all read from this table.
#pragma once

#include "control/core/ControlProperties.h"
#include "control/core/EnumTables.h"
#include "platform/automation/Dispatch.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace vantil {

using plat::automation::DispId;
using plat::automation::VarType;

enum class MemberKind : std::uint8_t {
    Property,
    Method,
    StoreOnly, // a persisted item that no member exposes
};

// Access rules; a plain property is readable and writable at any time.
namespace access {
inline constexpr std::uint16_t RunTimeOnly = 0x01;    // get/set not supported in design mode
inline constexpr std::uint16_t ReadOnly = 0x02;       // a put raises 383
inline constexpr std::uint16_t NoSetter = 0x04;       // a put raises set-not-supported
inline constexpr std::uint16_t NoGetter = 0x08;       // a get raises get-not-supported
inline constexpr std::uint16_t DesignTimeOnly = 0x10; // a put at run time raises 382
inline constexpr std::uint16_t RunTimeGet = 0x20;     // a get in design mode is not supported
inline constexpr std::uint16_t NoNotify = 0x40;       // a change is not reported to the host
inline constexpr std::uint16_t SilentRange = 0x80;    // out of range: ignored without an error
inline constexpr std::uint16_t ModifyOnly = 0x100;    // a put only marks the control modified
inline constexpr std::uint16_t Bindable = 0x200; // data-bound: the host is asked before a change
// An indexed property of one list item: without the list engine the list is empty and every
// index is out of range.
inline constexpr std::uint16_t ListItem = 0x400;
} // namespace access

// One argument of a method or indexed property.
struct Param {
    std::string_view name;
    VarType type = VarType::Variant;
    EnumId enumeration = EnumId::None;
    bool optional = false;
    bool out = false;
};

// Where a default comes from.
enum class DefaultKind : std::uint8_t {
    None,
    Number,
    Text,
    AmbientBackColor,
    AmbientForeColor,
    AmbientFont,
    DisplayName,
    CaptionColorByVersion,         // 0x80000008 below format 4.1, else -1
    CaptionDisabledColorByVersion, // 0x80000011 below format 4.1, else -1
};

struct Default {
    DefaultKind kind = DefaultKind::None;
    std::int64_t number = 0;
    std::string_view text;
};

using CP = ControlProperties;

// The enumerations as member types of the properties: `, E CP::*` for each.
#define VANTIL_ENUM_FIELD(E) , E CP::*
// clang-format off
// The property member that stores a value; the alternative's type is the value's storage type.
// A property of an enumeration is stored as that enumeration, which holds the same 16-bit
// numbers as a plain short.
using Field = std::variant<std::monostate, std::int16_t CP::*, std::int32_t CP::*, bool CP::*,
                           Color CP::*, std::string CP::*, plat::automation::FontDesc CP::*,
                           std::shared_ptr<plat::automation::Picture> CP::*
                           VANTIL_ENUMERATIONS(VANTIL_ENUM_FIELD)>;
// clang-format on
#undef VANTIL_ENUM_FIELD

// The type a member pointer of the table points at; void for the empty alternative.
template <class F> struct FieldValue { using type = void; };
template <class T> struct FieldValue<T CP::*> { using type = T; };

// A member of 16 bits: a plain short or an enumeration. Reads and writes go through the
// number, so stored and dispatched values are the same whichever of the two holds them.
template <class T>
inline constexpr bool kShortStorage = std::is_same_v<T, std::int16_t> || std::is_enum_v<T>;
template <class F>
concept ShortField = kShortStorage<typename FieldValue<F>::type>;

// Every enumeration holds 16 bits, as a short property does.
#define VANTIL_ENUM_IS_SHORT(E)                                                                    \
    static_assert(std::is_same_v<std::underlying_type_t<E>, std::int16_t>, #E " holds 16 bits");
VANTIL_ENUMERATIONS(VANTIL_ENUM_IS_SHORT)
#undef VANTIL_ENUM_IS_SHORT

// The enumeration a stored type belongs to; EnumId::None for the other types.
template <class T> inline constexpr EnumId kEnumIdOf = EnumId::None;
#define VANTIL_ENUM_ID_OF(E) template <> inline constexpr EnumId kEnumIdOf<E> = EnumId::E;
VANTIL_ENUMERATIONS(VANTIL_ENUM_ID_OF)
#undef VANTIL_ENUM_ID_OF

struct Member {
    DispId id = 0;
    std::string_view name;        // the name the dispatch interface answers
    std::string_view typeLibName; // the type library's spelling, when it differs
    MemberKind kind = MemberKind::Property;
    VarType type = VarType::Void; // property value or method result
    EnumId enumeration = EnumId::None;
    std::string_view interfaceName; // for object-valued members
    std::span<const Param> params;  // method arguments, or a property's index arguments
    std::uint16_t access = 0;
    bool ranged = false;
    std::int32_t min = 0;
    std::int32_t max = 0;
    Field field;
    bool persisted = false;
    std::string_view legacyName; // persisted name below format 4.2
    Default def;

    constexpr std::string_view persistedName(std::uint32_t version) const {
        return !legacyName.empty() && version < kVersion42 ? legacyName : name;
    }
    constexpr std::string_view typeLibraryName() const {
        return typeLibName.empty() ? name : typeLibName;
    }
    constexpr bool has(std::uint16_t flag) const { return (access & flag) != 0; }
    constexpr bool inRange(std::int64_t v) const { return !ranged || (v >= min && v <= max); }
};

// The whole table: persisted items first, in the order they are stored, then the other
// members by dispatch identifier.
std::span<const Member> memberTable();

// The persisted items, in order.
std::span<const Member> persistedMembers();

const Member* findMember(DispId id);
// Case-insensitive (ASCII); both spellings of a member whose type-library name differs.
const Member* findMember(std::string_view name);

// Dispatch identifiers of members the code refers to by name.
namespace dispids {
inline constexpr DispId CaptionColor = 5;
inline constexpr DispId CaptionFocusColor = 6;
inline constexpr DispId CaptionDisabledColor = 9;
inline constexpr DispId CaptionPointedColor = 11;
inline constexpr DispId CaptionRatio = 2;
inline constexpr DispId CaptionSize = 3;
inline constexpr DispId CaptionFont = 4;
inline constexpr DispId BorderStyle = 12;
inline constexpr DispId BorderWidth = 14;
inline constexpr DispId InnerBorderWidth = 15;
inline constexpr DispId OuterBorderWidth = 16;
inline constexpr DispId FocusColor = 18;
inline constexpr DispId DefHeight = 26;
inline constexpr DispId ListIndex = 27;
inline constexpr DispId ListCount = 28;
inline constexpr DispId MaskText = 29;
inline constexpr DispId DisabledColor = 37;
inline constexpr DispId NewIndex = 40;
inline constexpr DispId IntegralHeight = 41;
inline constexpr DispId MouseIcon = 43;
inline constexpr DispId MousePointer = 44;
inline constexpr DispId LostFocusCause = 50;
inline constexpr DispId ListItems = 54;
inline constexpr DispId RemoveItem = 58;
inline constexpr DispId RemoveColumn = 59;
inline constexpr DispId ClearItem = 60;
inline constexpr DispId ClearColumn = 61;
inline constexpr DispId FindItem = 62;
inline constexpr DispId GetFirstVisible = 63;
inline constexpr DispId HitTest = 64;
inline constexpr DispId VisibleCount = 83;
inline constexpr DispId SelectAll = 90;
inline constexpr DispId Clear = 91;
inline constexpr DispId OLEDrag = 109;
inline constexpr DispId ColumnWidth = 127;
inline constexpr DispId CaptionPosition = 1;
inline constexpr DispId CaptionAlignmentH = 7;
inline constexpr DispId CaptionAlignmentV = 8;
inline constexpr DispId CaptionFocusBorder = 10;
inline constexpr DispId CaptionFont3D = 35;
inline constexpr DispId CaptionDirection = 86;
inline constexpr DispId CaptionMultiLine = 121;
inline constexpr DispId Text = 76;
inline constexpr DispId BoundText = 77;
inline constexpr DispId RowSource = 78;
inline constexpr DispId ListField = 79;
inline constexpr DispId BoundColumn = 80;
inline constexpr DispId ReFill = 110;
inline constexpr DispId SelectedItem = 84;
inline constexpr DispId CaptionAccelerator = 87;
inline constexpr DispId SetMenuItem = 111;
inline constexpr DispId GetMenuItem = 112;
inline constexpr DispId GetPpgStatus = 113;
inline constexpr DispId SetColumnData = 114;
inline constexpr DispId GetColumnData = 115;
inline constexpr DispId SelStart = 118;
inline constexpr DispId SelLength = 119;
inline constexpr DispId SelText = 120;
inline constexpr DispId IMEMode = 117;
inline constexpr DispId Caption = 122;
inline constexpr DispId DropDownVKeyCode = 66;
inline constexpr DispId DropDownModifierFlags = 67;
inline constexpr DispId CloseUpVKeyCode = 68;
inline constexpr DispId CloseUpModifierFlags = 69;
inline constexpr DispId CausesFocusMovement = 85;
inline constexpr DispId MenuCaption = 128;
inline constexpr DispId MenuEnabled = 129;
inline constexpr DispId MenuHidden = 130;
inline constexpr DispId MenuSeparator = 131;
inline constexpr DispId BackColor = -501;
inline constexpr DispId Font = -512;
inline constexpr DispId ForeColor = -513;
inline constexpr DispId Enabled = -514;
inline constexpr DispId HWnd = -515;
inline constexpr DispId AboutBox = -552;
} // namespace dispids

// Number of members of the dispatch interface (store-only items excluded).
inline constexpr std::size_t kDispatchMemberCount = 137;

} // namespace vantil
