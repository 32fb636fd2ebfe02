// Registers the inquiry and the annual report screen under the main menu's indexes 3 and 7.
#include "app/frame/ScreenRegistry.h"
#include "app/reports/PrtRuikei.h"
#include "app/reports/RefRoumu.h"

namespace {
const bool registered =
    tamsel::registerScreen(tamsel::ScreenIndex::RefRoumu, [] { return new tamsel::RefRoumu; }) &&
    tamsel::registerScreen(tamsel::ScreenIndex::PrtRuikei, [] { return new tamsel::PrtRuikei; });
} // namespace
