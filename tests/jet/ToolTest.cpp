// tamsel-db as the user runs it, and the demonstration data it writes.
#include "TestDb.h"
#include "tests/support/Pdf.h"
#include "tests/support/PgCluster.h"

#include "platform/jet/Copy.h"
#include "platform/jet/Database.h"
#include "tools/tamsel-db/ConsoleFormat.h"
#include "tools/tamsel-db/DemoData.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace {

using plat::jet::Database;
using plat::jet::Value;

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `input`, when given, is the tool's standard input.
ToolRun runTool(const jettest::TempDir& dir, const std::vector<std::string>& args,
                const std::optional<std::string>& input = std::nullopt) {
    std::string cmd = TAMSEL_DB_PATH;
    for (const auto& a : args)
        cmd += " " + shellQuote(a);
    const std::string errFile = dir.file("stderr.txt");
    cmd += " 2>" + shellQuote(errFile);
    if (input) {
        const std::string inFile = dir.file("stdin.txt");
        std::ofstream(inFile) << *input;
        cmd += " <" + shellQuote(inFile);
    }
    const testsupport::CommandRun run = testsupport::runShell(cmd);
    ToolRun r{run.status, run.out, {}};
    std::ifstream e(errFile);
    r.err.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
    return r;
}

TEST(TamselDbTool, InitRefusesAnExistingFileUnlessForced) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    EXPECT_EQ(runTool(dir, {"init", path}).exitCode, 0);
    EXPECT_EQ(runTool(dir, {"sql", path, "INSERT INTO SYAIN_MT (SName) VALUES ('keep')"}).out,
              "1\n");
    const ToolRun again = runTool(dir, {"init", path});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err.rfind("error 3204: ", 0), 0u) << again.err;
    EXPECT_EQ(Database::open(path).openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 1);
    EXPECT_EQ(runTool(dir, {"init", "--force", path}).exitCode, 0);
    EXPECT_EQ(Database::open(path).openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 0);
}

