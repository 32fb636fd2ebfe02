// The member table of the dispatch interface _DVantil and the checks that keep it whole.
#include "control/core/MemberTable.h"

#include "platform/text/Ascii.h"

#include <algorithm>
#include <array>

namespace vantil {
namespace {

using VT = VarType;

// A member under construction; each step returns the changed copy, so a row reads as one
// expression.
struct B : Member {
    constexpr B enums(EnumId e) const {
        B b = *this;
        b.enumeration = e;
        return b;
    }
    constexpr B range(std::int32_t lo, std::int32_t hi) const {
        B b = *this;
        b.ranged = true;
        b.min = lo;
        b.max = hi;
        return b;
    }
    constexpr B rules(std::uint16_t a) const {
        B b = *this;
        b.access = static_cast<std::uint16_t>(b.access | a);
        return b;
    }
    constexpr B args(std::span<const Param> p) const {
        B b = *this;
        b.params = p;
        return b;
    }
    constexpr B iface(std::string_view name) const {
        B b = *this;
        b.interfaceName = name;
        return b;
    }
    constexpr B at(Field f) const {
        B b = *this;
        b.field = f;
        return b;
    }
    constexpr B persist(Default d, std::string_view legacy = {}) const {
        B b = *this;
        b.persisted = true;
        b.def = d;
        b.legacyName = legacy;
        return b;
    }
    constexpr B spelled(std::string_view typeLibraryName) const {
        B b = *this;
        b.typeLibName = typeLibraryName;
        return b;
    }
};

constexpr B prop(DispId id, std::string_view name, VT type) {
    B b;
    b.id = id;
    b.name = name;
    b.kind = MemberKind::Property;
    b.type = type;
    return b;
}
constexpr B method(DispId id, std::string_view name, VT result = VT::Void) {
    B b = prop(id, name, result);
    b.kind = MemberKind::Method;
    return b;
}
constexpr B storeOnly(std::string_view name, VT type) {
    B b = prop(0, name, type);
    b.kind = MemberKind::StoreOnly;
    return b;
}
// Property types of the table.
constexpr B shortProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Short);
}
constexpr B longProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Long);
}
constexpr B boolProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Bool);
}
constexpr B colorProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Long).iface("OLE_COLOR");
}
constexpr B stringProp(DispId id, std::string_view n) {
    return prop(id, n, VT::String);
}
constexpr B enumProp(DispId id, std::string_view n, EnumId e, std::int32_t hi) {
    return prop(id, n, VT::Short).enums(e).range(0, hi);
}
constexpr B fontProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Object).iface("Font");
}
constexpr B pictureProp(DispId id, std::string_view n) {
    return prop(id, n, VT::Object).iface("Picture");
}

constexpr Default num(std::int64_t v) {
    return Default{DefaultKind::Number, v, {}};
}
constexpr Default str(std::string_view s) {
    return Default{DefaultKind::Text, 0, s};
}
constexpr Default from(DefaultKind k) {
    return Default{k, 0, {}};
}
constexpr Default kNoDefault{};

constexpr std::int32_t kShortMax = 32767;
constexpr std::int32_t kLongMax = 2147483647;

// Argument lists.
constexpr Param opt(std::string_view n, VT t = VT::Variant) {
    return Param{n, t, EnumId::None, true, false};
}
constexpr Param req(std::string_view n, VT t) {
    return Param{n, t, EnumId::None, false, false};
}
constexpr Param out(std::string_view n, VT t) {
    return Param{n, t, EnumId::None, false, true};
}

constexpr Param kIndexLong[] = {req("Index", VT::Long)};
constexpr Param kIndexShort[] = {req("Index", VT::Short)};
constexpr Param kAddItem[] = {opt("Index"),   opt("Text"),         opt("ItemData"),
                              opt("Picture"), opt("RowForeColor"), opt("RowBackColor")};
