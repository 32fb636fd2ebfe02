// The CSV of a report: the table taken while the pages are laid out (the figures as the lines
// print them, hidden cells empty, lines of every page in order), its text by RFC 4180, and the
// preview window's CSV and Excel buttons.
#include "SampleStatement.h"

#include "platform/report/Csv.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/MessageRecorder.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace reporttest;

namespace {

void addColumns(SampleStatement& report) {
    report.addExportColumn({"月", {}, "Nengetu", "yyyy/mm"});
    report.addExportColumn({"現場", {}, "GName", {}});
    report.addExportColumn({"2日", "txtD2", {}, "0.0"});
    report.addExportColumn({"合計", "txtGTotal", {}, "0.0"});
}

} // namespace

TEST(CsvTest, TableHoldsEveryPrintedDetailLineWithHiddenCellsEmpty) {
    SampleStatement report;
    addColumns(report);
    report.setRecordSource(statementRows(3, 2));
    int line = 0;
    report.format = [&](Band& band) {
        if (band.name == "Detail")
            band.control("txtD2").visible = ++line != 2;
    };
    ASSERT_EQ(report.run().pageCount(), 3);
    const ExportTable& table = report.exportTable();
    ASSERT_EQ(table.headings.size(), 4u);
    ASSERT_EQ(table.rows.size(), 6u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"2004/04", "現場11", "2.1", "6.3"}));
    EXPECT_EQ(table.rows[1][2], "");
    EXPECT_EQ(table.rows[5][1], "現場32");
}

TEST(CsvTest, TextHasByteOrderMarkCrLfAndQuotesOnlyWhereNeeded) {
    ExportTable table;
    table.headings = {"名前", "数"};
    table.rows = {{"a,b", "1"}, {"say \"hi\"", "2"}, {"two\nlines", ""}, {"plain", "3"}};
    EXPECT_EQ(csvText(table), "\xEF\xBB\xBF名前,数\r\n"
                              "\"a,b\",1\r\n"
                              "\"say \"\"hi\"\"\",2\r\n"
                              "\"two\nlines\",\r\n"
                              "plain,3\r\n");
}

TEST(CsvTest, PreviewSavesTheTableAndReportsAnUnwritableFile) {
    ensureApp();
    SampleStatement plain;
    plain.setRecordSource(statementRows(1, 1));
    PreviewWindow without(plain.run(), QStringLiteral("明細"), nullptr, &plain.exportTable());
    EXPECT_FALSE(without.findChild<QPushButton*>(QStringLiteral("saveCsv"))->isVisibleTo(&without));
    EXPECT_FALSE(
        without.findChild<QPushButton*>(QStringLiteral("saveXlsx"))->isVisibleTo(&without));

    SampleStatement report;
    addColumns(report);
    report.setRecordSource(statementRows(2, 1));
    PreviewWindow w(report.run(), QStringLiteral("明細"), nullptr, &report.exportTable());
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("saveCsv"))->isVisibleTo(&w));
    EXPECT_TRUE(w.findChild<QPushButton*>(QStringLiteral("saveXlsx"))->isVisibleTo(&w));
    std::vector<int> errors;
    w.setErrorHandler([&](const ReportError& e, QWidget* window) {
        EXPECT_EQ(window, &w);
        errors.push_back(e.number());
    });
    const auto dir = scratchDir("csv");
    const auto file = dir / "s.csv";
    w.saveAsCsv(QString::fromStdString(file.string()));
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), csvText(report.exportTable()));
    w.saveAsCsv(QString::fromStdString((dir / "missing" / "s.csv").string()));
    EXPECT_EQ(errors, std::vector<int>{75});
    // The same table as a workbook.
    std::filesystem::remove(dir / "s.xlsx");
    w.saveAsXlsx(QString::fromStdString((dir / "s.xlsx").string()));
    EXPECT_TRUE(std::filesystem::exists(dir / "s.xlsx"));
    w.saveAsXlsx(QString::fromStdString((dir / "missing" / "s.xlsx").string()));
    EXPECT_EQ(errors, (std::vector<int>{75, 75}));
}

TEST(CsvTest, SaveButtonsAskTheHostForTheFileAndShowErrorsThroughTheMessageService) {
    ensureApp();
    SampleStatement report;
    addColumns(report);
    report.setRecordSource(statementRows(2, 1));
    PreviewWindow w(report.run(), QStringLiteral("明細"), nullptr, &report.exportTable());
    const auto dir = scratchDir("csv-host");
    auto inDir = [&](const char* name) { return QString::fromStdString((dir / name).string()); };
    std::deque<QString> names = {inDir("s.csv"), inDir("book"), QString(), inDir("missing/s.csv")};
    std::vector<SaveNameRequest> asked;
    w.setHost({.askSaveName =
                   [&](const SaveNameRequest& request) {
                       asked.push_back(request);
                       const QString name = names.front();
                       names.pop_front();
                       return name;
                   },
               .showError = {}});
    plat::widgets::MessageRecorder boxes;
    auto click = [&w](const char* button) {
        QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    };

    click("saveCsv");
    std::ifstream in(dir / "s.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), csvText(report.exportTable()));
    click("saveXlsx"); // the workbook's extension is added to a name without it
    EXPECT_TRUE(std::filesystem::exists(dir / "book.xlsx"));
    click("saveCsv"); // cancelled: nothing saved, nothing shown
    EXPECT_TRUE(boxes.shown().empty());
    click("saveCsv");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral("75: ")))
        << boxes.texts()[0].toStdString();
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("プレビューのエラー"));
    EXPECT_EQ(boxes.shown()[0].icon, plat::widgets::MsgIcon::Error);

    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].window, &w);
    EXPECT_EQ(asked[0].caption, QStringLiteral("CSV保存"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("CSV (*.csv)"));
    EXPECT_EQ(asked[1].caption, QStringLiteral("Excel保存"));
}
