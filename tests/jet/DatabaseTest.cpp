// Opening files, errors, transactions, stored queries and text round trips.
#include "TestDb.h"
#include "tests/support/PgCluster.h"

#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <utility>

namespace {

using plat::jet::Database;
using plat::jet::Error;
namespace err = plat::jet::err;

template <typename F> int errorNumber(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        EXPECT_FALSE(e.description().empty());
        return e.number();
    }
    return 0;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

TEST(DatabaseOpen, MissingFileIsAnErrorAndIsNotCreated) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    EXPECT_EQ(errorNumber([&] { Database::open(path); }), err::FileNotFound);
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(errorNumber([&] { Database::open(dir.path()); }), err::CannotOpen);
}

TEST(DatabaseOpen, FileThatIsNotADatabaseIsRejected) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    std::ofstream(path) << "Standard Jet DB? no, just some text that is long enough to matter\n"
                        << std::string(200, 'x');
    EXPECT_EQ(errorNumber([&] { Database::open(path); }), err::BadFormat);
}

TEST(DatabaseOpen, SchemaIsNeverCreatedOverAnExistingFile) {
    jettest::TempDir dir;
    const std::string path = dir.file("Roumu.MDB");
    auto db = jettest::createDatabase(path);
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('x')");
    EXPECT_EQ(errorNumber([&] {
                  plat::jet::createSchema(path, {2004, 4, 1});
              }),
              err::DatabaseExists);
    EXPECT_FALSE(db.openRecordset("SYAIN_MT").eof());
}

class DatabaseTest : public jettest::EngineTest {};
JET_ENGINE_SUITE(DatabaseTest);

TEST_P(DatabaseTest, StatementErrorsCarryTheirNumbers) {
    EXPECT_EQ(errorNumber([&] { db.openRecordset("SELECT * FROM NOSUCH"); }), err::TableNotFound);
    EXPECT_EQ(errorNumber([&] { db.openRecordset("SELECT NOSUCH FROM SYAIN_MT"); }),
              err::UnknownColumn);
    EXPECT_EQ(errorNumber([&] { db.execute("INSERT INTO SYAIN_MT (SName VALUES (1)"); }),
              err::SyntaxError);
    EXPECT_EQ(errorNumber([&] { db.execute("SELECT 1; SELECT 2"); }), err::SyntaxError);
    db.execute("INSERT INTO SYAIN_MT (SyainID,SName) VALUES (5,'a')");
    EXPECT_EQ(
        errorNumber([&] { db.execute("INSERT INTO SYAIN_MT (SyainID,SName) VALUES (5,'b')"); }),
        err::DuplicateKey);
    EXPECT_EQ(errorNumber([&] { db.commitTrans(); }), err::NoTransaction);
    auto rs = db.openRecordset("SELECT * FROM SYAIN_MT");
    EXPECT_EQ(errorNumber([&] { rs.field("NoSuchField"); }), err::ItemNotFound);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorNumber([&] { rs.field("SName"); }), err::NoCurrentRecord);
}

TEST_P(DatabaseTest, FieldsAreFoundByNameWhateverTheCase) {
    db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('a',1100.25)");
    auto rs = db.openRecordset("select syainid, SNAME, tmony from syain_mt");
    EXPECT_EQ(rs["SyainID"].toLong(), 1);
    EXPECT_EQ(rs["sname"].toText(), "a");
    EXPECT_EQ(rs["TMONY"].toCurrency().scaled, 11002500);
    EXPECT_EQ(rs.fieldName(1), "SName") << "a column keeps the spelling of its table";
    // Of two columns with one name the first is found, also when read in column order.
    auto two = db.openRecordset("SELECT 1 AS x, 2 AS X, 3 AS y");
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(two["x"].toLong(), 1);
        EXPECT_EQ(two["X"].toLong(), 1);
        EXPECT_EQ(two["Y"].toLong(), 3);
    }
}

