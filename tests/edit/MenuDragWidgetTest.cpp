// The context menu and text drag and drop in the control's real window on Qt: the right button
// opens a QMenu whose choice runs the command, and plain text travels between the control and
// a QLineEdit through Qt's drag-and-drop events and mime data.
#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "platform/automation/EventSink.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"
#include "tests/qt/QtPaintSupport.h"

#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

using plat::automation::DispId;
using plat::automation::Variant;

struct Recorder : plat::automation::EventSink {
    std::vector<std::pair<DispId, Variant>> raised; // each event with its first argument
    void onEvent(DispId id, std::span<Variant> args) override {
        raised.emplace_back(id, args.empty() ? Variant() : args[0].deref());
    }
};

struct Window {
    QApplication& app = qtApp();
    QWidget host;
    QLineEdit* line = new QLineEdit(&host);
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    Recorder events;
    ControlWidget* widget = nullptr;

    // `shown` false: the window exists but has not been shown or painted yet.
    explicit Window(bool shown = true) {
        installControlPlatform(&qtControlPlatform());
        site.parent = &host;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        ctrl.activateInPlace(0, 0, 240, 24);
        widget = static_cast<QtControlView*>(ctrl.view())->widget();
        line->setGeometry(0, 30, 240, 24);
        host.resize(240, 60);
        ctrl.advise(&events);
        if (shown) {
            host.show();
            host.activateWindow();
            widget->setFocus();
            QCoreApplication::processEvents();
            events.raised.clear();
        }
    }
    ~Window() { ctrl.close(); }
    std::string text() const { return plat::text::cp932::toUtf8(ctrl.properties().text); }
    // A point of the input area whose nearest character position is `index`.
    QPoint pointAt(std::int32_t index) {
        for (int x = 0; x < widget->width(); ++x) {
            if (widget->charIndexAt(QPoint(x, 12)) == index) {
                return QPoint(x, 12);
            }
        }
        ADD_FAILURE() << "no point of the input area is at character " << index;
        return {};
    }
};

