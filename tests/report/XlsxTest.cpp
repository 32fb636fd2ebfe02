// The Excel workbook of an export table, read back by an independent reader: one sheet named
// after the report, title and month first, the headings frozen, hours, money and counts as
// numbers with their formats, months as dates, total rows bold, fills where the table has them,
// widths that hold the Japanese texts; a failed save leaves no file; and, where LibreOffice is
// installed, the workbook opens there.
#include "WorkbookReader.h"

#include "platform/report/ReportError.h"
#include "platform/report/Xlsx.h"
#include "tests/support/Pdf.h"
#include "tests/support/Scratch.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace plat::report;
using namespace workbooktest;

namespace {

const std::string kOddSite = "港北\"A\",\nB棟";

ExportTable sampleTable() {
    ExportTable t;
    t.title = "平成16年04月度　労務費明細表";
    t.period = "2004/04";
    t.headings = {"年月", "現場名", "合計時間", "金額", "番号", "区分"};
    t.types = {ExportType::Month, ExportType::Text,  ExportType::Hours,
               ExportType::Money, ExportType::Count, ExportType::Text};
    t.formats = {"yyyy/mm", "", "0.0", "0", "0", ""};
    t.rows = {{"2004/04", kOddSite, "7.5", "9375", "12", "明細"},
              {"2004/04", "中央病院", "", "625", "3", "明細"},
              {"2004/04", "合計", "8.0", "1234567", "", "合計"}};
    t.totals = {false, false, true};
    t.fills = {{CellFill::None, CellFill::None, CellFill::Caution}, {}, {}};
    t.fills[1].resize(6, CellFill::None);
    t.fills[1][3] = CellFill::Alarm;
    return t;
}

std::filesystem::path scratch(const char* name) {
    return testsupport::scratchFolder(std::string("xlsx-") + name);
}

} // namespace

TEST(XlsxTest, SheetHoldsTheTableAsASpreadsheetShowsIt) {
    const auto dir = scratch("sheet");
    writeXlsx(sampleTable(), QString::fromStdString((dir / "s.xlsx").string()), "従業員別労務費明細表");
    const Workbook book = readWorkbook(dir / "s.xlsx");
    ASSERT_EQ(book.sheets, std::vector<std::string>{"従業員別労務費明細表"});
    EXPECT_EQ(book.at(0, 0).shown, "平成16年04月度　労務費明細表");
    EXPECT_EQ(book.at(1, 0).kind, "d");
    EXPECT_EQ(book.at(1, 0).shown, "2004/04");
    EXPECT_EQ(book.frozen, "A4");
    EXPECT_EQ(book.at(2, 1).shown, "現場名");
    EXPECT_TRUE(book.at(2, 1).bold);

    const Cell& month = book.at(3, 0);
    EXPECT_EQ(month.kind, "d");
    EXPECT_EQ(month.format, "yyyy/mm");
    EXPECT_EQ(month.shown, "2004/04");
    EXPECT_EQ(book.at(3, 1).shown, kOddSite);
    EXPECT_EQ(book.at(3, 2).kind, "n");
    EXPECT_EQ(book.at(3, 2).number, 7.5);
    EXPECT_EQ(book.at(3, 2).format, "0.0");
    EXPECT_EQ(book.at(3, 3).number, 9375);
    EXPECT_EQ(book.at(3, 3).shown, "9,375");
    EXPECT_EQ(book.at(3, 4).shown, "12");
    EXPECT_EQ(book.at(4, 2).kind, "") << "an empty cell stays blank";
    EXPECT_EQ(book.at(5, 3).shown, "1,234,567");
    EXPECT_EQ(book.at(5, 2).shown, "8.0");

    for (std::size_t r = 3; r <= 5; ++r)
        for (std::size_t c = 0; c < 6; ++c) {
            EXPECT_EQ(book.at(r, c).bold, r == 5) << r << "," << c;
            const char* fill = r == 3 && c == 2 ? "FFF176" : r == 4 && c == 3 ? "EF5350" : "";
            EXPECT_EQ(book.at(r, c).fill, fill) << r << "," << c;
        }

    // Each column at least as wide as its widest text (a double-byte character counting 2).
    ASSERT_EQ(book.widths.size(), 6u);
    EXPECT_GE(book.widths[1], displayWidth("中央病院"));
    EXPECT_GE(book.widths[5], displayWidth("区分"));
    EXPECT_GE(book.widths[3], 9.0) << "1,234,567";
    EXPECT_EQ(displayWidth(kOddSite), 8); // the longer of its two lines
}

TEST(XlsxTest, FailedSaveReportsTheFileAndLeavesNothing) {
    const auto dir = scratch("fail");
    const auto target = dir / "missing" / "s.xlsx";
    try {
        writeXlsx(sampleTable(), QString::fromStdString(target.string()), "帳票");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_NE(e.description().find("Excel"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST(XlsxTest, LibreOfficeOpensTheWorkbook) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    const auto dir = scratch("office");
    writeXlsx(sampleTable(), QString::fromStdString((dir / "s.xlsx").string()), "明細");
    // A profile of its own, so a running office elsewhere does not take the conversion over.
    const std::string command = "cd '" + dir.string() + "' && soffice -env:UserInstallation=file://" +
                                dir.string() + "/profile --headless --convert-to pdf s.xlsx" +
                                " >convert.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(std::filesystem::exists(dir / "s.pdf"));
    const std::string text =
        testsupport::runCommand("pdftotext -enc UTF-8 '" + (dir / "s.pdf").string() + "' -");
    for (const char* figure : {"9,375", "1,234,567", "2004/04", "中央病院", "7.5"})
        EXPECT_NE(text.find(figure), std::string::npos) << figure << "\n" << text;
}
