// The layout pass without painting: band placement in twips, page breaks, groups and their
// sums, page N of M, the report's own calls, no data and layout errors.
#include "ReportTestSupport.h"

#include "platform/report/ReportError.h"

#include <gtest/gtest.h>

#include <memory>

using namespace reporttest;

namespace {

// A4 portrait (16,838 twips high) with margins chosen so the arithmetic is round: the body runs
// from 838 to 16,838 - 1,000 (bottom margin) - 1,000 (page footer) = 14,838.
constexpr int kTop = 838;
constexpr int kFooterTop = 14838;

std::vector<const PlacedBand*> bandsOf(const Page& page, BandKind kind) {
    std::vector<const PlacedBand*> out;
    for (const PlacedBand& b : page.bands) {
        if (b.kind == kind)
            out.push_back(&b);
    }
    return out;
}

std::vector<std::string> textsOf(const Page& page, const std::string& control) {
    std::vector<std::string> out;
    for (const PlacedControl& c : page.controls) {
        if (c.name == control)
            out.push_back(c.text);
    }
    return out;
}

std::vector<std::string> allTexts(const Document& doc, const std::string& control) {
    std::vector<std::string> out;
    for (const Page& p : doc.pages) {
        for (auto& t : textsOf(p, control))
            out.push_back(t);
    }
    return out;
}

// Rows (K, V): key and value.
std::unique_ptr<MemoryRecordSource> keyedRows(const std::vector<std::pair<int, double>>& rows) {
    auto src = std::make_unique<MemoryRecordSource>(std::vector<std::string>{"K", "V"});
    for (auto [k, v] : rows)
        src->addRow({num(k), num(v)});
    return src;
}

void basicLayout(Report& r) {
    r.pageSetup().topMargin = kTop;
    r.pageSetup().bottomMargin = 1000;
    r.pageSetup().leftMargin = 500;
    r.addBand(BandKind::PageHeader, "PH", 1000).addLabel("Title", 0, 0, 4000, 300, "Title");
    r.addBand(BandKind::Detail, "D", 1000).addField("txtV", 100, 50, 2000, 300, "v", "#,##0.0");
    Band& pf = r.addBand(BandKind::PageFooter, "PF", 1000);
    pf.addField("txtPage", 0, 0, 500, 300, {}).pageField = PageField::PageNumber;
    pf.addLabel("Label22", 500, 0, 200, 300, "／");
    pf.addField("txtPages", 700, 0, 500, 300, {}).pageField = PageField::PageCount;
    pf.addField("txtNofM", 2000, 0, 2000, 300, {}, "%1／%2ページ").pageField =
        PageField::PageOfPages;
}

void groupedLayout(Report& r, int headerHeight = 500) {
    basicLayout(r);
    Band& gh = r.addBand(BandKind::GroupHeader, "GH", headerHeight);
    gh.groupField = "K";
    gh.addField("txtK", 0, 0, 1000, 300, "K");
    Band& gf = r.addBand(BandKind::GroupFooter, "GF", 500);
    gf.addField("GSum", 0, 0, 2000, 300, "V", "#,##0.0").summary = Summary::Group;
    Band& rf = r.addBand(BandKind::ReportFooter, "RF", 500);
    rf.addField("RSum", 0, 0, 2000, 300, "V", "#,##0.0").summary = Summary::Report;
}

} // namespace

