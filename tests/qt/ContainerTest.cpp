// The test container with the built library, created by its ProgID through the registry:
// property table with browser texts, edits that reach the control, and a mode switch that
// keeps the control's state.
#include "platform/automation/Dispatch.h"
#include "tests/qt/QtPaintSupport.h"
#include "tools/vantil-container/ContainerWindow.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

QTableWidgetItem* valueOf(QTableWidget* table, const QString& name) {
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == name) {
            return table->item(row, 1);
        }
    }
    return nullptr;
}

TEST(Container, ListsPropertiesEditsThemAndKeepsThemAcrossModes) {
    qtApp();
    vantilcontainer::ContainerWindow window(false);
    std::string message;
    ASSERT_TRUE(window.create(message)) << message;
    auto* table = window.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    QTableWidgetItem* position = valueOf(table, QStringLiteral("CaptionPosition"));
    ASSERT_NE(position, nullptr);
    EXPECT_TRUE(position->text().startsWith(QStringLiteral("0 - ")));
    EXPECT_TRUE(valueOf(table, QStringLiteral("BorderColor"))->text().startsWith("&H8000000"));

    valueOf(table, QStringLiteral("CaptionRatio"))->setText(QStringLiteral("45"));
    using plat::automation::getProperty;
    EXPECT_EQ(getProperty(*window.control(), u"CaptionRatio").toLong(), 45);
    // Numbers may be typed in hexadecimal as well.
    valueOf(table, QStringLiteral("CaptionRatio"))->setText(QStringLiteral("0x0"));
    EXPECT_EQ(getProperty(*window.control(), u"CaptionRatio").toLong(), 0);

    window.setDesignMode(true);
    EXPECT_EQ(getProperty(*window.control(), u"CaptionRatio").toLong(), 0);
    valueOf(table, QStringLiteral("CaptionRatio"))->setText(QStringLiteral("30"));
    window.setDesignMode(false);
    EXPECT_EQ(getProperty(*window.control(), u"CaptionRatio").toLong(), 30);
    EXPECT_EQ(valueOf(table, QStringLiteral("CaptionRatio"))->text(), QStringLiteral("30"));
}

} // namespace
} // namespace vantil::test
