// The control's property values as plain data: one member per property of the dispatch
// interface, the column definitions, the context-menu table and the state that the edit area,
// keyboard and list modules read and write. The member table (MemberTable.h) says which
// member backs which dispatch identifier, its range, default and persisted name.
#pragma once

#include "control/core/Enums.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantil {

using Color = std::uint32_t;

// Colour values with a meaning of their own.
inline constexpr Color kNoColor = 0xFFFFFFFFu; // none, or "follow another colour property"
inline constexpr Color kCellDefaultColor = 0xFF000000u;
constexpr Color systemColor(unsigned index) {
    return 0x80000000u | index;
}

// MousePointer's custom pointer, set and read as 99 (lxmp_ユーザー定義), is stored as 16: the
// number after the last standard pointer.
inline constexpr auto kStoredCustomPointer = MousePointerConstants{16};
inline constexpr std::int16_t kCustomPointerNumber =
    static_cast<std::int16_t>(MousePointerConstants::lxmp_ユーザー定義);

// Format versions of the persisted form.
inline constexpr std::uint32_t kVersion40 = 0x00040000;
inline constexpr std::uint32_t kVersion41 = 0x00040001;
inline constexpr std::uint32_t kVersion42 = 0x00040002;
inline constexpr std::uint32_t kCurrentVersion = kVersion42;

// One column definition, persisted with the control (SetColumnData, AddColumn).
struct ColumnDefinition {
    std::string caption;   // code page 932
    std::string listField; // code page 932
    std::int32_t width = 100;
    std::int32_t alignmentH = 0;
    std::int32_t alignmentV = 1;
    bool multiLine = false;
    friend bool operator==(const ColumnDefinition&, const ColumnDefinition&) = default;
};

// One entry of the 20-entry context menu.
struct MenuEntry {
    std::string caption; // code page 932
    bool enabled = true;
    bool hidden = false;
    bool separator = false;
    friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

inline constexpr int kMenuEntryCount = 20;
inline constexpr int kBuiltInMenuEntries = 6;  // undo .. select all
inline constexpr int kFirstHostMenuEntry = 10; // 10..19 belong to the host
using MenuTable = std::array<MenuEntry, kMenuEntryCount>;

// The menu table as the control is built: built-in captions for 0..5, hidden 6..19.
MenuTable defaultMenuTable();

// The character after the first "&" of a caption; 0 when there is none or when it is a
// second "&" (a literal ampersand). A double-byte character is returned as lead * 256 + trail.
unsigned acceleratorCharacter(std::string_view caption);

// Edit state shared with the edit-area module; character positions, not bytes.
struct EditState {
    std::int32_t caret = 0;
    std::int32_t anchor = 0;
    bool insertMode = true;
    std::int32_t horizontalOffset = 0;
    std::int32_t charCount = 0;
    friend bool operator==(const EditState&, const EditState&) = default;
};

// The framed border styles: the ones whose inner and outer border widths take effect (in the
// layout, and for the design-mode redraw of a width change).
constexpr bool hasInnerOuterBorders(BorderStyleConstants style) {
    using enum BorderStyleConstants;
    switch (style) {
    case lxbs_二重線:
    case lxbs_二重凹:
    case lxbs_二重凸:
    case lxbs_細凹線:
    case lxbs_太凹線:
    case lxbs_細凸線:
    case lxbs_太凸線:
        return true;
    default:
        return false;
    }
}

struct ControlProperties {
    // Values come from the member table's defaults when the control resets; the initialisers
    // here only make a bare struct well defined.
    // Base control items.
    std::int32_t extentX{}; // HIMETRIC
    std::int32_t extentY{};
    Color backColor{};
    Color foreColor{};
    bool enabled{};
    plat::automation::FontDesc font;

    // The control's own persisted properties, in the order they are stored. A property of an
    // enumeration holds any number its range admits, named or not (Font3D 7, ItemVertBorder
    // 5..13, ScrollBars 4, MousePointer 16 for the custom pointer).
    std::string caption;
    CaptionPositionConstants captionPosition{};
    std::int16_t captionRatio{};
    std::int16_t captionSize{};
    plat::automation::FontDesc captionFont;
    Color captionColor{};
    Color captionFocusColor{};
    std::int16_t captionAlignmentH{};
    CaptionAlignmentVConstants captionAlignmentV{};
    Color captionDisabledColor{};
    std::int16_t captionFocusBorder{};
    Color captionPointedColor{};
    std::int16_t borderStyle{};
    Color borderColor{};
    std::int16_t borderWidth{};
    std::int16_t innerBorderWidth{};
    std::int16_t outerBorderWidth{};
    std::int16_t focusBorder{};
    Color focusColor{};
    Color lightColor{};
    Color shadowColor{};
    std::int16_t alignmentH{};
    Font3DConstants font3D{};
    std::int16_t inputAreaBorder{};
    Color inputAreaBorderColor{};
    Color inputAreaColor{};
    std::int16_t defHeight{};
    std::string maskText;
    std::int16_t sorted{};
    bool ignoreCase{};
    bool ignoreKanaCase{};
    bool ignoreCharSet{};
    DisplayItemConstants displayItem{};
    Color disabledColor{};
    Color selectedColor{};
    MaskModeConstants maskMode{};
    bool integralHeight{};
    ItemBorderConstants itemBorder{};
    std::shared_ptr<plat::automation::Picture> mouseIcon;
    MousePointerConstants mousePointer{};
    Color itemBorderColor{};
    ItemVertBorderConstants itemVertBorder{};
    Color itemVertBorderColor{};
    std::int16_t droppedWidth{};
    std::int16_t droppedRows{};
    ScrollBarsConstants scrollBars{};
    std::int16_t dropDownVKeyCode{};
    std::int16_t dropDownModifierFlags{};
    std::int16_t closeUpVKeyCode{};
    std::int16_t closeUpModifierFlags{};
    bool hideColumnHeaders{};
    bool allowResizeColumn{};
    bool allowResizeRow{}; // kept in the store only; no property exposes it
    bool enableDefaultDropCloseKeys{};
    bool locked{};
    bool killClickFocus{};
    std::string boundColumn;
    bool treatEnterAsTab{};
    std::int16_t lostFocusAtHorzArrow{};
    std::int16_t lostFocusAtVertArrow{};
    bool captionAccelerator{};
    CaptionDirectionConstants captionDirection{};
    bool captionMultiLine{};
    bool causesFocusMovement{};
    bool titleTip{};
    bool dropDownAtGotFocus{};
    bool selTextAtGotFocus{};
    Font3DConstants captionFont3D{};
    OLEDragModeConstants oleDragMode{};
    OLEDropModeConstants oleDropMode{};
    bool editFunction{};
    std::int16_t imeMode{};
    std::int16_t sortKey{};
    std::int16_t sortMode{};
    Color oddRowBackColor{};
    Color oddRowForeColor{};
    std::string text;

    // Persisted with the control, outside the property list.
    std::vector<ColumnDefinition> columns;
    MenuTable menu = defaultMenuTable();

    // Run-time state behind properties that are not persisted.
    std::string hintText;
    std::string boundText;
    bool matchedWithList = false;
    std::int16_t lostFocusCause = 0;
    std::int32_t listIndex = -1; // the cached committed row
    std::int32_t newIndex = -1;
    std::int16_t standardItemHeight = 0;
    // The caption's keyboard accelerator as a code page 932 character code; 0 for none.
    unsigned acceleratorChar = 0;
    EditState edit;

    // The format version the properties were loaded with (the current one after a reset).
    std::uint32_t loadedVersion = kCurrentVersion;
};

} // namespace vantil