TEST(LayoutPass, DetailsFillPagesBetweenHeaderAndFooterAndPagesAreNumbered) {
    ScriptedReport r;
    basicLayout(r);
    std::vector<std::pair<int, double>> rows;
    for (int i = 0; i < 30; ++i)
        rows.push_back({1, i});
    r.setRecordSource(keyedRows(rows));
    const Document& doc = r.run();

    ASSERT_EQ(doc.pageCount(), 3);
    // (14,838 - 1,838) / 1,000 = 13 details fit below the page header.
    EXPECT_EQ(bandsOf(doc.pages[0], BandKind::Detail).size(), 13u);
    EXPECT_EQ(bandsOf(doc.pages[1], BandKind::Detail).size(), 13u);
    EXPECT_EQ(bandsOf(doc.pages[2], BandKind::Detail).size(), 4u);
    for (const Page& p : doc.pages) {
        EXPECT_EQ(p.bands.front().kind, BandKind::PageHeader);
        EXPECT_EQ(p.bands.front().top, kTop);
        auto details = bandsOf(p, BandKind::Detail);
        EXPECT_EQ(details.front()->top, kTop + 1000);
        EXPECT_LE(details.back()->top + details.back()->height, kFooterTop);
        EXPECT_EQ(p.bands.back().kind, BandKind::PageFooter);
        EXPECT_EQ(p.bands.back().top, kFooterTop); // the footer sits at the bottom, even on p. 3
    }
    // Controls are placed at margin + band top + control offset.
    const PlacedControl& first = doc.pages[0].controls[1];
    EXPECT_EQ(first.name, "txtV");
    EXPECT_EQ(first.left, 600);
    EXPECT_EQ(first.top, kTop + 1000 + 50);
    EXPECT_EQ(first.text, "0.0");
    EXPECT_EQ(textsOf(doc.pages[2], "txtV").back(), "29.0");

    EXPECT_EQ(allTexts(doc, "txtPage"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(allTexts(doc, "txtPages"), (std::vector<std::string>{"3", "3", "3"}));
    EXPECT_EQ(allTexts(doc, "txtNofM"),
              (std::vector<std::string>{"1／3ページ", "2／3ページ", "3／3ページ"}));
}

TEST(LayoutPass, GroupSumsRestartWithEveryGroupAndReportSumCoversAllRows) {
    ScriptedReport r;
    groupedLayout(r);
    // A group sum in the header already knows the rows that follow.
    r.band("GH").addField("HSum", 2000, 0, 2000, 300, "V", "#,##0.0").summary = Summary::Group;
    r.setRecordSource(keyedRows({{10, 7.5}, {10, 0.25}, {20, 8}, {30, 1.05}, {30, 2.1}}));
    const Document& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(allTexts(doc, "HSum"), (std::vector<std::string>{"7.8", "8.0", "3.2"}));
    EXPECT_EQ(allTexts(doc, "txtK"), (std::vector<std::string>{"10", "20", "30"}));
    // 7.75 shows as 7.8 (half away from zero), 3.15 exactly as 3.2, not as binary 3.1499...
    EXPECT_EQ(allTexts(doc, "GSum"), (std::vector<std::string>{"7.8", "8.0", "3.2"}));
    EXPECT_EQ(allTexts(doc, "RSum"), (std::vector<std::string>{"18.9"}));

    // Band order on the page: header, then per group header, details, footer; report footer last
    // before the page footer.
    std::vector<BandKind> order;
    for (const PlacedBand& b : doc.pages[0].bands)
        order.push_back(b.kind);
    using K = BandKind;
    EXPECT_EQ(order, (std::vector<BandKind>{K::PageHeader, K::GroupHeader, K::Detail, K::Detail,
                                            K::GroupFooter, K::GroupHeader, K::Detail,
                                            K::GroupFooter, K::GroupHeader, K::Detail, K::Detail,
                                            K::GroupFooter, K::ReportFooter, K::PageFooter}));
}

TEST(LayoutPass, SumsAreExactOverManyRows) {
    ScriptedReport r;
    r.addBand(BandKind::Detail, "D", 0); // rows take no room: one page holds them all
    Band& rf = r.addBand(BandKind::ReportFooter, "RF", 300);
    rf.addField("RSum", 0, 0, 2000, 300, "V", "#,##0.0").summary = Summary::Report;
    rf.addField("FSum", 0, 0, 2000, 300, "F", "#,##0.0").summary = Summary::Report;
    auto src = std::make_unique<MemoryRecordSource>(std::vector<std::string>{"V", "F"});
    for (int i = 0; i < 100000; ++i)
        src->addRow({num(0.1), num(static_cast<double>(0.1f))}); // double and single precision
    r.setRecordSource(std::move(src));
    const Document& doc = r.run();
    EXPECT_EQ(allTexts(doc, "RSum"), (std::vector<std::string>{"10,000.0"}));
    EXPECT_EQ(allTexts(doc, "FSum"), (std::vector<std::string>{"10,000.0"}));
}

TEST(LayoutPass, GroupHeaderMovesToNextPageRatherThanStandAloneAtTheBottom) {
    ScriptedReport r;
    groupedLayout(r);
    // Group 1: header 500 + 11 details + footer 500 end at 1,838 + 12,000 = 13,838. Group 2's
    // header (500) would fit, its first detail (1,000) not: both go to page 2.
    std::vector<std::pair<int, double>> rows;
    for (int i = 0; i < 11; ++i)
        rows.push_back({1, 1});
    rows.push_back({2, 1});
    r.setRecordSource(keyedRows(rows));
    const Document& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(bandsOf(doc.pages[0], BandKind::GroupHeader).size(), 1u);
    auto headers2 = bandsOf(doc.pages[1], BandKind::GroupHeader);
    ASSERT_EQ(headers2.size(), 1u);
    EXPECT_EQ(headers2[0]->top, kTop + 1000);
}

TEST(LayoutPass, GroupHeaderRepeatsOnContinuationPagesOnlyWhenAskedTo) {
    for (bool repeat : {false, true}) {
        ScriptedReport r;
        groupedLayout(r);
        r.band("GH").repeatOnNewPage = repeat;
        std::vector<std::pair<int, double>> rows(20, {7, 1.0});
        r.setRecordSource(keyedRows(rows));
        int headerFormats = 0;
        r.format = [&](Band& b) { headerFormats += b.name == "GH"; };
        const Document& doc = r.run();
        ASSERT_EQ(doc.pageCount(), 2) << repeat;
        EXPECT_EQ(bandsOf(doc.pages[1], BandKind::GroupHeader).size(), repeat ? 1u : 0u);
        EXPECT_EQ(headerFormats, repeat ? 2 : 1);
        if (repeat) {
            EXPECT_EQ(textsOf(doc.pages[1], "txtK"), std::vector<std::string>{"7"});
        }
    }
}

TEST(LayoutPass, NewPageBeforeAndAfterStartGroupsOnFreshPagesWithoutBlankPages) {
    ScriptedReport before;
    groupedLayout(before);
    before.band("GH").newPage = NewPage::Before;
    before.setRecordSource(keyedRows({{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(before.run().pageCount(), 3); // no blank first page

    ScriptedReport after;
    groupedLayout(after);
    after.band("GF").newPage = NewPage::After;
    after.setRecordSource(keyedRows({{1, 1}, {2, 1}}));
    const Document& doc = after.run();
    // The report footer follows the last group footer onto a new page; no page after it.
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(bandsOf(doc.pages[2], BandKind::ReportFooter).size(), 1u);
    EXPECT_TRUE(bandsOf(doc.pages[2], BandKind::Detail).empty());
}

TEST(LayoutPass, NestedGroupsCloseInnermostFirst) {
    ScriptedReport r;
    r.addBand(BandKind::GroupHeader, "Outer", 100).groupField = "A";
    r.addBand(BandKind::GroupHeader, "Inner", 100).groupField = "B";
    r.addBand(BandKind::Detail, "D", 100);
    r.addBand(BandKind::GroupFooter, "InnerF", 100).addField("s", 0, 0, 500, 100, "V").summary =
        Summary::Group;
    r.addBand(BandKind::GroupFooter, "OuterF", 100).addField("t", 0, 0, 500, 100, "V").summary =
        Summary::Group;
    auto src = std::make_unique<MemoryRecordSource>(std::vector<std::string>{"A", "B", "V"});
    src->addRow({num(1), num(1), num(1)});
    src->addRow({num(1), num(1), num(2)});
    src->addRow({num(1), num(2), num(4)});
    src->addRow({num(2), num(2), num(8)}); // same B as before, but A changed: both groups end
    r.setRecordSource(std::move(src));
    std::vector<std::string> names;
    r.format = [&](Band& b) { names.push_back(b.name); };
    const Document& doc = r.run();
    EXPECT_EQ(names, (std::vector<std::string>{"Outer", "Inner", "D", "D", "InnerF", "Inner", "D",
                                               "InnerF", "OuterF", "Outer", "Inner", "D", "InnerF",
                                               "OuterF"}));
    EXPECT_EQ(allTexts(doc, "s"), (std::vector<std::string>{"3", "4", "8"}));
    EXPECT_EQ(allTexts(doc, "t"), (std::vector<std::string>{"7", "8"}));
}

// A name shown on the first line of each employee and again on the first line of a new page,
// driven by a report-level state that the detail, group footer and page end calls keep.
TEST(LayoutPass, FormatAndPageEndCallsDriveNamePrintedOncePerEmployeeAndPage) {
    ScriptedReport r;
    groupedLayout(r, 0); // the group header has no controls worth printing
    Band& detail = r.band("D");
    detail.addField("txtSName", 3000, 0, 2000, 300, "K");
    r.band("GF").height = 0;
    int nameState = -1;
    int starts = 0;
    int pageEnds = 0;
    r.start = [&] {
        ++starts;
        nameState = 0;
    };
    r.format = [&](Band& b) {
        if (b.name == "D") {
            Control& name = b.control("txtSName");
            name.visible = nameState != 1;
            nameState = 1;
        } else if (b.name == "GF") {
            nameState = 0;
        }
    };
    r.pageEnd = [&] {
        ++pageEnds;
        nameState = 2;
    };
    std::vector<std::pair<int, double>> rows;
    for (int i = 0; i < 3; ++i)
        rows.push_back({100, 1});
    for (int i = 0; i < 15; ++i) // carries over to page 2
        rows.push_back({200, 1});
    r.setRecordSource(keyedRows(rows));
    const Document& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(pageEnds, 2);
    EXPECT_EQ(textsOf(doc.pages[0], "txtSName"), (std::vector<std::string>{"100", "200"}));
    EXPECT_EQ(textsOf(doc.pages[1], "txtSName"), std::vector<std::string>{"200"});
    EXPECT_EQ(bandsOf(doc.pages[1], BandKind::Detail).size(), 5u);
}

TEST(LayoutPass, FormatCodeSetsTextsCaptionsAndHidesBands) {
    ScriptedReport r;
    basicLayout(r);
    r.band("D").addField("Computed", 3000, 0, 1000, 300, {});
    r.setRecordSource(keyedRows({{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
    r.format = [&](Band& b) {
        if (b.name == "PH")
            b.control("Title").text = "見出し";
        if (b.name == "D") {
            const double v = r.fieldValue("V").asNumber();
            b.visible = v != 2; // a hidden band takes no room
            b.control("Computed").text = std::to_string(int(v * 10));
            b.control("txtV").text += "h";
        }
    };
    const Document& doc = r.run();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(textsOf(doc.pages[0], "Title"), std::vector<std::string>{"見出し"});
    EXPECT_EQ(textsOf(doc.pages[0], "Computed"), (std::vector<std::string>{"10", "30", "40"}));
    EXPECT_EQ(textsOf(doc.pages[0], "txtV"), (std::vector<std::string>{"1.0h", "3.0h", "4.0h"}));
    auto details = bandsOf(doc.pages[0], BandKind::Detail);
    ASSERT_EQ(details.size(), 3u);
    EXPECT_EQ(details[1]->top, details[0]->top + 1000);
}

TEST(LayoutPass, NoDataClosesTheReportWithoutFormattingAnything) {
    ScriptedReport r;
    groupedLayout(r);
    r.setRecordSource(keyedRows({}));
    int noData = 0;
    int formats = 0;
    r.noData = [&] { ++noData; };
    r.format = [&](Band&) { ++formats; };
    EXPECT_TRUE(r.run().empty());
    EXPECT_TRUE(r.hasNoData());
    EXPECT_EQ(noData, 1);
    EXPECT_EQ(formats, 0);
}

TEST(LayoutPass, ReportStartNamesTheDataSourceAndTheOpenerReadsIt) {
    ScriptedReport r;
    basicLayout(r);
    std::string openedPath;
    std::string openedQuery;
    r.setSourceOpener([&](const std::string& path, const std::string& query) {
        openedPath = path;
        openedQuery = query;
        return std::unique_ptr<RecordSource>(keyedRows({{1, 2.5}}));
    });
    r.start = [&] { r.setDataSource("/data/Roumu.MDB", "Q_PrtRuikei"); };
    const Document& doc = r.run();
    EXPECT_EQ(openedPath, "/data/Roumu.MDB");
    EXPECT_EQ(openedQuery, "Q_PrtRuikei");
    EXPECT_EQ(allTexts(doc, "txtV"), std::vector<std::string>{"2.5"});
}

TEST(LayoutPass, LayoutAndDataErrorsCarryNumberAndDescription) {
    struct Case {
        const char* what;
        std::function<void(ScriptedReport&)> spoil;
        ErrorCode expected;
    };
    const Case cases[] = {
        {"no record source", [](ScriptedReport& r) { r.setRecordSource(nullptr); },
         ErrorCode::NoRecordSource},
        {"unknown column",
         [](ScriptedReport& r) { r.band("D").addField("x", 0, 0, 10, 10, "Missing"); },
         ErrorCode::UnknownColumn},
        {"unknown group column",
         [](ScriptedReport& r) { r.addBand(BandKind::GroupHeader, "G", 10).groupField = "Nope"; },
         ErrorCode::UnknownColumn},
        {"two detail bands", [](ScriptedReport& r) { r.addBand(BandKind::Detail, "D2", 10); },
         ErrorCode::BadLayout},
        {"footer without header",
         [](ScriptedReport& r) { r.addBand(BandKind::GroupFooter, "F", 10); },
         ErrorCode::BadLayout},
        {"unknown paper", [](ScriptedReport& r) { r.pageSetup().paperSize = 999; },
         ErrorCode::UnsupportedPaper},
        {"stored query without a way to open it",
         [](ScriptedReport& r) {
             r.setRecordSource(nullptr);
             r.setDataSource("Roumu.MDB", "Q_SRoumuM");
         },
         ErrorCode::DataSource},
        {"report code fails",
         [](ScriptedReport& r) {
             r.format = [](Band& b) {
                 if (b.kind == BandKind::Detail)
                     throw std::runtime_error("detail");
             };
         },
         ErrorCode::ReportCode},
    };
    for (const Case& c : cases) {
        ScriptedReport r;
        basicLayout(r);
        r.setRecordSource(keyedRows({{1, 1}}));
        c.spoil(r);
        try {
            r.run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ReportError& e) {
            EXPECT_EQ(e.number(), static_cast<int>(c.expected)) << c.what;
            EXPECT_FALSE(e.description().empty()) << c.what;
        }
        EXPECT_FALSE(r.hasRun()) << c.what;
        EXPECT_TRUE(r.document().empty()) << c.what;       // no half-laid-out pages to print
        EXPECT_TRUE(r.fieldValue("V").isNull()) << c.what; // no row outlives the run
    }
    ScriptedReport r;
    EXPECT_THROW(r.band("Nope"), ReportError);
    EXPECT_THROW(r.control("Nope"), ReportError);
}
