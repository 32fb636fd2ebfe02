// Two programs printing the site reports and the statements of different months from one
// server database at the same moment: each print reads back exactly the month it prepared,
// round after round.
#include "app/ledger/LedgerStore.h"
#include "app/reports/PrintRun.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "app/reports/RptRoumuG.h"
#include "tests/jet/ChildProcess.h"
#include "tests/jet/TestDb.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace tamsel;
using jettest::Child;
using plat::jet::Database;
using plat::text::DateTime;

constexpr int kRounds = 15;

// Ends with 0 when every print read its own month's rows and no other (`sites` site lines on
// the site report, `lines` work rows for the statement), with 8 when one read something else,
// with 5 on a database error other than a lock wait (3 when the site report failed).
void printMonth(const std::string& location, const DateTime& month, int sites, int lines,
                const Child& self) {
    ::setenv("TAMSEL_DATABASE", location.c_str(), 1);
    Database db = Database::open(location);
    self.signalParent();
    self.waitForParent();
    // Both programs rewrite the site report's query for their month before either prints it.
    reports::buildSiteReportQuery(db, month);
    self.signalParent();
    self.waitForParent();
    reports::RptRoumuG site(QString(), db);
    site.run();
    const auto& siteRows = site.exportTable().rows;
    if (siteRows.size() != static_cast<std::size_t>(sites) + 1) // and the grand total row
        ::_exit(8);
    char monthText[8];
    std::snprintf(monthText, sizeof monthText, "%04d/%02d", month.year, month.month);
    for (const auto& row : siteRows)
        if (row.empty() || row[0] != monthText)
            ::_exit(8);
    for (int round = 0; round < kRounds; ++round) {
        try {
            reports::PrintRun run;
            run.begin(db);
            if (reports::copyStatementLines(run.db(), reports::allEmployeesMonthCopySql(month)) !=
                lines)
                ::_exit(8);
            int n = 0;
            for (auto rows = run.db().openQuery(reports::kStatementQuery); !rows.eof();
                 rows.moveNext(), ++n)
                if (rows["Nengetu"].toDate() != month)
                    ::_exit(8);
            if (n != lines)
                ::_exit(8);
            run.commit();
        } catch (const plat::jet::Error& e) {
            if (e.number() != plat::jet::err::Locked)
                ::_exit(5);
        }
    }
    ::_exit(0);
}

TEST(LedgerPrintConcurrencyTest, TwoProgramsPrintingDifferentMonthsEachGetTheirOwnRows) {
    if (const std::string why = jettest::serverSkipReason(); !why.empty())
        GTEST_SKIP() << why;
    const std::string uri = jettest::newServerDatabase();
    Database db = jettest::createDatabase(uri);
    const DateTime april{2004, 4, 1}, may{2004, 5, 1};
    // April: three employees of two lines each; May: two employees of one line each.
    for (int e = 1; e <= 3; ++e) {
        db.execute("INSERT INTO SYAIN_MT (SName,TMony) VALUES ('e" + std::to_string(e) + "',1000)");
        for (const auto& [month, count] : {std::pair{april, 2}, std::pair{may, e <= 2 ? 1 : 0}}) {
            ledger::MonthToSave m;
            m.month = month;
            m.syainId = e;
            m.sName = "e" + std::to_string(e);
            m.wage = plat::jet::Currency::fromUnits(1000);
            for (int n = 0; n < count; ++n) {
                ledger::LedgerLine l;
                l.GenbaID = n + 1;
                l.GName = "g";
                l.hours.fill(8);
                m.lines.push_back(l);
            }
            if (count > 0)
                ledger::replaceMonth(db, m);
        }
    }

    Child a([&](const Child& self) { printMonth(uri, april, 2, 6, self); });
    Child b([&](const Child& self) { printMonth(uri, may, 1, 2, self); });
    ASSERT_TRUE(a.started() && b.started());
    for (int step = 0; step < 2; ++step) { // both open, then both rewrote the site query
        ASSERT_TRUE(a.waitForChild());
        ASSERT_TRUE(b.waitForChild());
        a.signalChild();
        b.signalChild();
    }
    EXPECT_EQ(a.exitStatus(), 0);
    EXPECT_EQ(b.exitStatus(), 0);
}

} // namespace