TEST(MenuDragWidget, RightButtonOpensTheMenuAndItsAccessKeyRunsTheCommand) {
    Window w;
    QTest::keyClicks(w.widget, QStringLiteral("abc"));
    QTest::keyClick(w.widget, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (const QAction* a : menu->actions()) {
            shown << (a->isSeparator() ? QStringLiteral("-")
                                       : (a->isEnabled() ? a->text() : "[" + a->text() + "]"));
        }
        QTest::keyClick(menu, Qt::Key_C);
    });
    QTest::mouseClick(w.widget, Qt::RightButton, {}, QPoint(20, 12));
    EXPECT_EQ(shown.join(QLatin1Char('|')),
              QStringLiteral("元に戻す(&U)|-|切り取り(&T)|ｺﾋﾟｰ(&C)|[貼り付け(&P)]|削除(&D)|-|"
                             "すべて選択(&A)"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    ASSERT_FALSE(w.events.raised.empty());
    EXPECT_EQ(w.events.raised.back().first, events::MenuClicked);
    EXPECT_EQ(w.events.raised.back().second.toLong(), 2);
    EXPECT_TRUE(w.ctrl.editArea().focused()) << "the control's own menu took no focus away";
}

// Delivers a drag that enters `target` at `at` and drops there; the drop action it took.
Qt::DropAction dropOn(QWidget& target, const QMimeData& data, QPoint at, Qt::DropActions allowed) {
    QDragEnterEvent enter(at, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) {
        return Qt::IgnoreAction;
    }
    QDropEvent drop(QPointF(at), allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST(MenuDragWidget, TextTravelsToALineEditAndBackAndAnAutomaticDropInsertsAtThePointer) {
    Window w;
    QTest::keyClicks(w.widget, QStringLiteral("abcd"));
    EXPECT_FALSE(w.widget->acceptDrops()) << "OLEDropMode 0 registers no drop target";
    plat::automation::putProperty(w.ctrl, u"OLEDropMode", std::int16_t{2});
    EXPECT_TRUE(w.widget->acceptDrops());

    // Out: the control's selection as the drag carries it, dropped into the line edit.
    w.ctrl.editArea().setSelStart(1);
    w.ctrl.editArea().setSelLength(2);
    const auto out = QtDragDrop::mimeData(w.ctrl.editArea().buffer().selectedBytes());
    EXPECT_EQ(out->text(), QStringLiteral("bc"));
    EXPECT_NE(dropOn(*w.line, *out, QPoint(5, 5), Qt::CopyAction | Qt::MoveAction),
              Qt::IgnoreAction);
    EXPECT_EQ(w.line->text(), QStringLiteral("bc"));

    // Back: the line edit's text dropped between "a" and "b" of the control.
    QMimeData back;
    back.setText(QStringLiteral("日本"));
    w.events.raised.clear();
    EXPECT_EQ(dropOn(*w.widget, back, w.pointAt(1), Qt::CopyAction | Qt::MoveAction),
              Qt::MoveAction);
    EXPECT_EQ(w.text(), "a日本bcd");
    ASSERT_FALSE(w.events.raised.empty());
    EXPECT_EQ(w.events.raised.back().first, events::ChangeText);

    // A source that only copies gets a copy; data without plain text is refused.
    EXPECT_EQ(dropOn(*w.widget, back, w.pointAt(0), Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(w.text(), "日本a日本bcd");
}

TEST(MenuDragWidget, PressAndMoveOnTheSelectionRunsTheDragWhileAClickPlacesTheCaret) {
    Window w;
    QTest::keyClicks(w.widget, QStringLiteral("abcd"));
    plat::automation::putProperty(w.ctrl, u"OLEDragMode", std::int16_t{1});
    w.ctrl.editArea().selectAll(true);
    const QPoint on = w.pointAt(2);

    // A click on the selection without a move is an ordinary click.
    QTest::mouseClick(w.widget, Qt::LeftButton, {}, on);
    EXPECT_EQ(w.ctrl.editArea().buffer().caret(), 2);
    EXPECT_FALSE(w.ctrl.editArea().buffer().hasSelection());

    w.ctrl.editArea().selectAll(true);
    w.events.raised.clear();
    QTest::mousePress(w.widget, Qt::LeftButton, {}, on);
    QMouseEvent move(
        QEvent::MouseMove, QPointF(on + QPoint(QApplication::startDragDistance() + 2, 0)),
        w.widget->mapToGlobal(QPointF(on)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.widget, &move);
    QTest::mouseRelease(w.widget, Qt::LeftButton, {}, on);
    std::vector<DispId> ids;
    for (const auto& e : w.events.raised) {
        ids.push_back(e.first);
    }
    // The offscreen platform ends every drag loop at once without a drop.
    EXPECT_EQ(ids, (std::vector<DispId>{events::MouseDown, events::OLEStartDrag,
                                        events::OLECompleteDrag, events::MouseUp}));
    ASSERT_EQ(w.events.raised.size(), 4u);
    EXPECT_EQ(w.events.raised[2].second.toLong(), 0) << "no effect: nothing was dropped";
    EXPECT_EQ(w.text(), "abcd");
}

TEST(MenuDragWidget, OnlyADoubleClickBeforeTheFirstPaintIsTheDblClickEvent) {
    Window w(false);
    const auto doubleClick = [&w] {
        QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(20, 12),
                      w.widget->mapToGlobal(QPointF(20, 12)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w.widget, &e);
    };
    doubleClick();
    w.host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.host));
    w.widget->repaint();
    doubleClick();
    const auto& raised = w.events.raised;
    EXPECT_EQ(std::count_if(raised.begin(), raised.end(),
                            [](const auto& e) { return e.first == events::DblClick; }),
              1);
    EXPECT_EQ(raised.at(0).first, events::DblClick);
}

} // namespace
} // namespace vantil::test