TEST(TamselDbTool, SqlPrintsHeaderAndTabSeparatedRowsOrTheError) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    ASSERT_EQ(runTool(dir, {"init", path}).exitCode, 0);
    runTool(dir, {"sql", path, "INSERT INTO SYAIN_MT (SName,TMony) VALUES ('O''Brien',1250.5)"});
    runTool(dir, {"sql", path, "INSERT INTO SYAIN_MT (SName,TMony) VALUES (NULL,1100)"});
    runTool(dir,
            {"sql", path, "INSERT INTO GENBA_MT (GName,CrtDate) VALUES ('a',#2004/04/01 13:05#)"});
    EXPECT_EQ(runTool(dir, {"sql", path, "SELECT * FROM SYAIN_MT ORDER BY SYAINID"}).out,
              "SyainID\tSName\tTMony\n1\tO'Brien\t1250.5\n2\t\t1100\n");
    EXPECT_EQ(runTool(dir, {"sql", path, "SELECT CrtDate, #2004/05/01# AS m FROM GENBA_MT"}).out,
              "CrtDate\tm\n2004/04/01 13:05:00\t2004-05-01 00:00:00\n");
    const ToolRun bad = runTool(dir, {"sql", path, "SELECT * FROM NOSUCH"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err.rfind("error 3078: ", 0), 0u) << bad.err;
    const ToolRun missing = runTool(dir, {"sql", dir.file("none.MDB"), "SELECT 1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.rfind("error 3024: ", 0), 0u) << missing.err;
}

TEST(TamselDbTool, SqlWithoutAStatementRunsOnePerInputLineOnOneOpenDatabase) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    ASSERT_EQ(runTool(dir, {"init", path}).exitCode, 0);
    const ToolRun r = runTool(dir, {"sql", path},
                              "INSERT INTO SYAIN_MT (SName) VALUES ('a')\n"
                              "\n"
                              "SELECT * FROM NOSUCH\n"
                              "SELECT SName FROM SYAIN_MT\n");
    EXPECT_EQ(r.out, "1\nSName\na\n");
    EXPECT_EQ(r.err.rfind("error 3078: ", 0), 0u) << r.err;
    EXPECT_EQ(r.exitCode, 1); // one statement failed; the ones after it still ran
}

bool fileExists(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}

TEST(TamselDbTool, CompactAndBackupRunTheMaintenanceChecks) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    ASSERT_EQ(runTool(dir, {"init", "--demo", path}).exitCode, 0);
    {
        // This test program has the file open: to the tool it is another user.
        Database other = Database::open(path);
        const ToolRun refused = runTool(dir, {"compact", path});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err.rfind("error 3356: ", 0), 0u) << refused.err;
        EXPECT_NE(refused.err.find("ほかのユーザー"), std::string::npos) << refused.err;
        EXPECT_FALSE(fileExists(path + "wk"));
        other.execute("INSERT INTO SYAIN_MT (SName) VALUES ('still here')");
    }
    EXPECT_EQ(runTool(dir, {"compact", path}).exitCode, 0);
    EXPECT_EQ(Database::open(path).openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 21);

    std::ofstream(path + "wk") << "left over";
    const ToolRun blocked = runTool(dir, {"compact", path});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(blocked.err,
              "error 3204: " + path + "wk(ワークファイル)があるので処理できません。\n");
    ::unlink((path + "wk").c_str());

    const ToolRun drive = runTool(dir, {"backup", path, "D:\\BK"});
    EXPECT_EQ(drive.exitCode, 1);
    EXPECT_EQ(drive.err.rfind("error 76: ", 0), 0u) << drive.err;
    EXPECT_FALSE(fileExists("D:\\BK"));

    const std::string folder = dir.file("bk");
    EXPECT_EQ(runTool(dir, {"backup", path, folder}).exitCode, 0);
    EXPECT_EQ(Database::open(folder + "/RoumuBK.mdb")
                  .openRecordset("SELECT count(*) FROM SYAIN_MT")[0]
                  .toLong(),
              21);
    const ToolRun deep = runTool(dir, {"backup", path, dir.file("no/such")});
    EXPECT_EQ(deep.exitCode, 1);
    EXPECT_EQ(deep.err.rfind("error 76: ", 0), 0u) << deep.err;
}

TEST(ConsoleFormat, DatesShowTheTimeOnlyWhenThereIsOne) {
    EXPECT_EQ(tamseldb::formatForConsole(Value(plat::text::DateTime{2004, 4, 1})), "2004/04/01");
    EXPECT_EQ(tamseldb::formatForConsole(Value(plat::text::DateTime{2004, 4, 1, 0, 0, 1})),
              "2004/04/01 00:00:01");
    EXPECT_EQ(tamseldb::formatForConsole(Value()), "");
    EXPECT_EQ(tamseldb::formatForConsole(Value(plat::jet::Currency{12345})), "1.2345");
}