TEST_P(DatabaseTest, TextWithQuotesAndUnusualCharactersRoundTrips) {
    const std::vector<std::string> names = {
        "O'Brien",      "''",  "100%", "C:\\dir\\", "[a] #2004/04/01# & \"x\"",
        "髙橋　𠮷野家", "😀 Ω", "",     "a;b",       "--x"};
    for (const auto& n : names)
        db.execute("INSERT INTO GENBA_MT (GName) VALUES (" + plat::jet::sqlQuote(n) + ")");
    std::vector<std::string> back;
    for (auto rs = db.openRecordset("SELECT GNAME FROM GENBA_MT ORDER BY GENBAID"); !rs.eof();
         rs.moveNext())
        back.push_back(rs["GName"].toText());
    EXPECT_EQ(back, names);
    // And found again by the same quoting in a WHERE clause.
    for (const auto& n : names) {
        auto rs = db.openRecordset("SELECT count(*) AS n FROM GENBA_MT WHERE GNAME=" +
                                   plat::jet::sqlQuote(n));
        EXPECT_EQ(rs["n"].toLong(), 1) << n;
    }
}

TEST_P(DatabaseTest, FailingInsertRollsBackTheDeleteOfTheMonth) {
    const std::string apr = jettest::sqlDate(2004, 4);
    jettest::LedgerLine a{1, "a", {8}};
    jettest::replaceMonth(db, apr, 1, "n", 1200, {a, a});
    // An unescaped quote in the name makes the second INSERT fail after the DELETE ran.
    jettest::LedgerLine broken{2, "O'Brien", {4}};
    EXPECT_THROW(jettest::replaceMonth(db, apr, 1, "n", 1300, {a, broken}), Error);
    EXPECT_FALSE(db.inTransaction());
    int rows = 0;
    for (auto rs = db.openRecordset(jettest::readMonthSql(apr, 1)); !rs.eof(); rs.moveNext()) {
        ++rows;
        EXPECT_EQ(rs["TMony"].toDouble(), 1200.0);
    }
    EXPECT_EQ(rows, 2);
}

// A stored month read back as each line's site name and wage ("a1300b1300").
std::string lineNames(Database& db, const std::string& monthSql) {
    std::string s;
    for (auto rs = db.openRecordset(monthSql); !rs.eof(); rs.moveNext())
        s += rs["GName"].toText() + std::to_string(rs["TMony"].toLong());
    return s;
}

TEST_P(DatabaseTest, ABatchRunsInOrderAndItsFailingStatementKeepsItsNumber) {
    const std::string apr = jettest::sqlDate(2004, 4);
    const std::string month = jettest::readMonthSql(apr, 1);
    const jettest::LedgerLine a{1, "a", {8}}, b{2, "b", {4}};
    jettest::replaceMonth(db, apr, 1, "n", 1200, {a, a});
    db.beginTrans();
    EXPECT_EQ(db.executeBatch({jettest::deleteMonthSql(apr, 1),
                               jettest::insertLineSql(apr, 1, "n", 1300, 1, a),
                               jettest::insertLineSql(apr, 1, "n", 1300, 2, b)}),
              4);
    db.commitTrans();
    const auto names = [&] { return lineNames(db, month); };
    EXPECT_EQ(names(), "a1300b1300");

    // A duplicate key after the removal: 3022, and the rollback keeps the month.
    db.beginTrans();
    EXPECT_EQ(errorNumber([&] {
                  db.executeBatch({jettest::deleteMonthSql(apr, 1),
                                   "INSERT INTO SYAIN_MT (SyainID,SName) VALUES (7,'x')",
                                   "INSERT INTO SYAIN_MT (SyainID,SName) VALUES (7,'y')",
                                   jettest::insertLineSql(apr, 1, "n", 1400, 1, b)});
              }),
              err::DuplicateKey);
    db.rollback();
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(names(), "a1300b1300");

    // Rows another program holds past the lock timeout: 3260; once they are free the same
    // handle's next batch runs.
    Database other = Database::open(location());
    other.setBusyTimeout(100);
    const std::vector<std::string> rename = {"UPDATE KYUYO_F SET GNAME='c' WHERE ROWNO=1",
                                             "UPDATE KYUYO_F SET GNAME='d' WHERE ROWNO=2"};
    db.beginTrans();
    db.execute("UPDATE KYUYO_F SET GNAME='held' WHERE ROWNO=2");
    EXPECT_EQ(errorNumber([&] { other.executeBatch(rename); }), err::Locked);
    EXPECT_FALSE(other.inTransaction());
    db.commitTrans();
    EXPECT_EQ(names(), "a1300held1300");
    EXPECT_EQ(other.executeBatch(rename), 2);
    EXPECT_EQ(names(), "c1300d1300");
}

