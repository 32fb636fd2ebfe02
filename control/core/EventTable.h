// The control's event interface _DVantilEvents written once, as data: identifier, name and
// arguments of each event, for the event type information and for the modules that raise
// them.
#pragma once

#include "platform/automation/Dispatch.h"

#include <span>
#include <string_view>

namespace vantil {

struct EventParam {
    std::string_view name;
    plat::automation::VarType type = plat::automation::VarType::Variant;
    bool byRef = false; // the handler may change it; the control reads it back
};

struct EventEntry {
    plat::automation::DispId id = 0;
    std::string_view name;
    std::span<const EventParam> params;
};

std::span<const EventEntry> eventTable();

// Identifiers of the events.
namespace events {
inline constexpr plat::automation::DispId AllDataLoaded = 1;
inline constexpr plat::automation::DispId FocusMove = 2;
inline constexpr plat::automation::DispId ChangeText = 3;
inline constexpr plat::automation::DispId DropDown = 4;
inline constexpr plat::automation::DispId CloseUp = 5;
inline constexpr plat::automation::DispId BeforePopup = 6;
inline constexpr plat::automation::DispId MenuClicked = 7;
inline constexpr plat::automation::DispId OLECompleteDrag = 8;
inline constexpr plat::automation::DispId OLEStartDrag = 9;
inline constexpr plat::automation::DispId OLEGiveFeedback = 10;
inline constexpr plat::automation::DispId OLEDragOver = 11;
inline constexpr plat::automation::DispId OLEDragDrop = 12;
inline constexpr plat::automation::DispId BeginSort = 13;
inline constexpr plat::automation::DispId EndSort = 14;
inline constexpr plat::automation::DispId ColumnClick = 15;
inline constexpr plat::automation::DispId Click = -600;
inline constexpr plat::automation::DispId DblClick = -601;
inline constexpr plat::automation::DispId KeyDown = -602;
inline constexpr plat::automation::DispId KeyPress = -603;
inline constexpr plat::automation::DispId KeyUp = -604;
inline constexpr plat::automation::DispId MouseDown = -605;
inline constexpr plat::automation::DispId MouseMove = -606;
inline constexpr plat::automation::DispId MouseUp = -607;
} // namespace events

inline constexpr std::size_t kEventCount = 23;

// The event interface's type information, built once from the table.
const plat::automation::TypeInfo& eventTypeInfo();

} // namespace vantil
