// Helpers for the database tests: a fresh database file in a temporary folder, and the
// ledger statement texts built exactly as the screens build them.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace jettest {

// A new empty folder under TAMSEL_TEST_TMP (or /tmp), removed with its files at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Creates the application schema at `path` (report query for April 2004) and opens it.
plat::jet::Database createDatabase(const std::string& path);

// The two engines a database suite runs on: a file, and a database on the test program's own
// PostgreSQL cluster (PgCluster.h).
enum class Engine { File, Server };
std::string engineName(const testing::TestParamInfo<Engine>& info);
// A location for a new database: `dir`/Roumu.MDB, or a new empty server database.
std::string newLocation(Engine engine, const TempDir& dir);

// Base of a suite parameterised by engine: `db` is a new database with the application schema.
// Without PostgreSQL's server programs the server cases are skipped (their `db` is then a file
// that no test uses).
class EngineTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override;
    std::string location() const { return location_; }

    TempDir dir;

private:
    std::string location_ = newLocationOrFile(GetParam(), dir);
    static std::string newLocationOrFile(Engine engine, const TempDir& dir);

protected:
    plat::jet::Database db = createDatabase(location_);
};

#define JET_ENGINE_SUITE(suite)                                                                    \
    INSTANTIATE_TEST_SUITE_P(Engines, suite,                                                       \
                             testing::Values(jettest::Engine::File, jettest::Engine::Server),      \
                             jettest::engineName)

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
