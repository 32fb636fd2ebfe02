// Several programs on one file: a locked writer fails clearly, a commit blocked by a reader
// rolls back whole, compaction refuses a file another program has open, and a program killed
// in the middle of saving months leaves every month whole. The other program is a child
// process; the two talk through pipes, so no test depends on how long anything takes.
#include "ChildProcess.h"
#include "TestDb.h"

#include "platform/jet/Compaction.h"
#include "platform/jet/Database.h"
#include "platform/jet/FileUse.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

namespace {

using jettest::Child;
using plat::jet::Database;
using plat::jet::Error;

// A busy timeout this small makes a lock fail at once; what is tested is the outcome.
constexpr int kShortBusyTimeoutMs = 20;

class ProcessTest : public testing::Test {
protected:
    jettest::TempDir dir;
    std::string path = dir.file("Roumu.MDB");
    std::optional<Database> db = jettest::createDatabase(path);
};

std::string names(Database& d) {
    return d.openRecordset("SELECT group_concat(SName) FROM SYAIN_MT")[0].toText();
}

bool exists(const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}

// Holds a write transaction until the parent says so, then commits.
void holdWriteLock(const std::string& path, const Child& self) {
    Database child = Database::open(path);
    child.beginTrans();
    child.execute("INSERT INTO SYAIN_MT (SName) VALUES ('child')");
    self.signalParent();
    self.waitForParent();
    child.commitTrans();
}

TEST_F(ProcessTest, WriterFindingTheFileLockedFailsWithLockedAndCanReadMeanwhile) {
    Child child([&](const Child& self) { holdWriteLock(path, self); });
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitForChild());
    db->setBusyTimeout(kShortBusyTimeoutMs);
    try {
        db->beginTrans();
        FAIL() << "the file is locked by the other program";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::Locked);
    }
    EXPECT_FALSE(db->inTransaction());
    // Reading still works while the other program holds its write transaction.
    EXPECT_TRUE(db->openRecordset("SELECT * FROM SYAIN_MT").eof());
    child.signalChild();
    EXPECT_EQ(child.exitStatus(), 0);
    EXPECT_EQ(names(*db), "child");
    EXPECT_EQ(db->openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
}

TEST_F(ProcessTest, WriterSucceedsOnceTheOtherProgramHasCommitted) {
    Child child([&](const Child& self) { holdWriteLock(path, self); });
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitForChild());
    child.signalChild(); // the child commits while this write waits, or before it starts
    jettest::replaceMonth(*db, jettest::sqlDate(2004, 4), 1, "parent", 1000, {{1, "a", {8}}});
    EXPECT_EQ(child.exitStatus(), 0);
    EXPECT_EQ(db->openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 1);
    EXPECT_EQ(db->openRecordset("SELECT count(*) FROM KYUYO_F")[0].toLong(), 1);
}

TEST_F(ProcessTest, CommitBlockedByAReaderFailsClearlyAndRollsBackWhole) {
    const std::string apr = jettest::sqlDate(2004, 4);
    jettest::replaceMonth(*db, apr, 1, "old", 1000, {{1, "a", {8}}, {2, "b", {4}}});
    Child child([&](const Child& self) {
        Database reader = Database::open(path);
        auto rs = reader.openRecordset(jettest::readMonthSql(apr, 1)); // stays on row 1
        self.signalParent();
        self.waitForParent();
    });
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitForChild());
    db->setBusyTimeout(kShortBusyTimeoutMs);
    db->beginTrans();
    db->execute(jettest::deleteMonthSql(apr, 1));
    db->execute(jettest::insertLineSql(apr, 1, "new", 2000, 1, {3, "c", {1}}));
    try {
        db->commitTrans();
        FAIL() << "the commit cannot succeed while the other program reads";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::Locked);
    }
    EXPECT_TRUE(db->inTransaction());
    db->rollback();
    child.signalChild();
    EXPECT_EQ(child.exitStatus(), 0);
    auto rs = db->openRecordset(jettest::readMonthSql(apr, 1));
    EXPECT_EQ(rs["SName"].toText(), "old");
    rs.moveNext();
    EXPECT_EQ(rs["GenbaID"].toLong(), 2);
}