constexpr Param kAddSubItem[] = {req("RowIndex", VT::Long), opt("SubIndex"), opt("SubText")};
constexpr Param kAddColumn[] = {opt("Index"),      opt("Text"),       opt("Width"),
                                opt("AlignmentH"), opt("AlignmentV"), opt("MultiLine")};
constexpr Param kFindItem[] = {req("sz", VT::String), opt("Where"), opt("Index"), opt("lPartial"),
                               opt("Column")};
constexpr Param kHitTest[] = {req("x", VT::Short), req("y", VT::Short)};
constexpr Param kSelectAll[] = {opt("Cancel")};
constexpr Param kAddItemText[] = {req("Index", VT::Long), req("Text", VT::String)};
constexpr Param kAddItemPict[] = {req("Index", VT::Long), req("Picture", VT::Object)};
constexpr Param kAddItemBoth[] = {req("Index", VT::Long), req("Text", VT::String),
                                  req("Picture", VT::Object)};
constexpr Param kAddItemTextData[] = {req("Index", VT::Long), req("Text", VT::String),
                                      req("ItemData", VT::Long)};
constexpr Param kAddItemPictData[] = {req("Index", VT::Long), req("Picture", VT::Object),
                                      req("ItemData", VT::Long)};
constexpr Param kAddItemBothData[] = {req("Index", VT::Long), req("Text", VT::String),
                                      req("Picture", VT::Object), req("ItemData", VT::Long)};
constexpr Param kSetMenuItem[] = {req("Index", VT::Short), req("MenuCaption", VT::String),
                                  req("Enabled", VT::Bool), req("Hidden", VT::Bool),
                                  req("Separator", VT::Bool)};
constexpr Param kGetMenuItem[] = {req("Index", VT::Short), out("lpsMenuCaption", VT::String),
                                  out("lpbEnabled", VT::Bool), out("lpbHidden", VT::Bool),
                                  out("lpbSeparator", VT::Bool)};
constexpr Param kGetPpgStatus[] = {out("lpStatus", VT::Long)};
constexpr Param kSetColumnData[] = {req("Index", VT::Short),      req("Caption", VT::String),
                                    req("ListField", VT::String), req("Width", VT::Short),
                                    req("AlignmentH", VT::Short), req("AlignmentV", VT::Short),
                                    req("MultiLine", VT::Short)};
constexpr Param kGetColumnData[] = {req("Index", VT::Short),        out("lpCaption", VT::String),
                                    out("lpListField", VT::String), out("lpWidth", VT::Short),
                                    out("lpAlignmentH", VT::Short), out("lpAlignmentV", VT::Short),
                                    out("lpMultiLine", VT::Short)};

using access::Bindable;
using access::DesignTimeOnly;
using access::ListItem;
using access::ModifyOnly;
using access::NoGetter;
using access::NoNotify;
using access::NoSetter;
using access::ReadOnly;
using access::RunTimeGet;
using access::RunTimeOnly;
using access::SilentRange;

