// Report engine figures: a 60-page A4 landscape statement (31 day columns, one group per
// employee, page N of M) laid out and written to PDF, and the first preview page; each beside
// its limit and beside a bare painter loop writing the same texts to a PDF.
#include "tests/report/SampleStatement.h"

#include "platform/report/FontMap.h"
#include "platform/report/Output.h"
#include "platform/report/PreviewWindow.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

#include <filesystem>

using namespace reporttest;

namespace {

constexpr int kDays = 31;
constexpr int kEmployees = 60; // one page each
constexpr int kLines = 18;

std::string outputPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void reportFigures(benchmark::State& state, const Document* doc, const std::string& pdf) {
    if (doc)
        state.counters["pages"] = doc->pageCount();
    if (!pdf.empty() && std::filesystem::exists(pdf))
        state.counters["pdf_bytes"] = double(std::filesystem::file_size(pdf));
}

void BM_Statement60PagesToPdf(benchmark::State& state) {
    const std::string pdf = outputPath("tamsel-bench-statement.pdf");
    std::unique_ptr<SampleStatement> report;
    for (auto _ : state) {
        report = std::make_unique<SampleStatement>(kDays);
        report->setRecordSource(statementRows(kEmployees, kLines, kDays));
        exportPdf(*report, QString::fromStdString(pdf));
    }
    reportFigures(state, &report->document(), pdf);
    state.counters["limit_ms"] = 2000;
    state.counters["limit_bytes"] = 1024 * 1024;
}

void BM_Statement60PagesLayoutOnly(benchmark::State& state) {
    std::unique_ptr<SampleStatement> report;
    for (auto _ : state) {
        report = std::make_unique<SampleStatement>(kDays);
        report->setRecordSource(statementRows(kEmployees, kLines, kDays));
        benchmark::DoNotOptimize(report->run().pageCount());
    }
    reportFigures(state, &report->document(), {});
}

// The peer: the same number of texts per page, drawn with a bare painter onto a PDF at the
// same positions, without bands, formats or sums.
void BM_BarePainterToPdf(benchmark::State& state) {
    const std::string pdf = outputPath("tamsel-bench-bare.pdf");
    std::vector<std::vector<QString>> lines(kLines);
    for (int j = 0; j < kLines; ++j) {
        lines[j].push_back(QStringLiteral("現場%1").arg(j));
        for (int k = 1; k <= kDays; ++k)
            lines[j].push_back(QString::number(k + j / 10.0, 'f', 1));
    }
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(kTwipsPerInch);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        QPainter p(&writer);
        FontChoice face;
        face.size = 8;
        p.setFont(twipsFont(face));
        for (int page = 0; page < kEmployees; ++page) {
            if (page > 0)
                writer.newPage();
            p.drawText(QRectF(4720, 820, 8000, 500), Qt::AlignCenter,
                       QStringLiteral("平成16年04月度　労務費明細表"));
            p.drawText(QRectF(720, 1620, 3000, 300), Qt::AlignLeft, QStringLiteral("氏名：山田"));
            for (int k = 1; k <= kDays; ++k)
                p.drawText(QRectF(3377 + (k - 1) * 375, 1920, 375, 300), Qt::AlignLeft,
                           QStringLiteral("%1日").arg(k));
            for (int j = 0; j < kLines; ++j) {
                const double y = 2220 + j * 400;
                p.drawText(QRectF(720, y, 2640, 300), Qt::AlignLeft, lines[j][0]);
                for (int k = 1; k <= kDays; ++k)
                    p.drawText(QRectF(3377 + (k - 1) * 375, y, 375, 300), Qt::AlignRight,
                               lines[j][k]);
            }
            p.drawText(QRectF(7720, 11000, 1500, 300), Qt::AlignLeft,
                       QStringLiteral("%1／%2ページ").arg(page + 1).arg(kEmployees));
        }
    }
    reportFigures(state, nullptr, pdf);
}

// From creating the report to its preview window showing page 1 with the page count.
void BM_FirstPreviewPage(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        SampleStatement report(kDays);
        report.setRecordSource(statementRows(kEmployees, kLines, kDays));
        PreviewWindow window(report.run(), QStringLiteral("明細"));
        pages = window.pageCount();
        benchmark::DoNotOptimize(window.pageImage().width());
    }
    state.counters["pages"] = pages;
    state.counters["limit_ms"] = 500;
}

} // namespace

BENCHMARK(BM_Statement60PagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BarePainterToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Statement60PagesLayoutOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPreviewPage)->Unit(benchmark::kMillisecond)->Iterations(3);