// A batch that ends its transaction: committed as one with the work before it, or, when a
// statement fails, left open for the rollback that keeps the stored month.
TEST_P(DatabaseTest, ABatchThatCommitsEndsItsTransactionOnlyWhenEveryStatementRan) {
    const std::string apr = jettest::sqlDate(2004, 4);
    const std::string month = jettest::readMonthSql(apr, 1);
    const jettest::LedgerLine a{1, "a", {8}}, b{2, "b", {4}};
    const auto names = [&](Database& d) { return lineNames(d, month); };
    const std::vector<std::string> save = {jettest::deleteMonthSql(apr, 1),
                                           jettest::insertLineSql(apr, 1, "n", 1300, 1, a),
                                           jettest::insertLineSql(apr, 1, "n", 1300, 2, b)};
    EXPECT_EQ(errorNumber([&] { db.executeBatchAndCommit(save); }), err::NoTransaction);
    EXPECT_EQ(names(db), "") << "nothing runs outside a transaction";

    db.beginTrans();
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('before')");
    EXPECT_EQ(db.executeBatchAndCommit(save), 2);
    EXPECT_FALSE(db.inTransaction());
    Database other = Database::open(location());
    EXPECT_EQ(names(other), "a1300b1300");
    EXPECT_EQ(other.openRecordset("SELECT count(*) AS n FROM SYAIN_MT")["n"].toLong(), 1);

    db.beginTrans();
    EXPECT_EQ(errorNumber([&] {
                  db.executeBatchAndCommit({jettest::deleteMonthSql(apr, 1),
                                            "INSERT INTO SYAIN_MT (SyainID,SName) VALUES (7,'x')",
                                            "INSERT INTO SYAIN_MT (SyainID,SName) VALUES (7,'y')"});
              }),
              err::DuplicateKey);
    EXPECT_TRUE(db.inTransaction());
    db.rollback();
    EXPECT_EQ(names(other), "a1300b1300");

    // Inside a nested transaction it ends only the inner one.
    db.beginTrans();
    db.beginTrans();
    db.executeBatchAndCommit({jettest::deleteMonthSql(apr, 1)});
    EXPECT_TRUE(db.inTransaction());
    db.rollback();
    EXPECT_EQ(names(other), "a1300b1300");

    // A lock another program holds: 3260 and no transaction left behind.
    other.setBusyTimeout(100);
    db.beginTrans();
    db.execute("UPDATE KYUYO_F SET GNAME='held' WHERE ROWNO=2");
    EXPECT_EQ(errorNumber([&] {
                  other.beginTrans();
                  other.executeBatchAndCommit(save);
              }),
              err::Locked);
    EXPECT_FALSE(other.inTransaction());
    db.rollback();
}

TEST_P(DatabaseTest, NestedTransactionRollsBackOnlyTheInnerPart) {
    db.beginTrans();
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('outer')");
    db.beginTrans();
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('inner')");
    db.rollback();
    db.commitTrans();
    auto rs = db.openRecordset("SELECT count(*) AS n, max(SName) AS s FROM SYAIN_MT");
    EXPECT_EQ(rs["n"].toLong(), 1);
    EXPECT_EQ(rs["s"].toText(), "outer");
}

TEST_P(DatabaseTest, StoredQueriesAreCreatedOpenedAndDeleted) {
    db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('a',1000)");
    db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('b',2000)");
    db.createQuery("Q_Test", "SELECT [SName] & '様' AS Title FROM SYAIN_MT WHERE TMony>1500;");
    EXPECT_TRUE(db.hasQuery("q_test"));
    EXPECT_EQ(errorNumber([&] { db.createQuery("Q_TEST", "SELECT 1"); }), err::ObjectExists);
    EXPECT_EQ(db.openQuery("Q_Test")["Title"].toText(), "b様");
    EXPECT_EQ(db.openRecordset("Q_Test")["Title"].toText(), "b様");
    db.deleteQuery("Q_Test");
    EXPECT_FALSE(db.hasQuery("Q_Test"));
    EXPECT_EQ(errorNumber([&] { db.deleteQuery("Q_Test"); }), err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { db.openQuery("Q_Test"); }), err::ItemNotFound);
    EXPECT_EQ(errorNumber([&] { db.deleteQuery("SYAIN_MT"); }), err::ItemNotFound)
        << "a table is not a stored query";
}