TEST(DemoData, TwoYearsOfWholeLedgersEndingThisMonth) {
    jettest::TempDir dir;
    auto db = jettest::createDatabase(dir.file("Roumu.MDB"));
    const plat::text::DateTime today{2005, 3, 15};
    tamseldb::fillDemoData(db, today);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 20);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM GENBA_MT")[0].toLong(), 15);
    auto wages = db.openRecordset("SELECT min(TMony), max(TMony) FROM SYAIN_MT");
    EXPECT_GE(wages[0].toDouble(), 1100);
    EXPECT_LE(wages[1].toDouble(), 2500);
    auto months = db.openRecordset("SELECT min(Nengetu), max(Nengetu), count(DISTINCT Nengetu) "
                                   "FROM KYUYO_F");
    EXPECT_EQ(months[0].toText(), "2003-04-01 00:00:00");
    EXPECT_EQ(months[1].toText(), "2005-03-01 00:00:00");
    EXPECT_EQ(months[2].toLong(), 24);
    // Every employee-month: lines 1…n without gaps, no site twice, nothing on Sundays or past
    // the month's end (February 2004: days 30 and 31; 2004-02-01 was a Sunday).
    auto lines = db.openRecordset("SELECT Nengetu, SyainID, count(*) AS n, max(RowNo) AS m, "
                                  "count(DISTINCT GenbaID) AS g FROM KYUYO_F "
                                  "GROUP BY Nengetu, SyainID");
    int monthsSeen = 0;
    for (; !lines.eof(); lines.moveNext(), ++monthsSeen) {
        EXPECT_EQ(lines["n"].toLong(), lines["m"].toLong());
        EXPECT_EQ(lines["n"].toLong(), lines["g"].toLong());
        EXPECT_LE(lines["n"].toLong(), 9);
    }
    EXPECT_EQ(monthsSeen, 20 * 24);
    auto feb = db.openRecordset("SELECT sum(D1), sum(D30), sum(D31), sum(D2) FROM KYUYO_F "
                                "WHERE Nengetu=#2004/02/01#");
    EXPECT_EQ(feb[0].toDouble(), 0.0);
    EXPECT_EQ(feb[1].toDouble(), 0.0);
    EXPECT_EQ(feb[2].toDouble(), 0.0);
    EXPECT_GT(feb[3].toDouble(), 20 * 7.0);
}

