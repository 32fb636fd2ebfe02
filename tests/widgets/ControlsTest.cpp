// Control arrays dispatch by index; the text box tells whether its text was changed.
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/TextBox.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace plat::widgets;

TEST(ButtonArrayTest, APressReportsTheButtonsIndexNotItsPosition) {
    testsupport::qtApp();
    QWidget parent;
    ButtonArray array;
    array.add(7, QStringLiteral("seven"), &parent);
    array.add(0, QStringLiteral("zero"), &parent);
    array.add(5, QStringLiteral("five"), &parent);
    QSignalSpy spy(&array, &ButtonArray::clicked);

    QTest::mouseClick(array.button(5), Qt::LeftButton);
    array.press(7);
    array.press(3); // no such button
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toInt(), 5);
    EXPECT_EQ(spy[1][0].toInt(), 7);
    EXPECT_EQ(array.count(), 3);
    EXPECT_EQ(array.button(0)->text(), QStringLiteral("zero"));
    EXPECT_EQ(array.button(3), nullptr);
}

TEST(TextBoxTest, FillingDoesNotCountAsAChangeButTypingDoes) {
    testsupport::qtApp();
    TextBox box;
    box.fill(QStringLiteral("山田"));
    EXPECT_FALSE(box.dataChanged());
    QTest::keyClicks(&box, QStringLiteral("x"));
    EXPECT_TRUE(box.dataChanged());
    box.fill(QStringLiteral("田中"));
    EXPECT_FALSE(box.dataChanged());
    box.setText(QStringLiteral("code"));
    EXPECT_TRUE(box.dataChanged());
}
