// Registers the maintenance screens with the program: the compaction and backup screen under
// the main menu's index 6, the version dialog under the frame window's help menu.
#include "app/frame/ScreenRegistry.h"
#include "app/maintenance/BKForm.h"
#include "app/maintenance/RSVerInfo.h"

namespace {
const bool registered =
    tamsel::registerScreen(tamsel::ScreenIndex::BKForm, [] { return new tamsel::BKForm; }) &&
    tamsel::registerScreen(tamsel::ScreenIndex::VersionInfo, [] { return new tamsel::RSVerInfo; });
} // namespace