// Persisted items first, in their stored order; then every other member by identifier.
constexpr Member kMembers[] = {
    // Base control items.
    storeOnly("_ExtentX", VT::Long).at(&CP::extentX).persist(num(4233)),
    storeOnly("_ExtentY", VT::Long).at(&CP::extentY).persist(num(635)),
    colorProp(dispids::BackColor, "BackColor")
        .at(&CP::backColor)
        .persist(from(DefaultKind::AmbientBackColor)),
    colorProp(dispids::ForeColor, "ForeColor")
        .at(&CP::foreColor)
        .persist(from(DefaultKind::AmbientForeColor)),
    boolProp(dispids::Enabled, "Enabled").at(&CP::enabled).persist(num(-1)),
    fontProp(dispids::Font, "Font").at(&CP::font).persist(from(DefaultKind::AmbientFont)),
    // The control's own properties.
    stringProp(122, "Caption").at(&CP::caption).persist(from(DefaultKind::DisplayName)),
    enumProp(dispids::CaptionPosition, "CaptionPosition", EnumId::CaptionPositionConstants, 3)
        .at(&CP::captionPosition)
        .persist(num(0)),
    shortProp(2, "CaptionRatio").range(0, 100).at(&CP::captionRatio).persist(num(30)),
    shortProp(3, "CaptionSize").range(0, kShortMax).at(&CP::captionSize).persist(num(0)),
    fontProp(4, "CaptionFont").at(&CP::captionFont).persist(from(DefaultKind::AmbientFont)),
    colorProp(5, "CaptionColor")
        .at(&CP::captionColor)
        .persist(from(DefaultKind::CaptionColorByVersion)),
    colorProp(6, "CaptionFocusColor")
        .at(&CP::captionFocusColor)
        .persist(from(DefaultKind::CaptionColorByVersion)),
    enumProp(dispids::CaptionAlignmentH, "CaptionAlignmentH", EnumId::CaptionAlignmentHConstants, 3)
        .at(&CP::captionAlignmentH)
        .persist(num(0)),
    enumProp(dispids::CaptionAlignmentV, "CaptionAlignmentV", EnumId::CaptionAlignmentVConstants, 3)
        .at(&CP::captionAlignmentV)
        .persist(num(1)),
    colorProp(9, "CaptionDisabledColor")
        .at(&CP::captionDisabledColor)
        .persist(from(DefaultKind::CaptionDisabledColorByVersion)),
    enumProp(dispids::CaptionFocusBorder, "CaptionFocusBorder", EnumId::CaptionFocusBorderConstants,
             7)
        .at(&CP::captionFocusBorder)
        .persist(num(0)),
    colorProp(11, "CaptionPointedColor")
        .at(&CP::captionPointedColor)
        .persist(from(DefaultKind::CaptionColorByVersion)),
    enumProp(12, "BorderStyle", EnumId::BorderStyleConstants, 13)
        .at(&CP::borderStyle)
        .persist(num(0)),
    colorProp(13, "BorderColor").at(&CP::borderColor).persist(num(0x80000006)),
    shortProp(14, "BorderWidth").range(0, 10).at(&CP::borderWidth).persist(num(1)),
    shortProp(15, "InnerBorderWidth").range(0, 10).at(&CP::innerBorderWidth).persist(num(1)),
    shortProp(16, "OuterBorderWidth").range(0, 10).at(&CP::outerBorderWidth).persist(num(1)),
    enumProp(17, "FocusBorder", EnumId::FocusBorderConstants, 5)
        .at(&CP::focusBorder)
        .persist(num(1)),
    colorProp(18, "FocusColor").at(&CP::focusColor).persist(num(0x00808080)),
    colorProp(19, "LightColor").at(&CP::lightColor).persist(num(0x80000014)),
    colorProp(20, "ShadowColor").at(&CP::shadowColor).persist(num(0x80000010)),
    enumProp(21, "AlignmentH", EnumId::AlignmentHConstants, 2).at(&CP::alignmentH).persist(num(0)),
    enumProp(22, "Font3D", EnumId::Font3DConstants, 7).at(&CP::font3D).persist(num(0)),
    enumProp(23, "InputAreaBorder", EnumId::InputAreaBorderConstants, 2)
        .at(&CP::inputAreaBorder)
        .persist(num(2)),
    colorProp(24, "InputAreaBorderColor").at(&CP::inputAreaBorderColor).persist(num(0x80000006)),
    colorProp(25, "InputAreaColor").at(&CP::inputAreaColor).persist(num(0x80000005)),
    shortProp(26, "DefHeight").range(9, 100).at(&CP::defHeight).persist(num(0)),
    stringProp(29, "MaskText").at(&CP::maskText).persist(str("")),
    enumProp(30, "Sorted", EnumId::SortedConstants, 4).at(&CP::sorted).persist(num(0)),
    boolProp(31, "IgnoreCase").at(&CP::ignoreCase).persist(num(0)),
    boolProp(32, "IgnoreKanaCase").at(&CP::ignoreKanaCase).persist(num(0)),
    boolProp(33, "IgnoreCharSet").at(&CP::ignoreCharSet).persist(num(0)),
    enumProp(36, "DisplayItem", EnumId::DisplayItemConstants, 2)
        .at(&CP::displayItem)
        .persist(num(0)),
    colorProp(37, "DisabledColor").at(&CP::disabledColor).persist(num(0x80000011)),
    colorProp(38, "SelectedColor").at(&CP::selectedColor).persist(num(0x8000000D)),
    enumProp(39, "MaskMode", EnumId::MaskModeConstants, 3).at(&CP::maskMode).persist(num(0)),
    boolProp(41, "IntegralHeight").rules(DesignTimeOnly).at(&CP::integralHeight).persist(num(-1)),
    enumProp(42, "ItemBorder", EnumId::ItemBorderConstants, 13).at(&CP::itemBorder).persist(num(0)),
    pictureProp(43, "MouseIcon").at(&CP::mouseIcon).persist(kNoDefault),
    enumProp(44, "MousePointer", EnumId::MousePointerConstants, 16)
        .at(&CP::mousePointer)
        .persist(num(3)),
    colorProp(45, "ItemBorderColor").at(&CP::itemBorderColor).persist(num(0x80000000)),
    enumProp(52, "ItemVertBorder", EnumId::ItemVertBorderConstants, 13)
        .at(&CP::itemVertBorder)
        .persist(num(4)),
    colorProp(53, "ItemVertBorderColor").at(&CP::itemVertBorderColor).persist(num(0x80000000)),
    shortProp(46, "DroppedWidth").range(0, 1000).at(&CP::droppedWidth).persist(num(0)),
    shortProp(51, "DroppedRows").range(0, 100).at(&CP::droppedRows).persist(num(8)),
    enumProp(74, "ScrollBars", EnumId::ScrollBarsConstants, 4).at(&CP::scrollBars).persist(num(2)),
    enumProp(66, "DropDownVKeyCode", EnumId::VKeyCodeConstants, 255)
        .at(&CP::dropDownVKeyCode)
        .persist(num(0), "DropVKeyCode"),
    enumProp(67, "DropDownModifierFlags", EnumId::CloseDropKeyConstants, 7)
        .at(&CP::dropDownModifierFlags)
        .persist(num(0), "DropModifierFlags"),
    enumProp(68, "CloseUpVKeyCode", EnumId::VKeyCodeConstants, 255)
        .at(&CP::closeUpVKeyCode)
        .persist(num(0), "CloseVKeyCode"),
    enumProp(69, "CloseUpModifierFlags", EnumId::CloseDropKeyConstants, 7)
        .at(&CP::closeUpModifierFlags)
        .persist(num(0), "CloseModefierFlags"),
    boolProp(70, "HideColumnHeaders").at(&CP::hideColumnHeaders).persist(num(-1)),
    boolProp(71, "AllowResizeColumn").at(&CP::allowResizeColumn).persist(num(-1)),
    storeOnly("AllowResizeRow", VT::Bool).at(&CP::allowResizeRow).persist(num(0)),
    boolProp(75, "EnableDefaultDropCloseKeys").at(&CP::enableDefaultDropCloseKeys).persist(num(-1)),
    boolProp(72, "Locked").at(&CP::locked).persist(num(0)),
    boolProp(73, "KillClickFocus").at(&CP::killClickFocus).persist(num(0)),
    stringProp(80, "BoundColumn").rules(ModifyOnly).at(&CP::boundColumn).persist(str("")),
    boolProp(47, "TreatEnterAsTab").at(&CP::treatEnterAsTab).persist(num(0)),
    enumProp(48, "LostFocusAtHorzArrow", EnumId::LostFocusAtArrowConstants, 2)
        .at(&CP::lostFocusAtHorzArrow)
        .persist(num(0)),
    enumProp(49, "LostFocusAtVertArrow", EnumId::LostFocusAtArrowConstants, 2)
        .at(&CP::lostFocusAtVertArrow)
        .persist(num(0)),
    boolProp(87, "CaptionAccelerator").at(&CP::captionAccelerator).persist(num(0)),
    enumProp(dispids::CaptionDirection, "CaptionDirection", EnumId::CaptionDirectionConstants, 2)
        .rules(SilentRange)
        .at(&CP::captionDirection)
        .persist(num(0)),
    boolProp(dispids::CaptionMultiLine, "CaptionMultiLine")
        .at(&CP::captionMultiLine)
        .persist(num(0)),
    boolProp(85, "CausesFocusMovement").at(&CP::causesFocusMovement).persist(num(0)),
    boolProp(88, "TitleTip").at(&CP::titleTip).persist(num(-1)),
    boolProp(89, "DropDownAtGotFocus").at(&CP::dropDownAtGotFocus).persist(num(0)),
    boolProp(81, "SelTextAtGotFocus").at(&CP::selTextAtGotFocus).persist(num(-1)),
    enumProp(dispids::CaptionFont3D, "CaptionFont3D", EnumId::Font3DConstants, 7)
        .at(&CP::captionFont3D)
        .persist(num(0)),
    enumProp(107, "OLEDragMode", EnumId::OLEDragModeConstants, 1)
        .at(&CP::oleDragMode)
        .persist(num(0)),
    enumProp(108, "OLEDropMode", EnumId::OLEDropModeConstants, 2)
        .at(&CP::oleDropMode)
        .persist(num(0)),
    boolProp(116, "EditFunction").at(&CP::editFunction).persist(num(-1)),
    enumProp(117, "IMEMode", EnumId::IMEModeConstants, 8).at(&CP::imeMode).persist(num(0)),
    shortProp(65, "SortKey").range(-1, kShortMax).at(&CP::sortKey).persist(num(0)),
    enumProp(123, "SortMode", EnumId::SortModeConstants, 1).at(&CP::sortMode).persist(num(0)),
    colorProp(125, "OddRowBackColor").at(&CP::oddRowBackColor).persist(num(-1)),
    colorProp(126, "OddRowForeColor").at(&CP::oddRowForeColor).persist(num(-1)),
    stringProp(76, "Text").at(&CP::text).persist(str("")),

    // Members that are not persisted (or persisted with the column data or the menu table).
    longProp(27, "ListIndex").rules(RunTimeOnly).range(-1, kLongMax).at(&CP::listIndex),
    longProp(28, "ListCount").rules(RunTimeOnly | ReadOnly),
    stringProp(34, "HintText").rules(NoNotify).at(&CP::hintText),
    longProp(40, "NewIndex").rules(RunTimeOnly | ReadOnly).at(&CP::newIndex),
    enumProp(dispids::LostFocusCause, "LostFocusCause", EnumId::LostFocusCauseConstants, 6)
        .rules(RunTimeOnly | ReadOnly)
        .at(&CP::lostFocusCause),
    prop(54, "ListItems", VT::Object).iface("IListItems").rules(NoSetter),
    method(55, "AddItem", VT::Short).args(kAddItem),
    method(56, "AddSubItem", VT::Bool).args(kAddSubItem),
    method(57, "AddColumn", VT::Short).args(kAddColumn),
    method(dispids::RemoveItem, "RemoveItem", VT::Bool).args(kIndexLong),
    method(dispids::RemoveColumn, "RemoveColumn", VT::Bool).args(kIndexLong),
    method(dispids::ClearItem, "ClearItem", VT::Bool),
    method(dispids::ClearColumn, "ClearColumn", VT::Bool),
    method(dispids::FindItem, "FindItem", VT::Object).iface("IListItem").args(kFindItem),
    method(dispids::GetFirstVisible, "GetFirstVisible", VT::Object).iface("IListItem"),
    method(dispids::HitTest, "HitTest", VT::Object).iface("IListItem").args(kHitTest),
    stringProp(77, "BoundText").rules(RunTimeGet | Bindable),
    prop(78, "RowSource", VT::Object).iface("IRowCursor").rules(ModifyOnly),
    stringProp(79, "ListField").args(kIndexLong),
    boolProp(82, "MatchedWithList").rules(RunTimeOnly | NoSetter).at(&CP::matchedWithList),
    shortProp(dispids::VisibleCount, "VisibleCount").rules(RunTimeOnly | NoSetter),
    prop(84, "SelectedItem", VT::Variant).rules(NoGetter | NoSetter),
    method(dispids::SelectAll, "SelectAll").args(kSelectAll),
    method(dispids::Clear, "Clear"),
    method(92, "AddItemText", VT::Long).args(kAddItemText),
    method(93, "AddItemPict", VT::Long).args(kAddItemPict),
    method(94, "AddItemBoth", VT::Long).args(kAddItemBoth),
    method(95, "AddItemTextData", VT::Long).args(kAddItemTextData),
    method(96, "AddItemPictData", VT::Long).args(kAddItemPictData),
    method(97, "AddItemBothData", VT::Long).args(kAddItemBothData),
    colorProp(98, "ItemBackColor").args(kIndexLong).rules(ListItem),
    colorProp(99, "ItemForeColor").args(kIndexLong).rules(ListItem),
    stringProp(100, "ItemText").args(kIndexLong).rules(ListItem),
    fontProp(101, "ItemFont").args(kIndexLong).rules(ListItem),
    pictureProp(102, "ItemPict").args(kIndexLong).rules(ListItem),
    longProp(103, "ItemData").args(kIndexLong).rules(ListItem),
    boolProp(104, "ItemEnabled").args(kIndexLong).rules(ListItem),
    shortProp(105, "ItemHeight").args(kIndexLong).rules(ListItem),
    boolProp(106, "ItemMasked").args(kIndexLong).rules(ListItem).rules(ReadOnly),
    method(dispids::OLEDrag, "OLEDrag"),
    method(110, "ReFill"),
    method(111, "SetMenuItem").args(kSetMenuItem),
    method(112, "GetMenuItem").args(kGetMenuItem),
    method(113, "GetPpgStatus").args(kGetPpgStatus),
    method(114, "SetColumnData", VT::Bool).args(kSetColumnData),
    method(115, "GetGetColumnData", VT::Bool).spelled("GetColumnData").args(kGetColumnData),
    shortProp(118, "SelStart").rules(RunTimeOnly).range(0, kShortMax),
    shortProp(119, "SelLength").rules(RunTimeOnly).range(0, kShortMax),
    stringProp(120, "SelText").rules(RunTimeOnly),
    method(124, "DoSort"),
    longProp(dispids::ColumnWidth, "ColumnWidth").args(kIndexLong),
    stringProp(128, "MenuCaption").args(kIndexShort),
    boolProp(129, "MenuEnabled").args(kIndexShort),
    boolProp(130, "MenuHidden").args(kIndexShort),
    boolProp(131, "MenuSeparator").args(kIndexShort),
    longProp(dispids::HWnd, "hWnd").rules(NoSetter),
    method(dispids::AboutBox, "AboutBox"),
};

