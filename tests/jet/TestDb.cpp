// Test helpers: temporary folders, a fresh schema, the ledger statement texts.
#include "TestDb.h"

#include "PgCluster.h"

#include "platform/jet/Schema.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace jettest {

TempDir::TempDir() {
    const char* base = std::getenv("TAMSEL_TEST_TMP");
    std::string root = base && *base ? base : "/tmp";
    std::filesystem::create_directories(root);
    std::string tmpl = root + "/jet-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

plat::jet::Database createDatabase(const std::string& path) {
    plat::jet::createSchema(path, plat::text::DateTime{2004, 4, 1});
    return plat::jet::Database::open(path);
}

std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::File ? "File" : "Server";
}

std::string newLocation(Engine engine, const TempDir& dir) {
    if (engine == Engine::File)
        return dir.file("Roumu.MDB");
    return newServerDatabase();
}

std::string EngineTest::newLocationOrFile(Engine engine, const TempDir& dir) {
    if (engine == Engine::Server && !serverSkipReason().empty())
        return dir.file("Roumu.MDB");
    return newLocation(engine, dir);
}

void EngineTest::SetUp() {
    if (GetParam() == Engine::Server && !serverSkipReason().empty())
        GTEST_SKIP() << serverSkipReason();
}

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
