// Ledger figures, each beside the bare database work measured in the same run: opening the
// ledger grid on a full month (9 lines x 31 days) from the "入　　力" button to the filled grid,
// beside reading the site list and the month, on the file and on a server database holding the
// same data (a private cluster the benchmark starts, as the tests do; limit 100 ms each); and
// saving that month from the "保存" button, beside the bare replacement of the month (goal: at
// most 1.5 times it).
#include "app/frame/RoumuM.h"
#include "app/ledger/LedgerStore.h"
#include "app/ledger/RoumuEntry.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/ledger/VantilPickBox.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/slipgrid/SlipGrid.h"
#include "tests/support/PgCluster.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using plat::text::DateTime;
using tamsel::RoumuEntrySub2;

constexpr int kEmployees = 50;
constexpr int kSites = 40;
const DateTime kMonth{2004, 4, 1};

tamsel::ledger::MonthToSave fullMonth() {
    tamsel::ledger::MonthToSave m{kMonth, 1, "社員1", plat::jet::Currency::fromUnits(1250), {}};
    for (int l = 0; l < tamsel::ledger::kLines; ++l) {
        tamsel::ledger::LedgerLine line;
        line.GenbaID = l + 1;
        line.GName = "現場" + std::to_string(l + 1);
        for (int d = 0; d < 30; ++d)
            line.hours[static_cast<size_t>(d)] = (d + l) % 7 == 0 ? 0.0f : 1.5f;
        m.lines.push_back(line);
    }
    return m;
}

// Fifty employees, forty sites, two years of three-line months for everyone, and the full
// month of employee 1 in April 2004.
void fillDatabase(const std::string& location) {
    plat::jet::createSchema(location, kMonth);
    plat::jet::Database db = plat::jet::Database::open(location);
    db.beginTrans();
    for (int e = 1; e <= kEmployees; ++e)
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('社員" + std::to_string(e) + "'," +
                   std::to_string(1100 + 10 * e) + ")");
    for (int s = 1; s <= kSites; ++s)
        db.execute("INSERT INTO GENBA_MT (GName) VALUES ('現場" + std::to_string(s) + "')");
    const tamsel::ledger::MonthToSave full = fullMonth();
    for (int m = 0; m < 24; ++m) {
        const DateTime month = plat::text::addMonths(DateTime{2003, 1, 1}, m);
        for (int e = 2; e <= kEmployees; ++e)
            for (int l = 0; l < 3; ++l)
                db.execute(tamsel::ledger::insertLineSql(month, e, "社員", full.wage, l + 1,
                                                         full.lines[static_cast<size_t>(l)]));
    }
    db.commitTrans();
    tamsel::ledger::replaceMonth(db, full);
}

const std::filesystem::path& home() {
    static const std::filesystem::path dir = [] {
        std::filesystem::path d =
            std::filesystem::temp_directory_path() / "tamsel-bench" / "ledger";
        std::filesystem::remove_all(d);
        std::filesystem::create_directories(d);
        fillDatabase((d / "Roumu.MDB").string());
        return d;
    }();
    return dir;
}

// The same data on the benchmark's own server cluster.
const std::string& serverDatabase() {
    static const std::string uri = [] {
        std::string u = testsupport::newServerDatabase();
        fillDatabase(u);
        return u;
    }();
    return uri;
}

// From the button to the filled grid on the database the program is set up with.
void openButtonToGrid(benchmark::State& state) {
    tamsel::RoumuM().RoumuDb.reset();
    tamsel::RoumuEntry entry(tamsel::ledger::vantilPickBoxes());
    entry.setToday({2004, 4, 10});
    entry.open();
    entry.SyainID().setText(QStringLiteral("1"));
    for (auto _ : state) {
        entry.comOpen()->click();
        RoumuEntrySub2* grid = entry.ledgerGrid();
        if (grid == nullptr) {
            state.SkipWithError("the ledger did not open (is VANTIL_REGISTRY set?)");
            break;
        }
        while (!grid->isShown())
            QApplication::processEvents();
        benchmark::DoNotOptimize(grid->DGrid()->number(8, QStringLiteral("D31")));
        state.PauseTiming();
        grid->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["limit_ms"] = 100;
    entry.close();
    tamsel::RoumuM().RoumuDb.reset();
}

void BM_OpenFullMonthButtonToGrid(benchmark::State& state) {
    home();
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(home().string()));
    qunsetenv("TAMSEL_DATABASE");
    openButtonToGrid(state);
}

