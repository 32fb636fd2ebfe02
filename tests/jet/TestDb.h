// Helpers for the database tests: the support library's folders, databases and test cluster
// under this suite's names, and the ledger statement texts built exactly as the screens build
// them.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"
#include "tests/support/Databases.h"
#include "tests/support/PgCluster.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace jettest {

using testsupport::createDatabase;
using testsupport::Engine;
using testsupport::engineName;
using testsupport::EngineTest;
using testsupport::newLocation;
using testsupport::newServerDatabase;
using testsupport::serverAdmin;
using testsupport::serverSkipReason;
using testsupport::serverUri;
using testsupport::TempDir;

#define JET_ENGINE_SUITE(suite) TEST_ENGINE_SUITE(suite)

std::string sqlDate(int year, int month, int day = 1);

// "SELECT * FROM KYUYO_F WHERE NENGETU=#…# AND SYAINID=n ORDER BY ROWNO"
std::string readMonthSql(const std::string& date, long syainId);
// "DELETE * FROM KYUYO_F WHERE NENGETU=#…# AND SYAINID=n"
std::string deleteMonthSql(const std::string& date, long syainId);

struct LedgerLine {
    long genbaId;
    std::string gname;
    std::array<double, 31> hours{};
};
// The 38-column INSERT of one ledger line; `wage` is written as the double's text.
std::string insertLineSql(const std::string& date, long syainId, const std::string& sname,
                          double wage, int rowNo, const LedgerLine& line);

// Replaces an employee-month the way the ledger saves it: begin, DELETE, INSERTs, commit;
// rolled back on any error (which is rethrown).
void replaceMonth(plat::jet::Database& db, const std::string& date, long syainId,
                  const std::string& sname, double wage, const std::vector<LedgerLine>& lines);

} // namespace jettest
