// Several programs on one file: a locked writer waits and then fails clearly, and a program
// killed in the middle of saving months leaves every month whole.
#include "TestDb.h"

#include "platform/jet/Compaction.h"
#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

using plat::jet::Database;
using plat::jet::Error;

// Runs `body` in a child process; the child reports through the pipe and ends with _exit.
template <typename F> pid_t spawn(int (&pipeFds)[2], F&& body) {
    if (::pipe(pipeFds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        int rc = 0;
        try {
            body(pipeFds[1]);
        } catch (...) {
            rc = 3;
        }
        ::_exit(rc);
    }
    ::close(pipeFds[1]);
    return pid;
}

void signalParent(int fd) {
    const char c = 'x';
    if (::write(fd, &c, 1) != 1)
        ::_exit(4);
}

bool waitForSignal(int fd) {
    char c = 0;
    return ::read(fd, &c, 1) == 1;
}

class ProcessTest : public testing::Test {
protected:
    jettest::TempDir dir;
    std::string path = dir.file("Roumu.MDB");
    Database db = jettest::createDatabase(path);
};

void holdWriteLock(const std::string& path, std::chrono::milliseconds hold, int fd) {
    Database child = Database::open(path);
    child.beginTrans();
    child.execute("INSERT INTO SYAIN_MT (SName) VALUES ('child')");
    signalParent(fd);
    std::this_thread::sleep_for(hold);
    child.commitTrans();
}

TEST_F(ProcessTest, WriterFindingTheFileLockedFailsWithLockedAfterWaiting) {
    int fds[2];
    const pid_t pid = spawn(fds, [&](int fd) { holdWriteLock(path, std::chrono::seconds(4), fd); });
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitForSignal(fds[0]));
    const auto start = std::chrono::steady_clock::now();
    try {
        db.beginTrans();
        FAIL() << "the file is locked by the other program";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::Locked);
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(db.inTransaction());
    // Reading still works while the other program holds its write transaction.
    EXPECT_TRUE(db.openRecordset("SELECT * FROM SYAIN_MT").eof());
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(fds[0]);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(db.openRecordset("SELECT SName FROM SYAIN_MT")["SName"].toText(), "child");
    EXPECT_EQ(db.openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
}

TEST_F(ProcessTest, WriterWaitsForAShortLockAndThenSucceeds) {
    int fds[2];
    const pid_t pid =
        spawn(fds, [&](int fd) { holdWriteLock(path, std::chrono::milliseconds(500), fd); });
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitForSignal(fds[0]));
    jettest::replaceMonth(db, jettest::sqlDate(2004, 4), 1, "parent", 1000, {{1, "a", {8}}});
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(fds[0]);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM SYAIN_MT")[0].toLong(), 1);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM KYUYO_F")[0].toLong(), 1);
    EXPECT_EQ(db.openRecordset("PRAGMA integrity_check")[0].toText(), "ok");
}

TEST_F(ProcessTest, CommitBlockedByAReaderFailsClearlyAndRollsBackWhole) {
    const std::string apr = jettest::sqlDate(2004, 4);
    jettest::replaceMonth(db, apr, 1, "old", 1000, {{1, "a", {8}}, {2, "b", {4}}});
    int fds[2];
    const pid_t pid = spawn(fds, [&](int fd) {
        Database reader = Database::open(path);
        auto rs = reader.openRecordset(jettest::readMonthSql(apr, 1)); // stays on row 1
        signalParent(fd);
        std::this_thread::sleep_for(std::chrono::seconds(4));
    });
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitForSignal(fds[0]));
    db.beginTrans();
    db.execute(jettest::deleteMonthSql(apr, 1));
    db.execute(jettest::insertLineSql(apr, 1, "new", 2000, 1, {3, "c", {1}}));
    try {
        db.commitTrans();
        FAIL() << "the commit cannot succeed while the other program reads";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::Locked);
    }
    EXPECT_TRUE(db.inTransaction());
    db.rollback();
    ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    auto rs = db.openRecordset(jettest::readMonthSql(apr, 1));
    EXPECT_EQ(rs["SName"].toText(), "old");
    rs.moveNext();
    EXPECT_EQ(rs["GenbaID"].toLong(), 2);
}

TEST_F(ProcessTest, CompactionDuringAnotherProgramsTransactionCopiesTheCommittedState) {
    db.execute("INSERT INTO SYAIN_MT (SName) VALUES ('committed')");
    int fds[2];
    const pid_t pid =
        spawn(fds, [&](int fd) { holdWriteLock(path, std::chrono::milliseconds(1500), fd); });
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitForSignal(fds[0]));
    int last = -1;
    plat::jet::compactDatabase(path, path + "wk", [&](int p) { last = p; });
    EXPECT_EQ(last, 100);
    auto copy = Database::open(path + "wk");
    EXPECT_EQ(copy.openRecordset("SELECT group_concat(SName) FROM SYAIN_MT")[0].toText(),
              "committed");
    ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    plat::jet::compactDatabase(path, path + "wk2");
    EXPECT_EQ(Database::open(path + "wk2")
                  .openRecordset("SELECT group_concat(SName) FROM SYAIN_MT")[0]
                  .toText(),
              "committed,child");
}

// Round r writes every month with (r % 9) + 1 lines whose hours and wage are all r.
void saveMonthsForever(const std::string& path, int fd) {
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
        }
        if (r == 2)
            signalParent(fd);
    }
}

TEST_F(ProcessTest, KilledWhileSavingLeavesEachMonthTheOldOrTheNewSet) {
    for (int round = 0; round < 4; ++round) {
        int fds[2];
        const pid_t pid = spawn(fds, [&](int fd) { saveMonthsForever(path, fd); });
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(waitForSignal(fds[0]));
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + 37 * round));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(fds[0]);

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
