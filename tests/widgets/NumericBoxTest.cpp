// The numeric box: exact parsing of typed amounts, the display format, exit codes.
#include "platform/widgets/NumericBox.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using plat::widgets::NumericBox;

TEST(NumericBoxParse, ReadsAmountsExactlyAndRejectsWhatIsNoNumber) {
    struct Case {
        const char* text;
        int decimals;
        std::optional<std::int64_t> expected;
        bool empty;
    };
    const Case cases[] = {
        {"1,234", 0, 12340000, false},
        {"  -5 ", 0, -50000, false},
        {"+7", 0, 70000, false},
        {"12.5", 1, 125000, false},
        {"12.5", 0, std::nullopt, false}, // more decimals than the format has
        {"0.0001", 4, 1, false},
        {"0.00001", 4, std::nullopt, false},
        {"1.2.3", 2, std::nullopt, false},
        {"abc", 0, std::nullopt, false},
        {"-", 0, std::nullopt, false},
        {"", 0, std::nullopt, true},
        {"922337203685477", 0, 9223372036854770000, false},
        {"922337203685478", 0, std::nullopt, false}, // beyond the currency range
    };
    for (const Case& c : cases) {
        bool empty = false;
        EXPECT_EQ(NumericBox::parse(QString::fromUtf8(c.text), c.decimals, &empty), c.expected)
            << c.text;
        EXPECT_EQ(empty, c.empty) << c.text;
    }
}

class NumericBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::qtApp();
        auto* layout = new QVBoxLayout(&window);
        before = new NumericBox(&window);
        box = new NumericBox(&window);
        after = new NumericBox(&window);
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus(Qt::OtherFocusReason);
    }

    QWidget window;
    NumericBox* before = nullptr;
    NumericBox* box = nullptr;
    NumericBox* after = nullptr;
};

TEST_F(NumericBoxTest, ShowsTheDisplayFormatOnlyWhileNotEdited) {
    box->setValue(1234567);
    EXPECT_EQ(box->text(), QStringLiteral("1234567"));
    after->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(box->text(), QStringLiteral("1,234,567"));
    box->setValue(-1500);
    EXPECT_EQ(box->text(), QStringLiteral("-1,500"));
    box->setNull();
    EXPECT_TRUE(box->isNull());
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(box->value(), 0.0);
}

TEST_F(NumericBoxTest, EnterCommitsTheTypedValueAndMovesOnWithExitCodeEnter) {
    QTest::keyClicks(box, QStringLiteral("2500"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->currency(), 25000000);
    EXPECT_EQ(box->exitCode(), NumericBox::ExitCode::Enter);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_TRUE(box->dataChanged());
    EXPECT_EQ(box->text(), QStringLiteral("2,500"));
}

TEST_F(NumericBoxTest, TabAndShiftTabAreTold) {
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(box->exitCode(), NumericBox::ExitCode::Tab);
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(box->exitCode(), NumericBox::ExitCode::BackTab);
    EXPECT_TRUE(before->hasFocus());
}

TEST_F(NumericBoxTest, TextThatIsNoNumberKeepsTheOldValue) {
    box->setValue(800);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("8x0"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->value(), 800.0);
}

TEST_F(NumericBoxTest, FillingFromARecordDoesNotMarkAChange) {
    box->fill(12000000);
    EXPECT_FALSE(box->dataChanged());
    EXPECT_EQ(box->value(), 1200.0);
}

TEST_F(NumericBoxTest, LeavingByMouseIsTold) {
    QTest::keyClicks(box, QStringLiteral("75"));
    QTest::mouseClick(after, Qt::LeftButton);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(box->exitCode(), NumericBox::ExitCode::Mouse);
    EXPECT_EQ(box->value(), 75.0);
}
