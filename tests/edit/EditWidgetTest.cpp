// The input area in the control's real window on Qt: keys and composed text from Qt's events
// reach the edit model, the input method's queries are answered from it, the clipboard is
// Qt's, and IMEMode 3 turns the window's input method off while it has focus.
#include "control/core/CVantilCtrl.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"
#include "tests/qt/QtPaintSupport.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

struct Window {
    QApplication& app = qtApp();
    QWidget host;
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    ControlWidget* widget = nullptr;

    Window() {
        installControlPlatform(&qtControlPlatform());
        site.parent = &host;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        ctrl.activateInPlace(0, 0, 240, 24);
        widget = static_cast<QtControlView*>(ctrl.view())->widget();
        host.resize(240, 24);
        host.show();
        host.activateWindow();
        widget->setFocus();
        QCoreApplication::processEvents();
    }
    ~Window() { ctrl.close(); }
    std::string text() const { return plat::text::cp932::toUtf8(ctrl.properties().text); }
};

TEST(EditWidget, KeysAndComposedTextReachTheModelAndTheQueriesAnswerFromIt) {
    Window w;
    ASSERT_TRUE(w.widget->hasFocus());
    QTest::keyClicks(w.widget, QStringLiteral("abc"));
    QTest::keyClick(w.widget, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w.text(), "abc");
    EXPECT_EQ(w.widget->inputMethodQuery(Qt::ImCurrentSelection).toString(), QStringLiteral("c"));

    QInputMethodEvent preedit(QStringLiteral("にほん"), {});
    QCoreApplication::sendEvent(w.widget, &preedit);
    EXPECT_EQ(w.ctrl.editArea().composition(), plat::text::cp932::fromUtf8("にほん"));
    EXPECT_EQ(w.text(), "abc");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QCoreApplication::sendEvent(w.widget, &commit);
    EXPECT_EQ(w.text(), "ab日本") << "the committed text replaces the selection";
    EXPECT_TRUE(w.ctrl.editArea().composition().empty());
    EXPECT_EQ(w.widget->inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
    EXPECT_EQ(w.widget->inputMethodQuery(Qt::ImSurroundingText).toString(),
              QStringLiteral("ab日本"));
    EXPECT_EQ(w.widget->inputMethodQuery(Qt::ImCursorRectangle).toRect(), w.widget->caretRect());

    QTest::keyClick(w.widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.widget, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ab日本"));
    QGuiApplication::clipboard()->setText(QStringLiteral("貼"));
    QTest::keyClick(w.widget, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.text(), "貼");
    QTest::keyClick(w.widget, Qt::Key_Backspace);
    EXPECT_EQ(w.text(), "");
}

TEST(EditWidget, ImeModeThreeTurnsTheWindowsInputMethodOffWhileFocused) {
    Window w;
    w.widget->clearFocus();
    plat::automation::putProperty(w.ctrl, u"IMEMode", std::int16_t{3});
    w.widget->setFocus();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.widget->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(w.widget->testAttribute(Qt::WA_InputMethodEnabled));
    w.widget->clearFocus();
    EXPECT_TRUE(w.widget->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(w.ctrl.properties().imeMode, 3);
}

} // namespace
} // namespace vantil::test
