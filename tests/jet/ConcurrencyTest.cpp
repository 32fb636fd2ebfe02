// Many programs on one database, on either engine: saves of one employee-month from several
// programs at once run one after the other (each month whole, every failure a lock wait, every
// save that was not refused there), and a
// program killed inside a save leaves the old month. The programs are child processes started
// together through pipes.
#include "ChildProcess.h"
#include "TestDb.h"

#include "platform/jet/Database.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using jettest::Child;
using jettest::LedgerLine;
using plat::jet::Database;
using plat::jet::Error;
namespace err = plat::jet::err;

class Concurrency : public jettest::EngineTest {};
JET_ENGINE_SUITE(Concurrency);

constexpr long kShared = 1;
constexpr int kPrograms = 8;
constexpr int kRounds = 12;

std::vector<LedgerLine> linesOf(int program) {
    std::vector<LedgerLine> lines;
    for (int n = 0; n <= program % 9; ++n) {
        LedgerLine l{n + 1, "p" + std::to_string(program), {}};
        l.hours.fill(static_cast<double>(program % 24));
        lines.push_back(l);
    }
    return lines;
}

// Exits with 100 + the number of its own months that a lock wait (3260) kept from being saved;
// with 5 on any other error.
void saveAndDeleteMonths(const std::string& location, int program, const Child& self) {
    Database db = Database::open(location);
    self.signalParent();
    self.waitForParent();
    const auto attempt = [&](auto&& step) {
        try {
            step();
            return true;
        } catch (const Error& e) {
            if (db.inTransaction())
                db.rollback();
            if (e.number() != err::Locked)
                ::_exit(5);
            return false;
        }
    };
    const std::string apr = jettest::sqlDate(2004, 4);
    int ownMissing = 0;
    for (int round = 0; round < kRounds; ++round) {
        attempt([&] {
            jettest::replaceMonth(db, apr, kShared, "shared", 1000 + program, linesOf(program));
        });
        if (!attempt([&] {
                jettest::replaceMonth(db, jettest::sqlDate(2004, 1 + round), 100 + program, "own",
                                      1000 + program, linesOf(program));
            }))
            ++ownMissing;
        if (round % 4 == 3)
            attempt([&] {
                db.beginTrans();
                db.execute(jettest::deleteMonthSql(apr, kShared));
                db.commitTrans();
            });
    }
    ::_exit(100 + ownMissing);
}

// The month holds no lines or exactly one program's whole set.
void expectWholeMonth(Database& db, const std::string& date, long syainId) {
    auto rs = db.openRecordset(jettest::readMonthSql(date, syainId));
    if (rs.eof())
        return;
    const std::int64_t program = rs["TMony"].toLong() - 1000;
    int n = 0;
    for (; !rs.eof(); rs.moveNext()) {
        ++n;
        EXPECT_EQ(rs["RowNo"].toLong(), n);
        EXPECT_EQ(rs["TMony"].toLong(), 1000 + program);
        EXPECT_EQ(rs["GName"].toText(), "p" + std::to_string(program));
        EXPECT_EQ(rs["D31"].toLong(), program % 24);
    }
    EXPECT_EQ(n, program % 9 + 1) << "employee " << syainId;
}

TEST_P(Concurrency, SavesOfOneEmployeeMonthFromManyProgramsNeverMix) {
    std::vector<std::unique_ptr<Child>> programs;
    for (int p = 0; p < kPrograms; ++p) {
        programs.push_back(std::make_unique<Child>(
            [&, p](const Child& self) { saveAndDeleteMonths(location(), p, self); }));
        ASSERT_TRUE(programs.back()->started());
    }
    for (auto& c : programs)
        ASSERT_TRUE(c->waitForChild()); // every program has its database open
    for (auto& c : programs)
        c->signalChild();
    std::vector<int> ownMissing;
    for (auto& c : programs) {
        const int status = c->exitStatus();
        EXPECT_GE(status, 100) << "a save failed with something other than a lock wait";
        ownMissing.push_back(status - 100);
    }

    expectWholeMonth(db, jettest::sqlDate(2004, 4), kShared);
    for (int p = 0; p < kPrograms; ++p) {
        for (int m = 1; m <= kRounds; ++m)
            expectWholeMonth(db, jettest::sqlDate(2004, m), 100 + p);
        // Every own month a program saved is there, whole.
        EXPECT_EQ(db.openRecordset("SELECT count(*) AS n FROM KYUYO_F WHERE SYAINID=" +
                                   std::to_string(100 + p))["n"]
                      .toLong(),
                  (kRounds - ownMissing[static_cast<std::size_t>(p)]) * (p % 9 + 1));
    }
}

TEST_P(Concurrency, AProgramKilledInsideASaveLeavesTheOldMonth) {
    const std::string apr = jettest::sqlDate(2004, 4);
    jettest::replaceMonth(db, apr, kShared, "old", 1003, linesOf(3));
    Child child([&](const Child& self) {
        Database mine = Database::open(location());
        mine.beginTrans();
        mine.execute(jettest::deleteMonthSql(apr, kShared));
        mine.execute(jettest::insertLineSql(apr, kShared, "new", 1005, 1, linesOf(5)[0]));
        self.signalParent(); // inside the transaction
        self.waitForParent();
        mine.commitTrans();
    });
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.waitForChild());
    child.kill();
    expectWholeMonth(db, apr, kShared);
    EXPECT_EQ(db.openRecordset(jettest::readMonthSql(apr, kShared))["TMony"].toLong(), 1003);
    // The killed program's lock went with it: the month can be saved again.
    jettest::replaceMonth(db, apr, kShared, "again", 1004, linesOf(4));
    expectWholeMonth(db, apr, kShared);
}

} // namespace
