// The ledger statement texts of the database tests.
#include "TestDb.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace jettest {

std::string sqlDate(int year, int month, int day) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", year, month, day);
    return buf;
}

std::string readMonthSql(const std::string& date, long syainId) {
    return "SELECT * FROM KYUYO_F WHERE NENGETU=#" + date + "#" +
           " AND SYAINID=" + std::to_string(syainId) + " ORDER BY ROWNO";
}

std::string deleteMonthSql(const std::string& date, long syainId) {
    return "DELETE * FROM KYUYO_F WHERE NENGETU=#" + date +
           "# AND SYAINID=" + std::to_string(syainId);
}

namespace {
template <typename T> std::string shortest(T v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
} // namespace

std::string insertLineSql(const std::string& date, long syainId, const std::string& sname,
                          double wage, int rowNo, const LedgerLine& line) {
    std::string sql = "INSERT INTO KYUYO_F (NENGETU,SYAINID,SNAME,TMONY"
                      ",ROWNO,GENBAID,GNAME";
    for (int d = 1; d <= 31; ++d)
        sql += ",D" + std::to_string(d);
    sql += ")";
    sql += " VALUES (#" + date + "#," + std::to_string(syainId) + ",'" + sname + "'," +
           shortest(wage) + "," + std::to_string(rowNo) + "," + std::to_string(line.genbaId) +
           ",'" + line.gname + "'";
    for (double h : line.hours)
        sql += "," + shortest(static_cast<float>(h));
    sql += ")";
    return sql;
}

void replaceMonth(plat::jet::Database& db, const std::string& date, long syainId,
                  const std::string& sname, double wage, const std::vector<LedgerLine>& lines) {
    db.beginTrans();
    try {
        db.execute(deleteMonthSql(date, syainId));
        for (std::size_t i = 0; i < lines.size(); ++i)
            db.execute(
                insertLineSql(date, syainId, sname, wage, static_cast<int>(i) + 1, lines[i]));
        db.commitTrans();
    } catch (...) {
        db.rollback();
        throw;
    }
}

} // namespace jettest
