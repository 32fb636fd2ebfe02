// Many clerks on one server database: twenty programs save and delete employee-months of their
// own and of one shared employee through the ledger's checked save, all at once, for half a
// minute (or a cap of rounds). Every own month a program saved is there and whole, every deleted
// one gone; the shared month is one program's whole set or empty; every failure is a clear
// refusal (the month changed since it was read) or a lock wait (3260). The programs are child
// processes started together through pipes; each writes down which own months it left stored.
#include "app/ledger/LedgerStore.h"
#include "tests/jet/ChildProcess.h"
#include "tests/jet/TestDb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using namespace tamsel::ledger;
using jettest::Child;
using plat::jet::Currency;
using plat::jet::Database;
using plat::text::DateTime;
namespace err = plat::jet::err;

constexpr int kPrograms = 20;
// Each program runs rounds for this long after the start signal, at most kRoundCap of them.
constexpr auto kRunFor = std::chrono::seconds(30);
constexpr int kRoundCap = 600;
constexpr std::int64_t kShared = 1;
// A program's own month of a round: January 2010 onwards, one month per round.
DateTime ownMonth(int round) {
    return DateTime{2010 + round / 12, 1 + round % 12, 1};
}
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

// The month holds no lines (-1) or exactly one program's whole set (that program); -2 when it
// holds anything else.
int wholeMonthOf(Database& db, const DateTime& month, std::int64_t syainId) {
    const StoredMonth stored = readMonth(db, month, syainId);
    if (stored.lines.empty())
        return -1;
    const int program = static_cast<int>(stored.wage->scaled / 10000) - 1000;
    if (program < 0 || stored.lines.size() != static_cast<std::size_t>(program % kLines + 1))
        return -2;
    for (const LedgerLine& l : stored.lines)
        if (l.GName != "p" + std::to_string(program) ||
            l.hours[30] != static_cast<float>(program % 24))
            return -2;
    return program;
}

// Ends with 0 after writing to `record` one character per round run, '1' for an own month it
// left stored and '0' for one it deleted; with 5 on a failure that is neither a refusal nor a
// lock wait, 6 to 9 on an unexpected outcome.
void saveAndDeleteMonths(const std::string& location, int program, const std::string& record,
                         const Child& self) {
    Database db = Database::open(location);
    self.signalParent();
    self.waitForParent();
    const auto end = std::chrono::steady_clock::now() + kRunFor;
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
    const std::int64_t mine = ownEmployee(program);
    std::string stored;
    for (int round = 0; round < kRoundCap && std::chrono::steady_clock::now() < end; ++round) {
        // The shared month, saved as the screen saves it: checked against the month as read.
        for (int k = 0; k < 3; ++k)
            attempt([&] {
                const MonthStamp readAs = stampMonth(db, april, kShared);
                const SaveResult r =
                    saveMonth(db, monthOf(program, kShared, april), {readAs, false});
                if (r.outcome != SaveOutcome::Saved && r.outcome != SaveOutcome::ChangedElsewhere)
                    ::_exit(6);
            });
        const DateTime own = ownMonth(round);
        stored += '0';
        attempt([&] {
            const MonthStamp readAs = stampMonth(db, own, mine);
            // Nobody else writes this employee: the check always passes.
            if (saveMonth(db, monthOf(program, mine, own), {readAs, false}).outcome !=
                SaveOutcome::Saved)
                ::_exit(7);
            stored.back() = '1';
        });
        if (round % 3 == 2) {
            attempt([&] {
                const SaveOutcome o =
                    deleteMonth(db, april, kShared, {stampMonth(db, april, kShared), false});
                if (o != SaveOutcome::Saved && o != SaveOutcome::ChangedElsewhere)
                    ::_exit(8);
            });
            const DateTime earlier = ownMonth(round - 1);
            if (attempt([&] {
                    if (deleteMonth(db, earlier, mine, {stampMonth(db, earlier, mine), false}) !=
                        SaveOutcome::Saved)
                        ::_exit(9);
                }))
                stored[static_cast<std::size_t>(round - 1)] = '0';
        }
    }
    std::ofstream(record) << stored;
    ::_exit(0);
}

TEST(LedgerConcurrencyTest, TwentyProgramsSavingAndDeletingMonthsLoseAndMixNothing) {
    if (const std::string why = jettest::serverSkipReason(); !why.empty())
        GTEST_SKIP() << why;
    const std::string uri = jettest::newServerDatabase();
    Database db = jettest::createDatabase(uri);
    for (int e = 0; e <= kPrograms; ++e)
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('e" + std::to_string(e) + "',1000)");
    ASSERT_EQ(db.lastInsertId(), ownEmployee(kPrograms - 1));

    jettest::TempDir records;
    const auto recordOf = [&](int p) { return records.file("program" + std::to_string(p)); };
    std::vector<std::unique_ptr<Child>> programs;
    for (int p = 0; p < kPrograms; ++p) {
        programs.push_back(std::make_unique<Child>(
            [&, p](const Child& self) { saveAndDeleteMonths(uri, p, recordOf(p), self); }));
        ASSERT_TRUE(programs.back()->started());
    }
    for (auto& c : programs)
        ASSERT_TRUE(c->waitForChild()); // every program has its database open
    for (auto& c : programs)
        c->signalChild();
    for (auto& c : programs)
        EXPECT_EQ(c->exitStatus(), 0)
            << "a save failed with something other than a refusal or 3260";

    EXPECT_GE(wholeMonthOf(db, DateTime{2004, 4, 1}, kShared), -1) << "the shared month is mixed";
    // Each wrong month is counted; the first few are named.
    int ownMonths = 0, rounds = 0, wrong = 0;
    std::ostringstream examples;
    for (int p = 0; p < kPrograms; ++p) {
        std::ifstream in(recordOf(p));
        std::string stored;
        in >> stored;
        EXPECT_FALSE(stored.empty()) << "program " << p << " ran no round";
        rounds += static_cast<int>(stored.size());
        for (std::size_t round = 0; round < stored.size(); ++round) {
            const bool kept = stored[round] == '1';
            const int found = wholeMonthOf(db, ownMonth(static_cast<int>(round)), ownEmployee(p));
            if (found != (kept ? p : -1) && ++wrong <= 3)
                examples << " program " << p << " round " << round << (kept ? " kept" : " deleted")
                         << " found " << found << ";";
            ownMonths += kept;
        }
    }
    EXPECT_EQ(wrong, 0) << "months lost, left over or mixed:" << examples.str();
    EXPECT_GT(ownMonths, 0);
    std::printf("%d programs, %d rounds, %d own months stored\n", kPrograms, rounds, ownMonths);
}

} // namespace