// Every row of a table as text, sorted: the content without the engine's row order.
std::vector<std::string> tableRows(const std::string& location, const std::string& table) {
    std::vector<std::string> rows;
    Database db = Database::open(location);
    for (auto rs = db.openRecordset("SELECT * FROM " + table); !rs.eof(); rs.moveNext()) {
        std::string r;
        for (int i = 0; i < rs.fieldCount(); ++i)
            r += (rs.field(i).isNull() ? std::string("<null>") : rs.field(i).toText()) + "|";
        rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(TamselDbTool, CopyFileToServerAndBackKeepsEveryRowKeyAndCounter) {
    if (!jettest::serverSkipReason().empty())
        GTEST_SKIP() << jettest::serverSkipReason();
    jettest::TempDir dir;
    const std::string original = dir.file("Roumu.MDB");
    ASSERT_EQ(runTool(dir, {"init", "--demo", original}).exitCode, 0);
    // A retired employee (the counter is ahead of the largest key), a name holding every quote
    // character, and a settings table a module created.
    for (const char* sql :
         {"INSERT INTO SYAIN_MT (SName,TMony) VALUES ('退職者',1000)",
          "DELETE * FROM SYAIN_MT WHERE SName='退職者'",
          "INSERT INTO GENBA_MT (GName) VALUES ('O''Brien \\ 100% \"本社\"')",
          "CREATE TABLE IF NOT EXISTS ZANGYO_SET (HouteiKyujitu INTEGER, TokubetuJoko INTEGER, "
          "NendoKaisi INTEGER)",
          "INSERT INTO ZANGYO_SET (HouteiKyujitu,TokubetuJoko,NendoKaisi) VALUES (0,1,4)"})
        ASSERT_EQ(runTool(dir, {"sql", original, sql}).exitCode, 0) << sql;
    const std::int64_t counter =
        Database::open(original)
            .openRecordset("SELECT seq FROM sqlite_sequence WHERE name='SYAIN_MT'")[0]
            .toLong();

    const std::string server = jettest::newServerDatabase();
    const ToolRun up = runTool(dir, {"copy", original, server});
    ASSERT_EQ(up.exitCode, 0) << up.err;
    const std::string back = dir.file("Back.MDB");
    const ToolRun down = runTool(dir, {"copy", server, back});
    ASSERT_EQ(down.exitCode, 0) << down.err;

    char sum[32];
    std::snprintf(sum, sizeof sum, "%016llx",
                  static_cast<unsigned long long>(plat::jet::databaseChecksum(original)));
    EXPECT_NE(up.out.find(std::string("checksum\t") + sum + "\n"), std::string::npos) << up.out;
    EXPECT_EQ(down.out, up.out) << "the same counts and checksum read back from each target";
    EXPECT_NE(up.out.find("KYUYO_F\t"), std::string::npos);
    EXPECT_NE(up.out.find("ZANGYO_SET\t1\n"), std::string::npos) << up.out;
    for (const char* table : {"SYAIN_MT", "GENBA_MT", "KYUYO_F", "ZANGYO_SET"}) {
        const auto rows = tableRows(original, table);
        EXPECT_FALSE(rows.empty()) << table;
        EXPECT_EQ(tableRows(server, table), rows) << table;
        EXPECT_EQ(tableRows(back, table), rows) << table;
    }
    // The counters came along: the next employee on either copy gets the number after the
    // retired one's.
    for (const std::string& copy : {server, back}) {
        Database db = Database::open(copy);
        db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('新人')");
        EXPECT_EQ(db.openRecordset("SELECT max(SyainID) AS m FROM SYAIN_MT")["m"].toLong(),
                  counter + 1)
            << copy;
    }
    // A target that holds data is refused and left as it was.
    const ToolRun again = runTool(dir, {"copy", original, server});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.err.rfind("error 3204: ", 0), 0u) << again.err;
    EXPECT_EQ(tableRows(server, "KYUYO_F"), tableRows(original, "KYUYO_F"));
}

TEST(TamselDbTool, InitCreatesTheSchemaAndDemoDataOnAServerDatabase) {
    if (!jettest::serverSkipReason().empty())
        GTEST_SKIP() << jettest::serverSkipReason();
    jettest::TempDir dir;
    const std::string server = jettest::newServerDatabase();
    const ToolRun init = runTool(dir, {"init", "--demo", server});
    ASSERT_EQ(init.exitCode, 0) << init.err;
    const ToolRun count = runTool(dir, {"sql", server, "SELECT count(*) AS n FROM SYAIN_MT"});
    EXPECT_EQ(count.out, "n\n20\n") << count.err;
    EXPECT_EQ(runTool(dir, {"init", server}).exitCode, 1) << "an existing schema is refused";
}

TEST(TamselDbTool, ServerBackupIsADatedDumpThatRestoresIntoAnEmptyDatabase) {
    if (!jettest::serverSkipReason().empty())
        GTEST_SKIP() << jettest::serverSkipReason();
    jettest::TempDir dir;
    const std::string server = jettest::newServerDatabase();
    ASSERT_EQ(runTool(dir, {"init", "--demo", server}).exitCode, 0);
    const ToolRun vacuum = runTool(dir, {"compact", server});
    EXPECT_EQ(vacuum.exitCode, 0) << vacuum.err;
    const ToolRun backup = runTool(dir, {"backup", server, dir.file("bk")});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const std::time_t now = std::time(nullptr);
    char name[32];
    std::strftime(name, sizeof name, "Roumu_%Y%m%d.dump", std::localtime(&now));
    const std::string dump = dir.file("bk/") + name;
    struct stat st {};
    ASSERT_EQ(::stat(dump.c_str(), &st), 0) << dump;

    const std::string restored = jettest::newServerDatabase();
    const ToolRun restore = runTool(dir, {"restore", dump, restored});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_EQ(plat::jet::databaseChecksum(restored), plat::jet::databaseChecksum(server));
    EXPECT_EQ(tableRows(restored, "KYUYO_F"), tableRows(server, "KYUYO_F"));
    // The restored database works as the original: keys go on after the restored ones.
    Database db = Database::open(restored);
    const std::int64_t before =
        db.openRecordset("SELECT max(SyainID) AS m FROM SYAIN_MT")["m"].toLong();
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('新人')");
    EXPECT_EQ(db.lastInsertId(), before + 1);
    // A database that holds the tables already is refused.
    const ToolRun again = runTool(dir, {"restore", dump, restored});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("error "), std::string::npos) << again.err;
}

} // namespace
