// Which window each main-menu index opens. Modules register a factory per index (usually from a
// small registration file compiled into the program); the registry creates one instance per
// index on first use and reuses it, and opening a Screen runs its load step again.
#pragma once

#include <QWidget>

#include <functional>

namespace tamsel {

// Indexes of the main menu's comFunc buttons, plus the frame window's version dialog, overtime
// check and month closing.
namespace ScreenIndex {
inline constexpr int SyainEntry = 0;
inline constexpr int GenbaEntry = 1;
inline constexpr int RoumuEntry = 2;
inline constexpr int RefRoumu = 3;
inline constexpr int PrtSyainRoumu = 4;
inline constexpr int End = 5;
inline constexpr int BKForm = 6;
inline constexpr int PrtRuikei = 7;
inline constexpr int VersionInfo = 100;
inline constexpr int ZangyoCheck = 101;
inline constexpr int GetujiSime = 102;
} // namespace ScreenIndex

using ScreenFactory = std::function<QWidget*()>;

// Registers (or replaces) the factory of index; returns true so it can initialise a static.
bool registerScreen(int index, ScreenFactory factory);
bool hasScreen(int index);
// The instance of index if it was created, else nullptr.
QWidget* screenInstance(int index);
// Creates the window of index if needed and opens it (Screen::open(), or show() for other
// windows); nullptr when nothing is registered for index.
QWidget* openScreen(int index);
// Deletes every instance and forgets every factory (tests start from a clean registry).
void resetScreens();

} // namespace tamsel
