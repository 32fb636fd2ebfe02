// Inquiry and report figures, each printed beside its limit (limit_ms) and a peer measured in
// the same run: the annual report for 50 employees x 12 months (extraction plus PDF, beside the
// PDF alone), the month's statements of 50 employees (copy, layout and PDF, beside the bare
// painter loop writing the same pages), and one month's inquiry on a 10-year, 50-employee database
// from the "表　　示" button to the filled grid (beside the bare inquiry query). And the annual
// report for 50 employees saved as an Excel workbook beside the same saved as CSV: the whole
// save (extraction, layout, file), and the writers alone on the same laid-out table.
#include "app/frame/RoumuM.h"
#include "app/reports/PrintRun.h"
#include "app/reports/RefRoumu.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptRuikei.h"
#include "app/reports/RptSRoumuMA4.h"
#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/report/Csv.h"
#include "platform/report/Output.h"
#include "platform/report/Xlsx.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kEmployees = 50;
constexpr int kLinesPerMonth = 3; // sites per employee and month

std::filesystem::path benchHome(const char* name) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "tamsel-bench" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A database with `years` years of ledgers from January 2004: every employee on three sites a
// month, 8 hours on weekdays spread over the sites.
std::filesystem::path makeDatabase(const char* name, int years) {
    const std::filesystem::path home = benchHome(name);
    const std::string path = (home / "Roumu.MDB").string();
    plat::jet::createSchema(path, plat::text::DateTime{2004, 4, 1});
    plat::jet::Database db = plat::jet::Database::open(path);
    db.beginTrans();
    for (int e = 1; e <= kEmployees; ++e)
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('社員" + std::to_string(e) + "'," +
                   std::to_string(1100 + 25 * e) + ")");
    for (int s = 1; s <= 20; ++s)
        db.execute("INSERT INTO GENBA_MT (GName) VALUES ('現場" + std::to_string(s) + "')");
    for (int m = 0; m < years * 12; ++m) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d/%02d/01", 2004 + m / 12, m % 12 + 1);
        for (int e = 1; e <= kEmployees; ++e) {
            for (int l = 1; l <= kLinesPerMonth; ++l) {
                const int site = (e + l * 7 + m) % 20 + 1;
                std::string sql = "INSERT INTO KYUYO_F (Nengetu,SyainID,SName,TMony,RowNo,GenbaID,"
                                  "GName";
                std::string values = std::string(") VALUES (#") + date + "#," + std::to_string(e) +
                                     ",'社員" + std::to_string(e) + "'," +
                                     std::to_string(1100 + 25 * e) + "," + std::to_string(l) + "," +
                                     std::to_string(site) + ",'現場" + std::to_string(site) + "'";
                for (int d = l; d <= 31; d += kLinesPerMonth) {
                    sql += ",D" + std::to_string(d);
                    values += (d % 7 == 0) ? ",0" : ",8";
                }
                db.execute(sql + values + ")");
            }
        }
    }
    db.commitTrans();
    return home;
}

const std::filesystem::path& yearHome() {
    static const std::filesystem::path home = makeDatabase("year", 1);
    return home;
}

const std::filesystem::path& tenYearHome() {
    static const std::filesystem::path home = makeDatabase("tenyears", 10);
    return home;
}

