// Registers the month closing screen, opened from the frame window's menu bar.
#include "app/closing/GetujiSime.h"
#include "app/frame/ScreenRegistry.h"

namespace {
const bool registered =
    tamsel::registerScreen(tamsel::ScreenIndex::GetujiSime, [] { return new tamsel::GetujiSime; });
} // namespace