TEST_F(ProcessTest, CompactionRefusesAFileAnotherProgramHasOpenAndChangesNothing) {
    db->execute("INSERT INTO SYAIN_MT (SName) VALUES ('committed')");
    const std::string work = path + "wk";
    // This program's own handle counts as a user too.
    EXPECT_THROW(plat::jet::compactDatabase(path, work), Error);
    db.reset();

    Child child([&](const Child& self) {
        Database other = Database::open(path);
        self.signalParent();
        self.waitForParent();
        // Written after the refused compaction: it must land in the one file there is.
        other.execute("INSERT INTO SYAIN_MT (SName) VALUES ('child')");
    });
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitForChild());
    try {
        plat::jet::compactDatabase(path, work);
        FAIL() << "another program has the file open";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::InUse);
        EXPECT_NE(e.description().find("ほかのユーザー"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(exists(work));
    child.signalChild();
    EXPECT_EQ(child.exitStatus(), 0);

    // Once the other program has closed the file, compaction goes ahead and keeps its row.
    plat::jet::compactDatabase(path, work);
    Database copy = Database::open(work);
    EXPECT_EQ(names(copy), "committed,child");
}

TEST_F(ProcessTest, WhileCompactionHoldsTheFileNoHandleOpensIt) {
    db.reset();
    auto held = plat::jet::FileUse::acquire(path, plat::jet::FileUse::Mode::Exclusive);
    try {
        Database::open(path);
        FAIL() << "compaction holds the file";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::CannotOpen);
    }
    held.release();
    EXPECT_NO_THROW(Database::open(path));
}

// Round r writes every month with (r % 9) + 1 lines whose hours and wage are all r; the child
// tells the parent after each month it saved.
void saveMonthsForever(const std::string& path, const Child& self) {
    Database child = Database::open(path);
    for (int r = 1;; ++r) {
        for (int m = 1; m <= 3; ++m) {
            std::vector<jettest::LedgerLine> lines;
            for (int k = 0; k < r % 9 + 1; ++k) {
                jettest::LedgerLine l{k + 1, "site", {}};
                l.hours.fill(r % 24);
                lines.push_back(l);
            }
            jettest::replaceMonth(child, jettest::sqlDate(2004, m), 7, "n", r, lines);
            self.signalParent();
        }
    }
}

TEST_F(ProcessTest, KilledWhileSavingLeavesEachMonthTheOldOrTheNewSet) {
    db.reset();
    for (int round = 0; round < 4; ++round) {
        Child child([&](const Child& self) { saveMonthsForever(path, self); });
        ASSERT_TRUE(child.started());
        // The kill lands somewhere in the saves after these; wherever it lands, every month
        // must be whole.
        for (int saved = 0; saved < 4 + 5 * round; ++saved)
            ASSERT_TRUE(child.waitForChild());
        child.kill();

        Database after = Database::open(path);
        EXPECT_EQ(after.openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
        for (int m = 1; m <= 3; ++m) {
            auto rs = after.openRecordset(jettest::readMonthSql(jettest::sqlDate(2004, m), 7));
            ASSERT_FALSE(rs.eof());
            const std::int64_t r = rs["TMony"].toLong();
            int n = 0;
            for (; !rs.eof(); rs.moveNext()) {
                ++n;
                EXPECT_EQ(rs["RowNo"].toLong(), n);
                EXPECT_EQ(rs["TMony"].toLong(), r);
                EXPECT_EQ(rs["D31"].toLong(), r % 24);
            }
            EXPECT_EQ(n, r % 9 + 1) << "month " << m << " of round " << r;
        }
    }
}

} // namespace
