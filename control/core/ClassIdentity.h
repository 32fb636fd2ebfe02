// Identity of the control library and its classes: the identifiers the host stores in its
// form data. They were chosen once and never change between builds or versions.
#pragma once

#include <cstdint>
#include <string_view>

namespace vantil::identity {

inline constexpr std::string_view kLibraryId = "{33EA9604-799A-408E-82A3-2C5FBD1379EC}";
inline constexpr std::string_view kLibraryName = "VantilLib";
inline constexpr unsigned kLibraryMajor = 4;
inline constexpr unsigned kLibraryMinor = 2;
inline constexpr std::uint32_t kLibraryLocale = 0x0409;

inline constexpr std::string_view kControlClassId = "{74398472-EA8E-4E62-913B-2411155402F4}";
inline constexpr std::string_view kControlClassName = "Vantil";
inline constexpr std::string_view kControlClassDoc = "Quodra VantilBox Control";
inline constexpr std::string_view kDispatchInterfaceId = "{E4C9B78A-B706-443A-8CF6-194A6AF37606}";
inline constexpr std::string_view kDispatchInterfaceName = "_DVantil";
inline constexpr std::string_view kEventInterfaceId = "{F0E7860E-271F-437F-8092-171686C062F5}";
inline constexpr std::string_view kEventInterfaceName = "_DVantilEvents";
inline constexpr std::string_view kListItemsInterfaceId = "{0CC1E7AF-BB6B-4672-8EF7-B04DACD91542}";
inline constexpr std::string_view kListItemsClassId = "{0F6DE487-8218-4296-AF2B-D668421B1CCC}";
inline constexpr std::string_view kListItemInterfaceId = "{5F729801-F780-44E2-BC97-84AE5E90852D}";
inline constexpr std::string_view kListItemClassId = "{5AE9C3A8-D2FF-46CC-A3C6-3F5240C4DDEE}";
// The data-source cursor interface that RowSource accepts; defined by the data-binding service.
inline constexpr std::string_view kRowCursorInterfaceId = "{9F6AA700-D188-11CD-AD48-00AA003C9CB6}";

inline constexpr std::string_view kProgId = "Quodra.VantilBox";
inline constexpr std::string_view kFileVersion = "4.0.2.20";
inline constexpr std::string_view kProductVersion = "4.0.2.20";
inline constexpr int kToolboxBitmapResource = 1;
inline constexpr std::string_view kThreadingModel = "Apartment";
inline constexpr bool kInsertable = true;

// Window classes the library registers: the drop-down list popup and the title-tip window.
inline constexpr std::string_view kListWindowClass = "DxListCtrl";
inline constexpr std::string_view kTipWindowClass = "TipWindow";

// Set client site first, activate when visible, inside-out, can't link inside, recompose on
// resize.
inline constexpr std::uint32_t kMiscStatus = 0x00020191;

// Result codes of the library entry points.
inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kFalse = 1;
inline constexpr std::int32_t kTypeLibRegistrationFailed = static_cast<std::int32_t>(0x80040200);
inline constexpr std::int32_t kClassRegistrationFailed = static_cast<std::int32_t>(0x80040201);

} // namespace vantil::identity
