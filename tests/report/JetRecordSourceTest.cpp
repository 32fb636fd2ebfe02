// A report reading a stored query of a real database file: the yearly cumulation with one
// group per employee, sums per employee, an era title set by the report's own code, and
// database errors passed on with their numbers.
#include "ReportTestSupport.h"

#include "platform/jet/Database.h"
#include "platform/jet/Schema.h"
#include "platform/report/JetRecordSource.h"
#include "platform/report/Output.h"
#include "platform/report/ReportError.h"
#include "platform/text/Format.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

// The yearly cumulation's bands as a report layout would build them.
class YearReport : public ScriptedReport {
public:
    explicit YearReport(std::string databasePath) : database_(std::move(databasePath)) {
        useDatabaseSources(*this);
        pageSetup().orientation = orientation::kPortrait;
        pageSetup().paperSource = paperSource::kCassette;
        Band& ph = addBand(BandKind::PageHeader, "PageHeader", 900);
        ph.addField("txtNengetu", 2000, 0, 7000, 500, {});
        ph.addField("Nengetu", 0, 0, 10, 10, "Nengetu").visible = false;
        ph.addLabel("Label25", 0, 600, 3000, 300, "従業員名");
        addBand(BandKind::GroupHeader, "SyainIDGH", 0).groupField = "SyainID";
        Band& d = addBand(BandKind::Detail, "Detail", 350);
        d.addField("txtSName", 0, 0, 3495, 300, "SName");
        d.addField("GName1", 3815, 0, 400, 300, "Nengetu", "m").align = Align::Right;
        d.addLabel("Label26", 4215, 0, 300, 300, "月");
        d.addField("txtTMony", 5145, 0, 1000, 300, "TMony", "#,##0").align = Align::Right;
        d.addField("txtRTime", 6510, 0, 1200, 300, "RTime", "#,##0.00").align = Align::Right;
        d.addField("txtMMony", 8745, 0, 1500, 300, "MMony", "#,##0").align = Align::Right;
        Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", 400);
        gf.addField("GRTime", 6510, 0, 1200, 300, "RTime", "#,##0.00").summary = Summary::Group;
        gf.addField("GMMony", 8745, 0, 1500, 300, "MMony", "#,##0").summary = Summary::Group;
        Band& pf = addBand(BandKind::PageFooter, "PageFooter", 400);
        pf.addField("txtPages", 5000, 0, 2000, 300, {}, "%1／%2ページ").pageField =
            PageField::PageOfPages;
        start = [this] { setDataSource(database_, "Q_PrtRuikei"); };
        format = [this](Band& b) {
            if (b.name == "PageHeader")
                b.control("txtNengetu").text =
                    plat::text::formatDate(b.control("Nengetu").value.asDate(), "ggge") +
                    "年度労務費累計表";
        };
    }

private:
    std::string database_;
};

std::string makeDatabase(const std::string& name) {
    const auto path = (scratchDir(name) / "Roumu.MDB").string();
    plat::jet::createSchema(path, plat::text::DateTime{2004, 4, 1, 0, 0, 0});
    return path;
}

} // namespace

TEST(JetRecordSource, YearReportFromStoredQueryGroupsAndSumsPerEmployee) {
    ensureApp();
    const std::string path = makeDatabase("year");
    {
        auto db = plat::jet::Database::open(path);
        const char* inserts[] = {
            "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY,SNAME) VALUES "
            "(#2004/04/01#,1,1250,100.25,125312,'山田　太郎')",
            "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY,SNAME) VALUES "
            "(#2004/03/01#,1,1250,150.5,188125,'山田　太郎')",
            "INSERT INTO PRTRUIKEI(NENGETU,SYAINID,TMONY,RTIME,MMONY) VALUES "
            "(#2004/03/01#,2,1333,150.5,200616)",
        };
        for (const char* sql : inserts)
            db.execute(sql);
    }
    YearReport report(path);
    const auto pdf = scratchDir("year-pdf") / "year.pdf";
    ASSERT_TRUE(exportPdf(report, QString::fromStdString(pdf.string())));
    EXPECT_EQ(pdfPages(pdf), 1);
    const PdfPageSize size = pdfPageSize(pdf);
    EXPECT_TRUE(size.a4);
    EXPECT_LT(size.width, size.height);

    // Rows come in the stored query's order (employee, then month); the sums restart per
    // employee; a Null name prints nothing.
    const std::string text = squeeze(pdfText(pdf));
    const std::string expected[] = {"平成16年度労務費累計表",
                                    "従業員名",
                                    "山田太郎",
                                    "3月",
                                    "1,250",
                                    "150.50",
                                    "188,125",
                                    "山田太郎",
                                    "4月",
                                    "1,250",
                                    "100.25",
                                    "125,312",
                                    "250.75",
                                    "313,437",
                                    "3月",
                                    "1,333",
                                    "150.50",
                                    "200,616",
                                    "150.50",
                                    "200,616",
                                    "1／1ページ"};
    std::size_t at = 0;
    for (const std::string& part : expected) {
        const std::size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << "\n" << text;
        at = found + part.size();
    }
}

