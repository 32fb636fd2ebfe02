// A realistic demonstration data set: employees, sites and two years of ledgers.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

namespace tamseldb {

struct DemoSize {
    int employees = 20;
    int sites = 15;
    int months = 24; // ending with the month of `today`
};

// Fills an empty database in one transaction, through the same statement texts the screens
// use. The data depends only on `today` and `size` (a fixed pseudo-random sequence).
void fillDemoData(plat::jet::Database& db, const plat::text::DateTime& today,
                  const DemoSize& size = {});

} // namespace tamseldb
