// Overtime check figures, printed beside their limit (limit_ms) and the bare query measured in
// the same run: one agreement year for 50 employees from the database to the filled grid of the
// check screen, beside the ledger query alone that feeds it.
#include "app/frame/RoumuM.h"
#include "app/overtime/CapCheck.h"
#include "app/overtime/LedgerHours.h"
#include "app/overtime/ZangyoCheck.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/widgets/DateBox.h"
#include "tools/tamsel-db/DemoData.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int kEmployees = 50;
// Demo ledgers from April 2023 to March 2025: the agreement year 2024 and the months before it.
constexpr plat::text::DateTime kToday{2025, 3, 15};
constexpr int kYear = 2024;

const std::filesystem::path& benchHome() {
    static const std::filesystem::path home = [] {
        std::filesystem::path dir =
            std::filesystem::temp_directory_path() / "tamsel-bench" / "overtime";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const std::string path = (dir / "Roumu.MDB").string();
        plat::jet::createSchema(path, {2004, 4, 1});
        plat::jet::Database db = plat::jet::Database::open(path);
        tamseldb::fillDemoData(db, kToday, {kEmployees, 30, 24});
        return dir;
    }();
    return home;
}

void BM_OvertimeYearCheckToGrid(benchmark::State& state) {
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(benchHome().string()));
    tamsel::ZangyoCheck screen;
    screen.open();
    screen.Nengetu()->setValue({kYear, 1, 1});
    for (auto _ : state) {
        screen.ShowYear();
        benchmark::DoNotOptimize(screen.DGrid()->rowCount());
    }
    state.counters["rows"] = screen.DGrid()->rowCount();
    state.counters["limit_ms"] = 50;
    screen.close();
    tamsel::RoumuM().RoumuDb.reset();
}

// The peer: the grouped ledger query of the same months alone, read into day hours.
void BM_OvertimeLedgerQueryOnly(benchmark::State& state) {
    plat::jet::Database db = plat::jet::Database::open((benchHome() / "Roumu.MDB").string());
    const int first = tamsel::overtime::monthIndex(kYear, 4) - tamsel::overtime::kMonthsBefore;
    std::size_t employees = 0;
    for (auto _ : state) {
        employees = tamsel::overtime::readLedger(db, first - 1, first + 16).size();
        benchmark::DoNotOptimize(employees);
    }
    state.counters["rows"] = static_cast<double>(employees);
}

BENCHMARK(BM_OvertimeYearCheckToGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OvertimeLedgerQueryOnly)->Unit(benchmark::kMillisecond);

} // namespace