// ---- Invariants of the table ----------------------------------------------------------

using plat::text::equalsNoCase;

constexpr std::size_t countKind(bool dispatchable) {
    std::size_t n = 0;
    for (const Member& m : kMembers) {
        n += (m.kind != MemberKind::StoreOnly) == dispatchable ? 1 : 0;
    }
    return n;
}
static_assert(countKind(true) == kDispatchMemberCount, "the dispatch interface has 137 entries");

constexpr bool identifiersUnique() {
    for (std::size_t i = 0; i < std::size(kMembers); ++i) {
        for (std::size_t j = i + 1; j < std::size(kMembers); ++j) {
            const Member& a = kMembers[i];
            const Member& b = kMembers[j];
            if (a.kind != MemberKind::StoreOnly && b.kind != MemberKind::StoreOnly &&
                a.id == b.id) {
                return false;
            }
            if (equalsNoCase(a.name, b.name) ||
                equalsNoCase(a.typeLibraryName(), b.typeLibraryName())) {
                return false;
            }
        }
    }
    return true;
}
static_assert(identifiersUnique(), "dispatch identifiers and names are unique");

// Dispatch identifiers 1..131 are the rows of the interface, each used once.
constexpr bool rowsComplete() {
    for (DispId id = 1; id <= 131; ++id) {
        int found = 0;
        for (const Member& m : kMembers) {
            found += (m.kind != MemberKind::StoreOnly && m.id == id) ? 1 : 0;
        }
        if (found != 1) {
            return false;
        }
    }
    return true;
}
static_assert(rowsComplete(), "every identifier 1..131 has exactly one member");