TEST_P(DatabaseTest, RecordsetKeepsTheConnectionAliveAfterTheHandleGoes) {
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('a')");
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('b')");
    auto rs = [&] {
        Database other = Database::open(db.path());
        return other.openRecordset("SELECT SName FROM SYAIN_MT ORDER BY SyainID");
    }();
    EXPECT_EQ(rs["SName"].toText(), "a");
    rs.moveNext();
    EXPECT_EQ(rs["SName"].toText(), "b");
}

TEST_P(DatabaseTest, SchemaIsNeverCreatedOverADatabaseThatHoldsTables) {
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('x')");
    EXPECT_EQ(errorNumber([&] {
                  plat::jet::createSchema(location(), {2004, 4, 1});
              }),
              err::DatabaseExists);
    EXPECT_EQ(db.openRecordset("SELECT count(*) AS n FROM SYAIN_MT")["n"].toLong(), 1);
}

// A writer, with one statement or a batch as the first work of its transaction (on a server
// the begin and its lock travel with it), waits for another's transaction no longer than the
// lock timeout; a lock not had leaves no transaction behind, and once the other has committed
// the writer writes.
TEST_P(DatabaseTest, AWriterThatWaitsLongerThanTheLockTimeoutFailsWithLockedAndBeginsNothing) {
    Database other = Database::open(location());
    other.setBusyTimeout(100);
    const std::vector<std::string> batch = {"INSERT INTO SYAIN_MT (SName) VALUES ('batch 1')",
                                            "INSERT INTO SYAIN_MT (SName) VALUES ('batch 2')"};
    const std::function<void()> writes[] = {
        [&] { other.execute("INSERT INTO SYAIN_MT (SName) VALUES ('single')"); },
        [&] { other.executeBatch(batch); }};
    for (const auto& write : writes) {
        db.beginTrans();
        db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('first')");
        EXPECT_EQ(errorNumber([&] {
                      other.beginTrans();
                      write();
                  }),
                  err::Locked);
        EXPECT_FALSE(other.inTransaction());
        db.commitTrans();
        other.beginTrans();
        write();
        other.commitTrans();
    }
    EXPECT_EQ(db.openRecordset("SELECT count(*) AS n FROM SYAIN_MT")["n"].toLong(), 5);
}

// The server engine alone: connection failures, lost connections, statement sharing.
class ServerDatabase : public testing::Test {
protected:
    void SetUp() override {
        if (!jettest::serverSkipReason().empty())
            GTEST_SKIP() << jettest::serverSkipReason();
        uri = jettest::newServerDatabase();
        plat::jet::createSchema(uri, {2004, 4, 1});
    }
    std::string databaseName() const {
        const auto from = uri.find("///") + 3;
        return uri.substr(from, uri.find('?') - from);
    }
    std::string uri;
};

TEST_F(ServerDatabase, AMissingDatabaseOrServerIsServerUnavailableWithTheServersReason) {
    for (const std::string& bad :
         {jettest::serverUri("nosuchdb"), std::string("postgresql:///x?host=/nonexistent/dir")}) {
        try {
            Database::open(bad);
            ADD_FAILURE() << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), err::ServerUnavailable);
            EXPECT_NE(e.description().find("データベースサーバーに接続できません。"),
                      std::string::npos);
            EXPECT_GT(e.description().size(), plat::jet::errorDescription(e.number()).size() + 4)
                << "the server's reason is kept: " << e.description();
        }
    }
    EXPECT_NE(errorNumber([&] { Database::open(jettest::serverUri("nosuchdb")); }), 0);
}

