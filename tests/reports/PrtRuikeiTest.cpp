// The annual report screen: extraction and preview, a year without lines, extraction errors.
#include "app/reports/PrtRuikei.h"
#include "app/frame/RoumuM.h"
#include "platform/report/PreviewWindow.h"
#include "platform/widgets/CheckBox.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/MessageRecorder.h"

#include "ReportsTestSupport.h"

#include <QTimer>

#include <memory>

namespace {

using namespace reportstest;
using plat::text::DateTime;

class PrtRuikeiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        home = freshHome(::testing::UnitTest::GetInstance()->current_test_info()->name());
        db.emplace(freshDatabase(home));
        screen = std::make_unique<tamsel::PrtRuikei>();
        screen->open();
        screen->PrtPreview()->setChecked(true);
    }
    void TearDown() override {
        screen->close();
        screen.reset();
        tamsel::RoumuM().RoumuDb.reset();
    }
    // Presses 印刷 and returns the page count of the preview it opened (-1: none).
    int printYear(int year) {
        screen->Nengetu()->setValue(DateTime{year, 1, 1});
        PreviewCatcher preview;
        screen->comPrt()->click();
        return preview.pages;
    }

    std::filesystem::path home;
    std::optional<plat::jet::Database> db;
    std::unique_ptr<tamsel::PrtRuikei> screen;
    plat::widgets::MessageRecorder messages;
};

TEST_F(PrtRuikeiTest, ShowsTheYearBoxAndPreviewsTheExtractedYear) {
    EXPECT_EQ(screen->Nengetu()->mode(), plat::widgets::DateBox::Mode::Year);
    const auto id = addEmployee(*db, "山田　太郎", 1200);
    addLine(*db, {.month = 3, .syainId = id, .wage = "1200", .days = {{1, 8.0}}});
    addLine(*db, {.month = 4, .syainId = id, .wage = "1200", .days = {{1, 8.0}}});
    EXPECT_EQ(printYear(2004), 1);
    EXPECT_TRUE(messages.shown().empty());
    plat::jet::Recordset rs = db->openRecordset("SELECT COUNT(*) AS N FROM PRTRUIKEI");
    EXPECT_EQ(rs.field("N").toLong(), 2);
}

TEST_F(PrtRuikeiTest, YearWithoutLinesPrintsNothingAndSaysNothing) {
    const auto id = addEmployee(*db, "山田　太郎", 1200);
    addLine(*db, {.year = 2003, .syainId = id, .days = {{1, 8.0}}});
    EXPECT_EQ(printYear(2004), -1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PrtRuikeiTest, ExtractionErrorIsShownAndNothingIsPrinted) {
    const auto id = addEmployee(*db, "山田　太郎", 1200);
    addLine(*db, {.syainId = id, .days = {{1, 8.0}}});
    db->execute("DROP TABLE PRTRUIKEI");
    EXPECT_EQ(printYear(2004), -1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().title, QString::fromUtf8("データ抽出"));
    EXPECT_EQ(messages.shown().front().icon, plat::widgets::MsgIcon::Error);
    EXPECT_FALSE(messages.shown().front().text.isEmpty());
}

} // namespace