constexpr std::size_t persistedCount() {
    std::size_t n = 0;
    for (const Member& m : kMembers) {
        n += m.persisted ? 1 : 0;
    }
    return n;
}
constexpr bool persistedFirst() {
    for (std::size_t i = persistedCount(); i < std::size(kMembers); ++i) {
        if (kMembers[i].persisted) {
            return false;
        }
    }
    return true;
}
// Six base items (two extent values, BackColor, ForeColor, Enabled, Font) and the 77 own items.
static_assert(persistedCount() == 6 + 77, "persisted items");
static_assert(persistedFirst(), "persisted items lead the table in their stored order");

constexpr bool persistedHaveStorage() {
    for (const Member& m : kMembers) {
        if (m.persisted && std::holds_alternative<std::monostate>(m.field)) {
            return false;
        }
        if (m.persisted && !m.params.empty()) {
            return false;
        }
    }
    return true;
}
static_assert(persistedHaveStorage(), "every persisted item has a backing member");

constexpr bool defaultsInRange() {
    for (const Member& m : kMembers) {
        // DefHeight's 0 means "from the font" and is replaced after loading.
        if (m.persisted && m.def.kind == DefaultKind::Number && m.id != dispids::DefHeight &&
            m.kind == MemberKind::Property && !m.inRange(m.def.number)) {
            return false;
        }
    }
    return true;
}
static_assert(defaultsInRange(), "numeric defaults lie inside their ranges");