TEST_F(ServerDatabase, AConnectionLostInTheMiddleOfASaveLeavesTheOldMonth) {
    const std::string apr = jettest::sqlDate(2004, 4);
    Database db = Database::open(uri);
    jettest::replaceMonth(db, apr, 1, "n", 1200, {{1, "old", {8}}});
    db.beginTrans();
    db.execute(jettest::deleteMonthSql(apr, 1));
    jettest::serverAdmin("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname='" +
                         databaseName() + "' AND pid <> pg_backend_pid()");
    EXPECT_EQ(errorNumber([&] {
                  db.execute(jettest::insertLineSql(apr, 1, "n", 1300, 1, {2, "new", {4}}));
              }),
              err::ServerUnavailable);
    EXPECT_NO_THROW(db.rollback());
    EXPECT_FALSE(db.inTransaction());
    Database again = Database::open(uri);
    auto rs = again.openRecordset(jettest::readMonthSql(apr, 1));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["GName"].toText(), "old");
}

// A site's CrtDate is stamped by the server: in the clerk's local time, as a file stamps it,
// whatever zone the server runs in. A zone the server does not know by its name (the C library
// reads it as UTC) still gives a connection, on the clerk's present offset.
TEST_F(ServerDatabase, NewRowsAreStampedInTheClientsLocalTime) {
    const char* before = std::getenv("TZ");
    const std::string saved = before ? before : "";
    for (const char* zone : {"Pacific/Kiritimati", "Asia/Tokyo", "Nowhere/Special"}) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        Database db = Database::open(uri);
        db.execute("INSERT INTO GENBA_MT (GName) VALUES (" + plat::jet::sqlQuote(zone) + ")");
        const double stamped =
            plat::text::toSerial(db.openRecordset("SELECT CrtDate FROM GENBA_MT WHERE GName=" +
                                                  plat::jet::sqlQuote(zone))["CrtDate"]
                                     .toDate());
        const double now = plat::text::toSerial(plat::text::nowLocal());
        EXPECT_LT(std::abs(now - stamped) * 24 * 60, 2.0) << zone;
    }
    if (before)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST_F(ServerDatabase, WritesThatDifferInTheirValuesShareOnePreparedStatement) {
    Database db = Database::open(uri);
    for (int i = 0; i < 20; ++i)
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES (" +
                   plat::jet::sqlQuote("名前" + std::to_string(i) + "'\\%\"") + "," +
                   std::to_string(1000 + i) + ".5)");
    EXPECT_EQ(db.openRecordset("SELECT count(*) AS n FROM pg_prepared_statements WHERE "
                               "statement LIKE 'INSERT INTO SYAIN_MT%'")["n"]
                  .toLong(),
              1);
    auto rs = db.openRecordset("SELECT SName, TMony FROM SYAIN_MT WHERE SyainID=20");
    EXPECT_EQ(rs["SName"].toText(), "名前19'\\%\"");
    EXPECT_EQ(rs["TMony"].toCurrency().scaled, 10195000);
}

TEST_F(ServerDatabase, EachSessionPrintsTheWorkRowsItPrepared) {
    Database a = Database::open(uri);
    Database b = Database::open(uri);
    // Both fill the statement and the annual work tables, one after the other, before either
    // reads.
    auto prepare = [](Database& db, const char* month, const char* name) {
        db.execute("DELETE FROM PRTROUMUM");
        db.execute(std::string("INSERT INTO PRTROUMUM (NENGETU,SYAINID,SNAME,ROWNO) VALUES (#") +
                   month + "#,1,'" + name + "',1)");
        db.execute("DELETE FROM PRTRUIKEI");
        db.execute(std::string("INSERT INTO PRTRUIKEI (NENGETU,SYAINID,SNAME) VALUES (#") + month +
                   "#,1,'" + name + "')");
    };
    prepare(a, "2004/04/01", "a");
    prepare(b, "2004/05/01", "b");
    for (auto [db, name] : {std::pair{&a, "a"}, std::pair{&b, "b"}}) {
        for (const char* query : {"Q_SRoumuM", "Q_PrtRuikei"}) {
            auto rows = db->openQuery(query);
            ASSERT_FALSE(rows.eof()) << query;
            EXPECT_EQ(rows["SName"].toText(), name) << query;
            rows.moveNext();
            EXPECT_TRUE(rows.eof()) << query << " of " << name;
        }
    }
    // A new session starts with empty work tables.
    EXPECT_TRUE(Database::open(uri).openQuery("Q_SRoumuM").eof());
}

} // namespace
