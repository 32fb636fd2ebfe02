// The event table of _DVantilEvents and its type information.
#include "control/core/EventTable.h"

#include "control/core/ClassIdentity.h"
#include "platform/text/Cp932.h"

namespace vantil {
namespace {

using VT = plat::automation::VarType;

constexpr EventParam kKey[] = {{"KeyCode", VT::Short, true}, {"Shift", VT::Short, false}};
constexpr EventParam kKeyPress[] = {{"KeyAscii", VT::Short, true}};
constexpr EventParam kMouse[] = {{"Button", VT::Short, false},
                                 {"Shift", VT::Short, false},
                                 {"x", VT::Long, false},
                                 {"y", VT::Long, false}};
constexpr EventParam kCancel[] = {{"Cancel", VT::Bool, true}};
constexpr EventParam kMenuClicked[] = {{"MenuID", VT::Short, false}};
constexpr EventParam kCompleteDrag[] = {{"Effect", VT::Long, false}};
constexpr EventParam kStartDrag[] = {{"data", VT::Object, false},
                                     {"allowedeffects", VT::Long, true}};
constexpr EventParam kGiveFeedback[] = {{"Effect", VT::Long, true},
                                        {"defaultcursors", VT::Bool, true}};
constexpr EventParam kDragOver[] = {{"data", VT::Object, true},  {"Effect", VT::Long, true},
                                    {"Button", VT::Short, true}, {"Shift", VT::Short, true},
                                    {"x", VT::Single, true},     {"y", VT::Single, true},
                                    {"State", VT::Short, false}};
constexpr EventParam kDragDrop[] = {{"data", VT::Object, true},  {"Effect", VT::Long, true},
                                    {"Button", VT::Short, true}, {"Shift", VT::Short, true},
                                    {"x", VT::Single, true},     {"y", VT::Single, true}};
constexpr EventParam kColumnClick[] = {{"ColumnIndex", VT::Short, false},
                                       {"ColumnName", VT::String, false}};

constexpr EventEntry kEvents[] = {
    {events::ChangeText, "ChangeText", {}},
    {events::Click, "Click", {}},
    {events::KeyDown, "KeyDown", kKey},
    {events::KeyUp, "KeyUp", kKey},
    {events::KeyPress, "KeyPress", kKeyPress},
    {events::DblClick, "DblClick", {}},
    {events::MouseDown, "MouseDown", kMouse},
    {events::MouseMove, "MouseMove", kMouse},
    {events::MouseUp, "MouseUp", kMouse},
    {events::AllDataLoaded, "AllDataLoaded", {}},
    {events::FocusMove, "FocusMove", kCancel},
    {events::DropDown, "DropDown", {}},
    {events::CloseUp, "CloseUp", {}},
    {events::BeforePopup, "BeforePopup", kCancel},
    {events::MenuClicked, "MenuClicked", kMenuClicked},
    {events::OLECompleteDrag, "OLECompleteDrag", kCompleteDrag},
    {events::OLEStartDrag, "OLEStartDrag", kStartDrag},
    {events::OLEGiveFeedback, "OLEGiveFeedback", kGiveFeedback},
    {events::OLEDragOver, "OLEDragOver", kDragOver},
    {events::OLEDragDrop, "OLEDragDrop", kDragDrop},
    {events::BeginSort, "BeginSort", {}},
    {events::EndSort, "EndSort", {}},
    {events::ColumnClick, "ColumnClick", kColumnClick},
};
static_assert(std::size(kEvents) == kEventCount, "the event interface has 23 events");

constexpr bool eventIdsUnique() {
    for (std::size_t i = 0; i < std::size(kEvents); ++i) {
        for (std::size_t j = i + 1; j < std::size(kEvents); ++j) {
            if (kEvents[i].id == kEvents[j].id || kEvents[i].name == kEvents[j].name) {
                return false;
            }
        }
    }
    return true;
}
static_assert(eventIdsUnique(), "event identifiers and names are unique");

plat::automation::TypeInfo buildTypeInfo() {
    using plat::text::cp932::utf8ToUtf16;
    plat::automation::TypeInfo info;
    info.name = utf8ToUtf16(identity::kEventInterfaceName);
    for (const EventEntry& e : kEvents) {
        plat::automation::MemberInfo m;
        m.id = e.id;
        m.name = utf8ToUtf16(e.name);
        m.kind = plat::automation::MemberKind::Method;
        m.type = VT::Void;
        for (const EventParam& p : e.params) {
            plat::automation::ParamInfo param;
            param.name = utf8ToUtf16(p.name);
            param.type = p.type;
            param.byRef = p.byRef;
            m.params.push_back(std::move(param));
        }
        info.members.push_back(std::move(m));
    }
    return info;
}

} // namespace

std::span<const EventEntry> eventTable() {
    return kEvents;
}

const plat::automation::TypeInfo& eventTypeInfo() {
    static const plat::automation::TypeInfo info = buildTypeInfo();
    return info;
}

} // namespace vantil