void BM_AnnualReport50EmployeesToPdf(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    const QString folder = QString::fromStdString(home.string());
    const QString pdf = QString::fromStdString((home / "year.pdf").string());
    int pages = 0;
    for (auto _ : state) {
        tamsel::reports::extractYear(db, 2004);
        tamsel::reports::RptRuikei report(folder);
        report.ChgPrinter();
        plat::report::exportPdf(report, pdf);
        pages = report.document().pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["limit_ms"] = 1000;
}

// The peer: the same report written from the work table already filled.
void BM_AnnualReportPdfOnly(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    tamsel::reports::extractYear(db, 2004);
    const QString folder = QString::fromStdString(home.string());
    const QString pdf = QString::fromStdString((home / "year-only.pdf").string());
    for (auto _ : state) {
        tamsel::reports::RptRuikei report(folder);
        report.ChgPrinter();
        plat::report::exportPdf(report, pdf);
    }
}

// The whole print of "全員印刷" to PDF: the month copied into PRTROUMUM, laid out and written,
// in the print's one transaction.
void BM_Statements50EmployeesToPdf(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    const QString folder = QString::fromStdString(home.string());
    const QString pdf = QString::fromStdString((home / "statements.pdf").string());
    int pages = 0;
    for (auto _ : state) {
        tamsel::reports::PrintRun run;
        run.begin(db);
        tamsel::reports::copyStatementLines(
            run.db(), tamsel::reports::allEmployeesMonthCopySql({2004, 4, 1}));
        tamsel::reports::RptSRoumuMA4 report(folder);
        report.ChgPrinter();
        run.layOut(report);
        plat::report::writePdf(report.document(), pdf, QString::fromStdString(report.caption));
        pages = report.document().pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["limit_ms"] = 1000;
    state.counters["limit_x_peer"] = 1.3;
}

// The peer: the painter loop alone, writing the same pages already laid out.
void BM_StatementsPainterLoopOnly(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    const QString folder = QString::fromStdString(home.string());
    tamsel::reports::PrintRun run;
    run.begin(db);
    tamsel::reports::copyStatementLines(run.db(),
                                        tamsel::reports::allEmployeesMonthCopySql({2004, 4, 1}));
    tamsel::reports::RptSRoumuMA4 report(folder);
    report.ChgPrinter();
    run.layOut(report);
    const QString pdf = QString::fromStdString((home / "statements-only.pdf").string());
    for (auto _ : state)
        plat::report::writePdf(report.document(), pdf, QString::fromStdString(report.caption));
    state.counters["pages"] = report.document().pageCount();
}

void BM_InquiryMonthButtonToGrid(benchmark::State& state) {
    const std::filesystem::path home = tenYearHome();
    qputenv("TAMSEL_HOME", QByteArray::fromStdString(home.string()));
    tamsel::RefRoumu screen;
    screen.setToday({2013, 12, 1});
    screen.open();
    screen.Nengetu()->setValue(plat::text::DateTime{2009, 6, 1});
    for (auto _ : state) {
        screen.comDisp()->click();
        benchmark::DoNotOptimize(screen.DGrid()->rowCount());
    }
    state.counters["rows"] = screen.DGrid()->rowCount();
    state.counters["limit_ms"] = 50;
    screen.close();
    tamsel::RoumuM().RoumuDb.reset();
}

// The peer: the inquiry query alone on the same file.
void BM_InquiryQueryOnly(benchmark::State& state) {
    plat::jet::Database db = plat::jet::Database::open((tenYearHome() / "Roumu.MDB").string());
    for (auto _ : state)
        benchmark::DoNotOptimize(tamsel::reports::readInquiry(db, {2009, 6, 1}).size());
}

// The annual report saved as a file the way the batch mode saves it: the year extracted into
// PRTRUIKEI, laid out, and the export table written.
template <bool Workbook> void annualReportToFile(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    const QString folder = QString::fromStdString(home.string());
    const QString file =
        QString::fromStdString((home / (Workbook ? "year.xlsx" : "year.csv")).string());
    std::size_t rows = 0;
    for (auto _ : state) {
        tamsel::reports::extractYear(db, 2004);
        tamsel::reports::RptRuikei report(folder);
        report.ChgPrinter();
        report.run();
        if constexpr (Workbook)
            plat::report::writeXlsx(report.exportTable(), file, report.caption);
        else
            plat::report::writeCsv(report.exportTable(), file);
        rows = report.exportTable().rows.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_AnnualReport50EmployeesToXlsx(benchmark::State& state) {
    annualReportToFile<true>(state);
    state.counters["limit_ms"] = 200;
    state.counters["limit_x_peer"] = 3;
}

// The peer: the same save to CSV.
void BM_AnnualReport50EmployeesToCsv(benchmark::State& state) {
    annualReportToFile<false>(state);
}

// The writers alone on the table of one laid-out annual report.
template <bool Workbook> void annualTableToFile(benchmark::State& state) {
    const std::filesystem::path home = yearHome();
    plat::jet::Database db = plat::jet::Database::open((home / "Roumu.MDB").string());
    tamsel::reports::extractYear(db, 2004);
    tamsel::reports::RptRuikei report(QString::fromStdString(home.string()));
    report.run();
    const QString file =
        QString::fromStdString((home / (Workbook ? "table.xlsx" : "table.csv")).string());
    for (auto _ : state) {
        if constexpr (Workbook)
            plat::report::writeXlsx(report.exportTable(), file, report.caption);
        else
            plat::report::writeCsv(report.exportTable(), file);
    }
}

void BM_AnnualTableWorkbookWriterOnly(benchmark::State& state) {
    annualTableToFile<true>(state);
}

void BM_AnnualTableCsvWriterOnly(benchmark::State& state) {
    annualTableToFile<false>(state);
}

BENCHMARK(BM_AnnualReport50EmployeesToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnualReportPdfOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Statements50EmployeesToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatementsPainterLoopOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InquiryMonthButtonToGrid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InquiryQueryOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnualReport50EmployeesToXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnualReport50EmployeesToCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnualTableWorkbookWriterOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnnualTableCsvWriterOnly)->Unit(benchmark::kMillisecond);

} // namespace
