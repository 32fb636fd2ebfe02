// Reports written to PDF (directly and through a printer set to PDF output) and read back with
// pdfinfo and pdftotext; no data writes nothing; printing without a printer is an error.
#include "SampleStatement.h"

#include "platform/report/Output.h"
#include "platform/report/ReportError.h"
#include "platform/report/Texts.h"

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <sstream>

using namespace reporttest;

namespace {

// Each text found after the previous one.
void expectInOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t at = 0;
    for (const std::string& p : parts) {
        const std::size_t found = text.find(p, at);
        ASSERT_NE(found, std::string::npos) << "missing in order: " << p << "\n" << text;
        at = found + p.size();
    }
}

} // namespace

TEST(PdfOutput, GroupedStatementReadsBackPageByPage) {
    ensureApp();
    const auto dir = scratchDir("statement");
    const auto pdf = dir / "statement.pdf";
    SampleStatement report;
    report.setRecordSource(statementRows(3, 2));
    ASSERT_TRUE(exportPdf(report, QString::fromStdString(pdf.string())));

    EXPECT_EQ(pdfPages(pdf), 3);
    const PdfPageSize size = pdfPageSize(pdf);
    EXPECT_TRUE(size.a4) << pdfInfo(pdf);
    EXPECT_NEAR(size.width, 841.89, 0.5);
    EXPECT_NEAR(size.height, 595.28, 0.5);
    EXPECT_LT(std::filesystem::file_size(pdf), 200u * 1024);

    // Line j of each employee: days 1..3 hold 1.j, 2.j, 3.j, total 6.3j; group total 12.9.
    const char* names[] = {"山田　太郎", "鈴木　花子", "佐藤　一郎"};
    for (int page = 1; page <= 3; ++page) {
        const std::string text = squeeze(pdfText(pdf, page));
        const std::string site = numbered("現場", page);
        expectInOrder(text, {"平成16年04月度",
                             "労務費明細表",
                             "氏名：",
                             squeeze(names[page - 1]),
                             "1日",
                             "2日",
                             "3日",
                             site + "1",
                             "1.1",
                             "2.1",
                             "3.1",
                             "6.3",
                             site + "2",
                             "1.2",
                             "2.2",
                             "3.2",
                             "6.6",
                             "合計",
                             "12.9",
                             std::to_string(page) + "／3ページ"});
    }
}

TEST(PdfOutput, PrinterPathHonoursPaperAndOrientation) {
    ensureApp();
    const auto dir = scratchDir("printer");
    for (int orient : {orientation::kPortrait, orientation::kLandscape}) {
        SampleStatement report;
        report.pageSetup().orientation = orient;
        report.pageSetup().paperSource = paperSource::kCassette;
        report.setRecordSource(statementRows(2, 1));
        const Document& doc = report.run();
        const auto pdf = dir / (numbered("printed", orient) + ".pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printOn(doc, printer, QStringLiteral("test"));
        EXPECT_EQ(printer.paperSource(), QPrinter::Cassette);
        EXPECT_EQ(pdfPages(pdf), 2);
        const PdfPageSize size = pdfPageSize(pdf);
        EXPECT_TRUE(size.a4) << pdfInfo(pdf);
        EXPECT_EQ(size.width > size.height, orient == orientation::kLandscape) << pdfInfo(pdf);
        EXPECT_NE(squeeze(pdfText(pdf, 2)).find("2／2ページ"), std::string::npos);

        // The printer and the PDF writer paint through the same path: same texts, same lines.
        const auto direct = dir / (numbered("direct", orient) + ".pdf");
        writePdf(doc, QString::fromStdString(direct.string()), QStringLiteral("test"));
        EXPECT_EQ(pdfText(pdf), pdfText(direct));
    }
}

TEST(PdfOutput, FontsAreEmbeddedAndEachLayoutFontExtracts) {
    ensureApp();
    const auto dir = scratchDir("fonts");
    const auto pdf = dir / "fonts.pdf";
    ScriptedReport report;
    Band& d = report.addBand(BandKind::Detail, "Detail", 400);
    const char* fonts[] = {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"};
    for (int i = 0; i < 4; ++i) {
        Control& c = d.addField(numbered("f", i), i * 2800, 0, 2700, 400, "T");
        c.font.name = fonts[i];
        c.font.bold = i == 3;
    }
    auto src = std::make_unique<MemoryRecordSource>(std::vector<std::string>{"T"});
    src->addRow({txt("現場名ｱｲｳ（株）１２")});
    report.setRecordSource(std::move(src));
    ASSERT_TRUE(exportPdf(report, QString::fromStdString(pdf.string())));
    const std::string text = squeeze(pdfText(pdf));
    std::size_t count = 0;
    for (std::size_t at = text.find("現場名ｱｲｳ（株）１２"); at != std::string::npos;
         at = text.find("現場名ｱｲｳ（株）１２", at + 1))
        ++count;
    EXPECT_EQ(count, 4u) << text;
    const std::string fontsList = runCommand("pdffonts '" + pdf.string() + "' 2>/dev/null");
    // Each face embedded ("emb") with a map back to Unicode ("uni").
    for (const char* family : {"IPAPMincho ", "IPAMincho ", "IPAPGothic ", "IPAGothic "}) {
        const auto at = fontsList.find(std::string("\n") + family);
        ASSERT_NE(at, std::string::npos) << family << "\n" << fontsList;
        const std::string line = fontsList.substr(at + 1, fontsList.find('\n', at + 1) - at - 1);
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        ASSERT_GE(w.size(), 6u) << line;
        EXPECT_EQ(w[w.size() - 5], "yes") << line; // emb
        EXPECT_EQ(w[w.size() - 3], "yes") << line; // uni
    }
}

TEST(PdfOutput, NoDataWritesNothing) {
    ensureApp();
    const auto dir = scratchDir("nodata");
    const auto pdf = dir / "empty.pdf";
    SampleStatement report;
    report.setRecordSource(statementRows(0, 0));
    int noData = 0;
    report.noData = [&] { ++noData; };
    EXPECT_FALSE(exportPdf(report, QString::fromStdString(pdf.string())));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(printReport(report)); // nothing printed, and no printer error either
    EXPECT_EQ(noData, 1);
}

TEST(PdfOutput, UnwritableFileIsAnError) {
    ensureApp();
    SampleStatement report;
    report.setRecordSource(statementRows(1, 1));
    try {
        exportPdf(report, QStringLiteral("/nonexistent-folder/x/report.pdf"));
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::FileAccess));
        EXPECT_NE(e.description().find(texts::kPdfWriteFailed), std::string::npos);
    }
}

TEST(PdfOutput, PrintingWithoutAPrinterIsAnErrorNotACrash) {
    ensureApp();
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed on this machine";
    SampleStatement report;
    report.setRecordSource(statementRows(1, 1));
    try {
        printReport(report);
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.number(), static_cast<int>(ErrorCode::NoPrinter));
        EXPECT_EQ(e.description(), texts::kNoPrinter);
    }
}
