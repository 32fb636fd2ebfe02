// A month typed into the ledger grid and saved is what the inquiry and the reports show, to
// the yen: the grid's money and the reports' money follow the same rule.
#include "app/frame/RoumuM.h"
#include "app/ledger/RoumuEntrySub2.h"
#include "app/reports/ReportData.h"
#include "app/reports/ReportQueries.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/slipgrid/SlipGrid.h"

#include "LedgerTestSupport.h"

#include <QTest>

#include <libpq-fe.h>

#include <cmath>
#include <memory>

namespace {

using namespace ledgertest;
using plat::widgets::indexedField;

// Run on a file and on a server database.
class LedgerReportsTest : public testsupport::EngineCase {};

TEST_P(LedgerReportsTest, SavedMonthShowsInTheInquiryAndBothReportsWithTheGridsMoney) {
    ensureApp();
    const std::filesystem::path home = freshHome();
    plat::jet::Database db = freshDatabase(home, GetParam());
    const std::int64_t syain = addEmployee(db, "田中", 1200);
    const std::int64_t site = addSite(db, "駅前ビル");
    plat::widgets::MessageRecorder messages;

    const plat::text::DateTime april{2004, 4, 1};
    tamsel::RoumuM().LedgerKey = {april, syain, QStringLiteral("田中"),
                                  plat::jet::Currency::fromUnits(1200)};
    QWidget selection;
    tamsel::RoumuEntrySub2 screen(lineEditBoxes(), &selection);
    screen.open();
    for (int i = 0; i < 100 && !screen.isShown(); ++i)
        QApplication::processEvents();
    ASSERT_TRUE(lineEdit(screen.GenbaID(0)).pick(QString::number(site)));
    // 22.6 hours, held in single precision as 22.599998…
    QTest::keyClicks(screen.DGrid(), "7.6\r7.5\r7.5\r");
    const double gridMoney = screen.DGrid()->total(QStringLiteral("Total31")).toNumber();
    EXPECT_EQ(gridMoney, 27120);
    screen.comFunc()->press(tamsel::RoumuEntrySub2::Save);
    ASSERT_TRUE(messages.shown().empty());
    screen.close();
    tamsel::RoumuM().RoumuDb.reset();

    const std::vector<tamsel::reports::InquiryRow> inquiry =
        tamsel::reports::readInquiry(db, april);
    ASSERT_EQ(inquiry.size(), 1u);
    EXPECT_EQ(inquiry[0].gName, QStringLiteral("駅前ビル"));
    EXPECT_FLOAT_EQ(inquiry[0].days[1], 7.5f);

    tamsel::reports::buildSiteReportQuery(db, april);
    plat::jet::Recordset siteRows = db.openQuery(tamsel::reports::kSiteReportQuery);
    ASSERT_FALSE(siteRows.eof());
    EXPECT_EQ(std::floor(siteRows["GTOTAL"].toCurrency().toDouble()), gridMoney);
    siteRows.close();

    ASSERT_EQ(tamsel::reports::extractYear(db, 2004), 1);
    plat::jet::Recordset year = db.openRecordset("SELECT MMONY FROM PRTRUIKEI");
    EXPECT_EQ(year["MMONY"].toCurrency(), plat::jet::Currency::fromDouble(gridMoney));
}

// The annual extraction meets a ledger another session holds locked: on both engines the clerk
// is told of the lock (3260), not of the commit that the failed transaction can no longer make.
TEST_P(LedgerReportsTest, AYearExtractionThatMeetsALockSaysSo) {
    const std::filesystem::path home = freshHome();
    plat::jet::Database db = freshDatabase(home, GetParam());
    addEmployee(db, "田中", 1200);
    const std::string location = testsupport::officeDatabase(home);
    std::optional<plat::jet::Database> fileHolder;
    std::unique_ptr<PGconn, decltype(&PQfinish)> serverHolder(nullptr, &PQfinish);
    if (GetParam() == testsupport::Engine::File) {
        fileHolder.emplace(plat::jet::Database::open(location));
        fileHolder->beginTrans();
    } else {
        // Straight through libpq: a lock on the ledger table itself, so the extraction's own
        // transaction begins and its read of KYUYO_F is what waits.
        serverHolder.reset(PQconnectdb(location.c_str()));
        ASSERT_EQ(PQstatus(serverHolder.get()), CONNECTION_OK);
        PGresult* r = PQexec(serverHolder.get(), "BEGIN; LOCK TABLE kyuyo_f IN ACCESS EXCLUSIVE MODE");
        ASSERT_EQ(PQresultStatus(r), PGRES_COMMAND_OK) << PQerrorMessage(serverHolder.get());
        PQclear(r);
    }
    try {
        tamsel::reports::extractYear(db, 2004);
        ADD_FAILURE() << "the extraction went through a held lock";
    } catch (const plat::jet::Error& e) {
        EXPECT_EQ(e.number(), plat::jet::err::Locked) << e.description();
    }
    EXPECT_FALSE(db.inTransaction());
}

TEST_ENGINE_SUITE(LedgerReportsTest);

} // namespace
