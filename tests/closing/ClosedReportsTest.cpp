// The statement and the inquiry on a closed month: both print and show as before, with
// "締め済み" beside the month when it is closed and nothing beside an open one.
#include "app/closing/ClosedMonths.h"
#include "app/frame/RoumuM.h"
#include "app/reports/BatchPrint.h"
#include "app/reports/RefRoumu.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"

#include "tests/reports/ReportsTestSupport.h"

#include <QLabel>

namespace {

using namespace reportstest;
using plat::text::DateTime;

TEST(ClosedReports, StatementAndInquiryMarkTheClosedMonthOnly) {
    ensureApp();
    const auto home = freshHome("closing-marks");
    {
        plat::jet::Database db = freshDatabase(home);
        addLine(db, {.month = 4, .days = {{1, 8.0}}});
        addLine(db, {.month = 3, .days = {{1, 7.5}}});
        ASSERT_EQ(tamsel::closing::closeMonth(db, {2004, 4, 1}, {2004, 5, 10}),
                  tamsel::closing::CloseResult::Closed);
    }
    const auto statement = [&](const char* month) {
        const auto pdf = home / (std::string(month) + ".pdf");
        const int status = tamsel::reports::runBatchPrint(
            {QStringLiteral("tamsel"), QStringLiteral("--print"), QStringLiteral("statement"),
             QStringLiteral("--month"), QString::fromUtf8(month), QStringLiteral("--pdf"),
             QString::fromStdString(pdf.string())});
        EXPECT_EQ(status, tamsel::reports::kBatchWritten) << month;
        return pdfText(pdf);
    };
    const std::string closed = statement("2004-04");
    EXPECT_NE(closed.find("労務費明細表"), std::string::npos) << closed;
    EXPECT_NE(closed.find("締め済み"), std::string::npos) << closed;
    const std::string open = statement("2004-03");
    EXPECT_NE(open.find("労務費明細表"), std::string::npos) << open;
    EXPECT_EQ(open.find("締め済み"), std::string::npos) << open;

    plat::widgets::MessageRecorder messages;
    tamsel::RefRoumu inquiry;
    inquiry.open();
    for (const auto& [month, mark] : {std::pair{4, "締め済み"}, std::pair{3, ""}}) {
        inquiry.Nengetu()->setValue(DateTime{2004, month, 1});
        inquiry.comDisp()->click();
        EXPECT_EQ(inquiry.Sime()->text(), QString::fromUtf8(mark)) << month;
    }
    EXPECT_TRUE(messages.shown().empty());
    inquiry.close();
    tamsel::RoumuM().RoumuDb.reset();
}

} // namespace
