// Registers the master screens with the program under the main menu's indexes 0 and 1.
#include "app/frame/ScreenRegistry.h"
#include "app/masters/GenbaEntry.h"
#include "app/masters/SyainEntry.h"

namespace {
const bool registered =
    tamsel::registerScreen(tamsel::ScreenIndex::SyainEntry,
                           [] { return new tamsel::SyainEntry; }) &&
    tamsel::registerScreen(tamsel::ScreenIndex::GenbaEntry, [] { return new tamsel::GenbaEntry; });
} // namespace
