// The date box: month keys, the lower limit of December 2001 and the upper limit that moves
// with the calendar, typed months and stepping.
#include "platform/widgets/DateBox.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QTest>

#include <gtest/gtest.h>

using plat::text::DateTime;
using plat::widgets::DateBox;

class DateBoxTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::qtApp(); }
    // The calendar is pinned, so a run across a month's end sees one month throughout.
    const DateTime today{2004, 4, 17, 9, 30, 0};
    const DateTime thisMonth{2004, 4, 1};
};

TEST_F(DateBoxTest, StartsOnTheCurrentMonthAndHoldsFirstDays) {
    DateBox box;
    box.setValue({2002, 1, 1});
    box.setToday(today);
    EXPECT_EQ(box.value(), thisMonth);
    box.setValue({2004, 4, 17, 13, 5, 0});
    EXPECT_EQ(box.value(), (DateTime{2004, 4, 1}));
    EXPECT_EQ(box.text(), QStringLiteral("2004/04"));
}

TEST_F(DateBoxTest, LimitsAreDecember2001AndThreeMonthsAfterTheCurrentMonth) {
    DateBox box;
    box.setToday(today);
    EXPECT_EQ(box.maximum(), (DateTime{2004, 7, 1}));
    box.setValue({2001, 11, 1});
    EXPECT_EQ(box.value(), (DateTime{2001, 12, 1}));
    box.setValue({2999, 1, 1});
    EXPECT_EQ(box.value(), (DateTime{2004, 7, 1}));
    EXPECT_FALSE(box.step(1));
    // The limit moves with the calendar, across a year's end too.
    box.setToday({2004, 11, 30});
    EXPECT_EQ(box.maximum(), (DateTime{2005, 2, 1}));
    box.setValue({2001, 12, 1});
    EXPECT_FALSE(box.step(-1));
    EXPECT_TRUE(box.step(1));
    EXPECT_EQ(box.value(), (DateTime{2002, 1, 1}));
}

TEST_F(DateBoxTest, ReadsTypedMonthsInTheUsualSpellings) {
    const std::pair<const char*, std::optional<DateTime>> cases[] = {
        {"2004/4", DateTime{2004, 4, 1}},
        {"2004/04", DateTime{2004, 4, 1}},
        {"200412", DateTime{2004, 12, 1}},
        {"2004-11", DateTime{2004, 11, 1}},
        {" 2005/1 ", DateTime{2005, 1, 1}},
        {"2004/13", std::nullopt},
        {"2004/0", std::nullopt},
        {"04/04", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DateBox::parse(QString::fromUtf8(text), DateBox::Mode::YearMonth), expected)
            << text;
    EXPECT_EQ(DateBox::parse(QStringLiteral("2004"), DateBox::Mode::Year), (DateTime{2004, 1, 1}));
    EXPECT_EQ(DateBox::parse(QStringLiteral("2004/04"), DateBox::Mode::Year), std::nullopt);
}

TEST_F(DateBoxTest, TypingAMonthOutsideTheLimitsKeepsTheOldMonth) {
    QWidget window;
    auto* box = new DateBox(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    box->setValue({2004, 4, 1});

    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("2001/11"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->value(), (DateTime{2004, 4, 1}));
    EXPECT_EQ(box->text(), QStringLiteral("2004/04"));

    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("2003/2"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->value(), (DateTime{2003, 2, 1}));

    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->value(), (DateTime{2003, 3, 1}));
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->value(), (DateTime{2003, 1, 1}));
}

TEST_F(DateBoxTest, YearModeShowsTheYearAndStepsByYears) {
    DateBox box;
    box.setMode(DateBox::Mode::Year);
    box.setValue({2004, 7, 1});
    EXPECT_EQ(box.value(), (DateTime{2004, 1, 1}));
    EXPECT_EQ(box.text(), QStringLiteral("2004"));
    EXPECT_TRUE(box.step(-1));
    EXPECT_EQ(box.value(), (DateTime{2003, 1, 1}));
    box.setValue({2001, 1, 1});
    EXPECT_EQ(box.value(), (DateTime{2001, 1, 1})); // the year of the lower limit is allowed
    EXPECT_FALSE(box.step(-1));
}
