// Helpers for the database tests: a fresh database file in a temporary folder, and the
// ledger statement texts built exactly as the screens build them.
#pragma once

#include "platform/jet/Database.h"
#include "platform/text/DateTime.h"

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