// The site list over the month's aggregate query: money of hours times each line's wage summed
// per site in the database, sites in descending number, a grand total in the report footer.
TEST(JetRecordSource, SiteReportOverMonthQueryTotalsPerSiteAndOverall) {
    ensureApp();
    const std::string path = makeDatabase("sites");
    {
        auto db = plat::jet::Database::open(path);
        const char* inserts[] = {
            "INSERT INTO KYUYO_F(Nengetu,SyainID,SName,TMony,RowNo,GenbaID,GName,D1) VALUES "
            "(#2004/04/01#,1,'山田',1200,1,5,'駅前ビル',10)",
            "INSERT INTO KYUYO_F(Nengetu,SyainID,SName,TMony,RowNo,GenbaID,GName,D2) VALUES "
            "(#2004/04/01#,2,'鈴木',1500,1,5,'駅前ビル',5.5)",
            "INSERT INTO KYUYO_F(Nengetu,SyainID,SName,TMony,RowNo,GenbaID,GName,D3) VALUES "
            "(#2004/04/01#,2,'鈴木',1000,2,7,'中央病院',8)",
            "INSERT INTO KYUYO_F(Nengetu,SyainID,SName,TMony,RowNo,GenbaID,GName,D3) VALUES "
            "(#2004/05/01#,2,'鈴木',1000,1,7,'中央病院',99)", // another month
        };
        for (const char* sql : inserts)
            db.execute(sql);
    }
    ScriptedReport report;
    useDatabaseSources(report);
    Band& ph = report.addBand(BandKind::PageHeader, "PageHeader", 700);
    ph.addField("txtNengetu", 1500, 0, 8000, 500, "Nengetu", "ggge年mm月度　現場別労務費一覧表");
    Band& d = report.addBand(BandKind::Detail, "Detail", 350);
    d.addField("GName1", 0, 0, 4000, 300, "GName");
    d.addField("txtGTotal", 6000, 0, 2000, 300, "GTotal", "#,##0").align = Align::Right;
    d.addField("GName2", 0, 0, 10, 10, "GName").visible = false;
    Band& rf = report.addBand(BandKind::ReportFooter, "ReportFooter", 400);
    rf.addLabel("Label24", 0, 0, 4000, 300, "総　　合　　計");
    Control& all = rf.addField("AGTotal", 6000, 0, 2000, 300, "GTotal", "#,##0");
    all.summary = Summary::Report;
    all.align = Align::Right;
    report.start = [&] { report.setDataSource(path, "Q_PrtRoumuG"); };

    const auto pdf = scratchDir("sites-pdf") / "sites.pdf";
    ASSERT_TRUE(exportPdf(report, QString::fromStdString(pdf.string())));
    const std::string text = squeeze(pdfText(pdf));
    const std::string expected[] = {"平成16年04月度現場別労務費一覧表",
                                    "中央病院",
                                    "8,000",
                                    "駅前ビル",
                                    "20,250",
                                    "総合計",
                                    "28,250"};
    std::size_t at = 0;
    for (const std::string& part : expected) {
        const std::size_t found = text.find(part, at);
        ASSERT_NE(found, std::string::npos) << part << "\n" << text;
        at = found + part.size();
    }
    const std::string site = "駅前ビル";
    EXPECT_EQ(text.find(site, text.find(site) + 1), std::string::npos); // GName2 is not printed
}

TEST(JetRecordSource, EmptyQueryIsNoDataAndNothingIsWritten) {
    ensureApp();
    YearReport report(makeDatabase("empty"));
    int noData = 0;
    report.noData = [&] { ++noData; };
    const auto pdf = scratchDir("empty-pdf") / "none.pdf";
    EXPECT_FALSE(exportPdf(report, QString::fromStdString(pdf.string())));
    EXPECT_EQ(noData, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST(JetRecordSource, DatabaseErrorsArriveWithTheDatabaseNumbers) {
    const std::string path = makeDatabase("errors");
    int missingQuery = 0;
    try {
        plat::jet::Database::open(path).openQuery("Q_Nothing");
    } catch (const plat::jet::Error& e) {
        missingQuery = e.number();
    }
    ASSERT_NE(missingQuery, 0);
    try {
        openStoredQuery(path, "Q_Nothing");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.number(), missingQuery);
        EXPECT_FALSE(e.description().empty());
    }
    try {
        openStoredQuery(path + ".missing", "Q_PrtRuikei");
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.number(), plat::jet::err::FileNotFound);
    }
}

TEST(JetRecordSource, BackslashBeforeTheFileNameReadsAsAFolderSeparator) {
    const std::string path = makeDatabase("backslash");
    const std::string folder = path.substr(0, path.rfind('/'));
    auto source = openStoredQuery(folder + "\\Roumu.MDB", "Q_PrtRuikei");
    ASSERT_TRUE(source);
    const auto columns = source->columns();
    EXPECT_EQ(columns,
              (std::vector<std::string>{"Nengetu", "SyainID", "SName", "TMony", "RTime", "MMony"}));
}
