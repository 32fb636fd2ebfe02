// Registers the overtime check screen (opened from the frame window's menu bar) and its batch
// print (`tamsel --print overtime ...`).
#include "app/frame/BatchCommands.h"
#include "app/frame/ScreenRegistry.h"
#include "app/overtime/ZangyoBatch.h"
#include "app/overtime/ZangyoCheck.h"

namespace {
const bool registered = tamsel::registerScreen(tamsel::ScreenIndex::ZangyoCheck,
                                               [] { return new tamsel::ZangyoCheck; }) &&
                        tamsel::registerBatchCommand({&tamsel::overtime::isOvertimeBatchRequest,
                                                      &tamsel::overtime::runOvertimeBatch});
} // namespace