void BM_OpenFullMonthButtonToGrid_Server(benchmark::State& state) {
    if (const std::string why = testsupport::serverSkipReason(); !why.empty()) {
        state.SkipWithError(why.c_str());
        return;
    }
    home();
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(home().string()));
    qputenv("TAMSEL_DATABASE", QByteArray::fromStdString(serverDatabase()));
    openButtonToGrid(state);
    qunsetenv("TAMSEL_DATABASE");
}

// The peer: the database work of the opening alone (open the database, the site list, the
// month).
void openBare(benchmark::State& state, const std::string& location) {
    for (auto _ : state) {
        plat::jet::Database db = plat::jet::Database::open(location);
        int sites = 0;
        for (plat::jet::Recordset rs = db.openRecordset(tamsel::ledger::siteListSql()); !rs.eof();
             rs.moveNext())
            ++sites;
        benchmark::DoNotOptimize(sites);
        benchmark::DoNotOptimize(tamsel::ledger::readMonth(db, kMonth, 1).lines.size());
    }
}

void BM_OpenBareDatabaseWork(benchmark::State& state) {
    openBare(state, (home() / "Roumu.MDB").string());
}

void BM_OpenBareDatabaseWork_Server(benchmark::State& state) {
    if (const std::string why = testsupport::serverSkipReason(); !why.empty()) {
        state.SkipWithError(why.c_str());
        return;
    }
    openBare(state, serverDatabase());
}

void BM_SaveFullMonthFromButton(benchmark::State& state) {
    home();
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(home().string()));
    tamsel::RoumuM().LedgerKey = {kMonth, 1, QStringLiteral("社員1"),
                                  plat::jet::Currency::fromUnits(1250)};
    RoumuEntrySub2 grid(tamsel::ledger::vantilPickBoxes(), nullptr);
    grid.open();
    while (!grid.isShown())
        QApplication::processEvents();
    double hours = 1.0;
    for (auto _ : state) {
        state.PauseTiming();
        hours = hours == 1.0 ? 2.0 : 1.0;
        grid.DGrid()->setNumber(0, QStringLiteral("D0"), hours);
        QApplication::processEvents(); // the typed change is painted before the button press
        state.ResumeTiming();
        grid.comFunc()->press(RoumuEntrySub2::Save);
    }
    state.counters["dirty_after"] = grid.isDirty() ? 1 : 0;
    grid.close();
    tamsel::RoumuM().RoumuDb.reset();
}

// The peer: the bare replacement of the same month (DELETE and nine INSERTs, one transaction).
void BM_ReplaceFullMonthBare(benchmark::State& state) {
    plat::jet::Database db = plat::jet::Database::open((home() / "Roumu.MDB").string());
    const tamsel::ledger::MonthToSave month = fullMonth();
    for (auto _ : state)
        tamsel::ledger::replaceMonth(db, month);
    state.counters["limit_ratio"] = 1.5;
}

// The store's part of a screen save: the checks against the stored month (employee, change
// stamp before and after) and the same replacement, in one transaction.
void BM_SaveFullMonthChecked(benchmark::State& state) {
    plat::jet::Database db = plat::jet::Database::open((home() / "Roumu.MDB").string());
    const tamsel::ledger::MonthToSave month = fullMonth();
    tamsel::ledger::SaveGuard guard{tamsel::ledger::stampMonth(db, kMonth, 1), false};
    for (auto _ : state)
        guard.readAs = tamsel::ledger::saveMonth(db, month, guard).stamp;
}

BENCHMARK(BM_OpenFullMonthButtonToGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBareDatabaseWork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFullMonthButtonToGrid_Server)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBareDatabaseWork_Server)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFullMonthFromButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceFullMonthBare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFullMonthChecked)->Unit(benchmark::kMillisecond);

} // namespace

// Questions (leaving the selection screen) are answered Yes, for the whole program.
const plat::widgets::MessageRecorder answers(plat::widgets::MsgResult::Yes);
