// Registers the ledger selection under the main menu's index 2; its employee box and the
// grid's site boxes are hosted combo controls.
#include "app/frame/ScreenRegistry.h"
#include "app/ledger/RoumuEntry.h"
#include "app/ledger/VantilPickBox.h"

namespace {
const bool registered = tamsel::registerScreen(tamsel::ScreenIndex::RoumuEntry, [] {
    return new tamsel::RoumuEntry(tamsel::ledger::vantilPickBoxes());
});
} // namespace