constexpr bool methodsHaveNoStorage() {
    for (const Member& m : kMembers) {
        if (m.kind == MemberKind::Method && !std::holds_alternative<std::monostate>(m.field)) {
            return false;
        }
    }
    return true;
}
static_assert(methodsHaveNoStorage(), "methods store nothing");

// A member stored as an enumeration is the property of that enumeration.
constexpr bool enumerationsStoredAsTheirType() {
    for (const Member& m : kMembers) {
        const bool same = std::visit(
            [&](auto field) {
                constexpr EnumId stored = kEnumIdOf<typename FieldValue<decltype(field)>::type>;
                return stored == EnumId::None || stored == m.enumeration;
            },
            m.field);
        if (!same) {
            return false;
        }
    }
    return true;
}
static_assert(enumerationsStoredAsTheirType(), "enumerated members store their enumeration");

// The item properties that only the list engine answers are indexed properties.
constexpr bool listItemsIndexed() {
    for (const Member& m : kMembers) {
        if (m.has(access::ListItem) && (m.kind != MemberKind::Property || m.params.empty())) {
            return false;
        }
    }
    return true;
}
static_assert(listItemsIndexed(), "list-item members are indexed properties");

} // namespace

std::span<const Member> memberTable() {
    return kMembers;
}

std::span<const Member> persistedMembers() {
    return std::span<const Member>(kMembers).first(persistedCount());
}

const Member* findMember(DispId id) {
    for (const Member& m : kMembers) {
        if (m.kind != MemberKind::StoreOnly && m.id == id) {
            return &m;
        }
    }
    return nullptr;
}

const Member* findMember(std::string_view name) {
    for (const Member& m : kMembers) {
        if (m.kind != MemberKind::StoreOnly &&
            (equalsNoCase(m.name, name) || equalsNoCase(m.typeLibraryName(), name))) {
            return &m;
        }
    }
    return nullptr;
}

} // namespace vantil
