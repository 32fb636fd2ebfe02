// Shared helpers of the overtime screen and batch tests: the demonstration database in a fresh
// program folder (the reports' test helpers do the rest).
#pragma once

#include "tests/reports/ReportsTestSupport.h"
#include "tools/tamsel-db/DemoData.h"

namespace overtimetest {

using namespace reportstest;

// The demo ledgers end in December 2004; the agreement year 2003 (April 2003 to March 2004)
// is complete, and its foreman works beyond the caps from September.
inline constexpr int kDemoYear = 2003;

inline std::filesystem::path demoHome(const std::string& name) {
    const std::filesystem::path home = freshHome("overtime-" + name);
    plat::jet::Database db = freshDatabase(home);
    tamseldb::fillDemoData(db, {2004, 12, 15});
    return home;
}

inline plat::jet::Database openDemo(const std::filesystem::path& home) {
    return plat::jet::Database::open((home / "Roumu.MDB").string());
}

} // namespace overtimetest
