// The slip grid of the ledger: nine lines of a site name, 31 day cells and the line total under
// a two-line heading (day number, weekday), with two footer lines of hours and money per day.
#pragma once

#include "platform/widgets/slipgrid/SlipGridLayout.h"

namespace tamsel::ledger {

plat::widgets::SlipGridLayout ledgerGridLayout();

} // namespace tamsel::ledger
