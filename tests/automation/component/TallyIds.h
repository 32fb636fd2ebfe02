// Identities and dispatch identifiers of the test component "Tally".
#pragma once

#include "platform/automation/Dispatch.h"

namespace tally {

inline constexpr char kClsid[] = "{6A1F3C52-9B0E-4D7A-8C21-5E4F0B9D7A13}";
inline constexpr char kLibId[] = "{6A1F3C53-9B0E-4D7A-8C21-5E4F0B9D7A13}";
inline constexpr char kProgId[] = "AutomationTest.Tally";

using plat::automation::DispId;
constexpr DispId kCaption = 1;
constexpr DispId kCount = 2;
constexpr DispId kRatio = 3;
constexpr DispId kVersion = 4;
constexpr DispId kRunValue = 5;
constexpr DispId kCell = 6;
constexpr DispId kFont = 7;
constexpr DispId kAdd = 10;
constexpr DispId kPressKey = 11;
constexpr DispId kGetInfo = 12;
constexpr DispId kClear = 13;

constexpr DispId kEvChanged = 1;
constexpr DispId kEvKeyDown = -602;

} // namespace tally
