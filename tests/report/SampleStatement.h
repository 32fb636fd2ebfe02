// A small employee statement for the output tests: a title with the era, one group per
// employee starting a new page, day columns, group sums and a "N／M ページ" page footer.
#pragma once

#include "ReportTestSupport.h"

#include <memory>
#include <string>

namespace reporttest {

class SampleStatement : public ScriptedReport {
public:
    explicit SampleStatement(int dayColumns = 3) {
        caption = "労務費明細表";
        pageSetup().paperSize = paper::kA4;
        pageSetup().orientation = orientation::kLandscape;
        Band& ph = addBand(BandKind::PageHeader, "PageHeader", 800);
        ph.addField("txtNengetu", 4000, 100, 8000, 500, "Nengetu", "ggge年mm月度　労務費明細表")
            .font.size = 16;
        ph.control("txtNengetu").align = Align::Center;
        ph.addLine("Line1", 0, 750, 15300, 750);

        Band& gh = addBand(BandKind::GroupHeader, "SyainIDGH", 700);
        gh.groupField = "SyainID";
        gh.newPage = NewPage::Before;
        gh.addLabel("Label25", 0, 100, 800, 300, "氏名：");
        gh.addField("txtSName", 800, 100, 3000, 300, "SName");
        for (int k = 1; k <= dayColumns; ++k) {
            Control& ld = gh.addLabel(numbered("LD", k), 2657 + (k - 1) * 375, 400, 375, 300,
                                      std::to_string(k) + "日");
            ld.font.size = 8;
        }

        Band& d = addBand(BandKind::Detail, "Detail", 400);
        d.addField("txtGName", 0, 50, 2640, 300, "GName");
        for (int k = 1; k <= dayColumns; ++k) {
            Control& c = d.addField(numbered("txtD", k), 2657 + (k - 1) * 375, 50, 375, 300,
                                    numbered("D", k), "#,##0.0");
            c.align = Align::Right;
            c.font.size = 8;
        }
        d.addField("txtGTotal", 14445, 50, 855, 300, "GTotal", "#,##0.0").align = Align::Right;

        Band& gf = addBand(BandKind::GroupFooter, "SyainIDGF", 500);
        gf.addLabel("Label26", 0, 100, 2000, 300, "合　　計");
        Control& total = gf.addField("TGTotal", 14445, 100, 855, 300, "GTotal", "#,##0.0");
        total.summary = Summary::Group;
        total.align = Align::Right;

        Band& pf = addBand(BandKind::PageFooter, "PageFooter", 500);
        Control& page = pf.addField("txtPage", 7000, 100, 300, 300, {});
        page.pageField = PageField::PageNumber;
        page.align = Align::Right;
        pf.addLabel("Label22", 7300, 100, 200, 300, "／").align = Align::Center;
        pf.addField("txtPages", 7500, 100, 300, 300, {}).pageField = PageField::PageCount;
        pf.addLabel("Label23", 7800, 100, 800, 300, "ページ");
    }
};

// Employees 1..employees, each with `lines` site lines in April 2004; hours of day k on line j
// are k + j / 10.
inline std::unique_ptr<MemoryRecordSource> statementRows(int employees, int lines,
                                                         int dayColumns = 3) {
    std::vector<std::string> columns{"Nengetu", "SyainID", "SName", "GName", "GTotal"};
    for (int k = 1; k <= dayColumns; ++k)
        columns.push_back(numbered("D", k));
    auto src = std::make_unique<MemoryRecordSource>(columns);
    const char* names[] = {"山田　太郎", "鈴木　花子", "佐藤　一郎", "高橋　次郎"};
    for (int e = 1; e <= employees; ++e) {
        for (int j = 1; j <= lines; ++j) {
            std::vector<Value> row{month(2004, 4), num(e), txt(names[(e - 1) % 4]),
                                   Value::text(numbered("現場", e * 10 + j)), Value()};
            double total = 0;
            for (int k = 1; k <= dayColumns; ++k) {
                const double h = k + j / 10.0;
                total += h;
                row.push_back(num(h));
            }
            row[4] = num(total);
            src->addRow(std::move(row));
        }
    }
    return src;
}

} // namespace reporttest
