// Registers the inquiry, the employee statement and the annual report screen under the main
// menu's indexes 3, 4 and 7, and the batch mode that writes their reports to PDF and CSV files
// (`tamsel --print ...`).
#include "app/frame/BatchCommands.h"
#include "app/frame/ScreenRegistry.h"
#include "app/reports/BatchPrint.h"
#include "app/reports/PrtRuikei.h"
#include "app/reports/PrtSyainRoumu.h"
#include "app/reports/RefRoumu.h"

namespace {
const bool registered =
    tamsel::registerScreen(tamsel::ScreenIndex::RefRoumu, [] { return new tamsel::RefRoumu; }) &&
    tamsel::registerScreen(tamsel::ScreenIndex::PrtSyainRoumu,
                           [] { return new tamsel::PrtSyainRoumu; }) &&
    tamsel::registerScreen(tamsel::ScreenIndex::PrtRuikei, [] { return new tamsel::PrtRuikei; }) &&
    tamsel::registerBatchCommand(
        {&tamsel::reports::isBatchPrintRequest, &tamsel::reports::runBatchPrint, true});
} // namespace
