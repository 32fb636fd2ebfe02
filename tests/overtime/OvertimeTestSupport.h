// Shared helpers of the overtime screen and batch tests: the demonstration database in a fresh
// program folder on either engine (the reports' test helpers do the rest), and the base of a
// suite run once per engine.
#pragma once

#include "tests/reports/ReportsTestSupport.h"
#include "tests/support/Databases.h"

namespace overtimetest {

using namespace reportstest;
using testsupport::Engine;

// The demo ledgers end in December 2004; the agreement year 2003 (April 2003 to March 2004)
// is complete, and its foreman works beyond the caps from September.
inline constexpr int kDemoYear = 2003;

inline std::filesystem::path demoHome(const std::string& name, Engine engine = Engine::File) {
    return testsupport::demoProgramFolder("overtime-" + name, engine);
}

// The office database of the folder, on whichever engine holds it.
inline plat::jet::Database openDemo(const std::filesystem::path& home) {
    return plat::jet::Database::open(testsupport::officeDatabase(home));
}

// A suite run on a file and on a server database (skipped without the server programs): its
// demoHome is on the case's engine.
class EngineSuite : public testsupport::EngineCase {
protected:
    std::filesystem::path demoHome(const std::string& name) const {
        return overtimetest::demoHome(name + "-" + testsupport::engineName({GetParam(), 0}),
                                      GetParam());
    }
};

} // namespace overtimetest
