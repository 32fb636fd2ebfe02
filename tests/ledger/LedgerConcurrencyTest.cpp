// Many clerks on one server database: twenty programs save and delete employee-months of their
// own and of one shared employee through the ledger's checked save, all at once. Every own month
// a program saved is there and whole, every deleted one gone; the shared month is one program's
// whole set or empty; every failure is a clear refusal (the month changed since it was read) or
// a lock wait (3260). The programs are child processes started together through pipes.
#include "app/ledger/LedgerStore.h"
#include "tests/jet/ChildProcess.h"
#include "tests/jet/TestDb.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace tamsel::ledger;
using jettest::Child;
using plat::jet::Currency;
using plat::jet::Database;
using plat::text::DateTime;
namespace err = plat::jet::err;

constexpr int kPrograms = 20;
constexpr int kRounds = 6; // own months January..June
constexpr std::int64_t kShared = 1;
constexpr std::int64_t ownEmployee(int program) {
    return 2 + program;
}

MonthToSave monthOf(int program, std::int64_t syainId, const DateTime& month) {
    MonthToSave m;
    m.month = month;
    m.syainId = syainId;
    m.sName = "p" + std::to_string(program);
    m.wage = Currency::fromUnits(1000 + program);
    for (int n = 0; n <= program % kLines; ++n) {
        LedgerLine l;
        l.GenbaID = n + 1;
        l.GName = "p" + std::to_string(program);
        l.hours.fill(static_cast<float>(program % 24));
        m.lines.push_back(l);
    }
    return m;
}

// The month holds no lines or exactly one program's whole set; returns that program (-1: none).
int expectWholeMonth(Database& db, const DateTime& month, std::int64_t syainId) {
    const StoredMonth stored = readMonth(db, month, syainId);
    if (stored.lines.empty())
        return -1;
    const int program = static_cast<int>(stored.wage->scaled / 10000) - 1000;
    EXPECT_EQ(stored.lines.size(), static_cast<std::size_t>(program % kLines + 1))
        << "employee " << syainId;
    for (const LedgerLine& l : stored.lines) {
        EXPECT_EQ(l.GName, "p" + std::to_string(program)) << "employee " << syainId;
        EXPECT_EQ(l.hours[30], static_cast<float>(program % 24)) << "employee " << syainId;
    }
    return program;
}

// Ends with 100 + a bit per own month (bit r: month r + 1) that it left stored; with 5 on a
// failure that is neither a refusal nor a lock wait.
void saveAndDeleteMonths(const std::string& location, int program, const Child& self) {
    Database db = Database::open(location);
    self.signalParent();
    self.waitForParent();
    const auto attempt = [&](auto&& step) {
        try {
            step();
            return true;
        } catch (const plat::jet::Error& e) {
            if (db.inTransaction())
                db.rollback();
            if (e.number() != err::Locked)
                ::_exit(5);
            return false;
        }
    };
    const DateTime april{2004, 4, 1};
    unsigned stored = 0;
    for (int round = 0; round < kRounds; ++round) {
        // The shared month, saved as the screen saves it: checked against the month as read.
        for (int k = 0; k < 3; ++k)
            attempt([&] {
                const MonthStamp readAs = stampMonth(db, april, kShared);
                const SaveResult r =
                    saveMonth(db, monthOf(program, kShared, april), {readAs, false});
                if (r.outcome != SaveOutcome::Saved && r.outcome != SaveOutcome::ChangedElsewhere)
                    ::_exit(6);
            });
        const DateTime own{2004, 1 + round, 1};
        attempt([&] {
            const MonthStamp readAs = stampMonth(db, own, ownEmployee(program));
            // Nobody else writes this employee: the check always passes.
            if (saveMonth(db, monthOf(program, ownEmployee(program), own), {readAs, false})
                    .outcome != SaveOutcome::Saved)
                ::_exit(7);
            stored |= 1u << round;
        });
        if (round % 3 == 2) {
            attempt([&] {
                const SaveOutcome o =
                    deleteMonth(db, april, kShared, {stampMonth(db, april, kShared), false});
                if (o != SaveOutcome::Saved && o != SaveOutcome::ChangedElsewhere)
                    ::_exit(8);
            });
            const DateTime earlier{2004, round, 1};
            if (attempt([&] {
                    const std::int64_t mine = ownEmployee(program);
                    if (deleteMonth(db, earlier, mine, {stampMonth(db, earlier, mine), false}) !=
                        SaveOutcome::Saved)
                        ::_exit(9);
                }))
                stored &= ~(1u << (round - 1));
        }
    }
    ::_exit(100 + static_cast<int>(stored));
}

TEST(LedgerConcurrencyTest, TwentyProgramsSavingAndDeletingMonthsLoseAndMixNothing) {
    if (const std::string why = jettest::serverSkipReason(); !why.empty())
        GTEST_SKIP() << why;
    const std::string uri = jettest::newServerDatabase();
    Database db = jettest::createDatabase(uri);
    for (int e = 0; e <= kPrograms; ++e)
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('e" + std::to_string(e) + "',1000)");
    ASSERT_EQ(db.lastInsertId(), ownEmployee(kPrograms - 1));

    std::vector<std::unique_ptr<Child>> programs;
    for (int p = 0; p < kPrograms; ++p) {
        programs.push_back(std::make_unique<Child>(
            [&, p](const Child& self) { saveAndDeleteMonths(uri, p, self); }));
        ASSERT_TRUE(programs.back()->started());
    }
    for (auto& c : programs)
        ASSERT_TRUE(c->waitForChild()); // every program has its database open
    for (auto& c : programs)
        c->signalChild();
    std::vector<unsigned> stored;
    for (auto& c : programs) {
        const int status = c->exitStatus();
        EXPECT_GE(status, 100) << "a save failed with something other than a refusal or 3260";
        stored.push_back(status >= 100 ? static_cast<unsigned>(status - 100) : 0u);
    }

    expectWholeMonth(db, DateTime{2004, 4, 1}, kShared);
    int ownMonths = 0;
    for (int p = 0; p < kPrograms; ++p) {
        for (int round = 0; round < kRounds; ++round) {
            const bool kept = stored[static_cast<std::size_t>(p)] & (1u << round);
            const int program = expectWholeMonth(db, DateTime{2004, 1 + round, 1}, ownEmployee(p));
            EXPECT_EQ(program, kept ? p : -1) << "program " << p << ", month " << round + 1;
            ownMonths += kept;
        }
    }
    EXPECT_GT(ownMonths, 0);
}

} // namespace
