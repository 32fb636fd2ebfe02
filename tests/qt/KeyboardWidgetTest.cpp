// The combo control as a user drives it on Qt's offscreen platform: two real controls and a line
// edit on one form; the list opened by keys, the button and hot keys, picked by keys and the
// pointer, closed by a press elsewhere that never reaches the other widget; focus moved by
// arrows, Return and Tab, and held by a FocusMove veto.
#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/core/paint/ControlWindow.h"
#include "control/list/ListModel.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlHooks.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"
#include "tests/qt/QtPaintSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace vantil::test {
namespace {

using plat::automation::DispId;
using plat::automation::Variant;

// Records event names in order; handlers may answer by-reference arguments.
struct Recorder : plat::automation::EventSink {
    std::vector<DispId> events;
    std::vector<std::pair<std::int16_t, std::int16_t>> keyDowns;
    std::map<DispId, std::function<void(std::span<Variant>)>> handlers;
    void onEvent(DispId id, std::span<Variant> args) override {
        if (id == events::MouseMove) {
            return;
        }
        events.push_back(id);
        if (id == events::KeyDown) {
            keyDowns.emplace_back(args[0].deref().toShort(), args[1].toShort());
        }
        if (auto h = handlers.find(id); h != handlers.end()) {
            h->second(args);
        }
    }
    int count(DispId id) const {
        return static_cast<int>(std::count(events.begin(), events.end(), id));
    }
    std::vector<DispId> only(std::initializer_list<DispId> ids) const {
        std::vector<DispId> out;
        for (const DispId e : events) {
            if (std::find(ids.begin(), ids.end(), e) != ids.end()) {
                out.push_back(e);
            }
        }
        return out;
    }
};

struct Box {
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    std::unique_ptr<ListModel> model;
    Recorder rec;
    ControlWidget* widget = nullptr;

    Box(QWidget& form, int y) {
        site.parent = &form;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        model = std::make_unique<ListModel>(ctrl);
        ctrl.setListEngine(model.get());
        ctrl.advise(&rec);
        ctrl.activateInPlace(0, y, 200, 22);
        widget = static_cast<QtControlView*>(ctrl.view())->widget();
    }
    ~Box() {
        ctrl.unadvise(&rec);
        ctrl.close();
        ctrl.setListEngine(nullptr);
    }
    void set(std::u16string_view name, Variant v) { plat::automation::putProperty(ctrl, name, v); }
    Variant get(std::u16string_view name) { return plat::automation::getProperty(ctrl, name); }
    void add(std::string_view utf8) {
        plat::automation::callMethod(ctrl, u"AddItem", {Variant::missing(), Variant::fromUtf8(utf8)});
    }
    std::int32_t listIndex() { return get(u"ListIndex").toLong(); }
    std::int16_t cause() { return get(u"LostFocusCause").toShort(); }
    std::string text() const { return plat::text::cp932::toUtf8(ctrl.properties().text); }
    bool dropped() const { return widget->droppedState(); }
    CDxListCtrl& list() { return widget->listWindow(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(widget, k, m); }
};

struct Form {
    QApplication& app = qtApp();
    QWidget window;
    std::unique_ptr<Box> a;
    std::unique_ptr<Box> b;
    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
    int buttonClicks = 0;

    explicit Form(QPoint at = QPoint(100, 100)) {
        installControlPlatform(&qtControlPlatform());
        a = std::make_unique<Box>(window, 0);
        b = std::make_unique<Box>(window, 30);
        edit = new QLineEdit(&window);
        edit->setGeometry(0, 60, 200, 22);
        button = new QPushButton(QStringLiteral("OK"), &window);
        button->setGeometry(0, 90, 80, 24);
        QObject::connect(button, &QPushButton::pressed, [this] { ++buttonClicks; });
        window.resize(220, 120);
        window.move(at);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
        a->widget->setFocus();
        QCoreApplication::processEvents();
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
};

// Text typed as a keyboard with an input method sends it: one key event per character.
void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// The pointer moved to `local` of `w` with no button held.
void moveTo(QWidget* w, QPoint local) {
    QMouseEvent move(QEvent::MouseMove, QPointF(local), w->mapToGlobal(QPointF(local)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A left click at `local` of `w` as the window system delivers it: to the window first, where
// the application gives focus to the widget under the pointer before the widget sees it.
void windowClick(QWidget* w, QPoint local) {
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      w->mapTo(w->window(), local));
}

// A left click at `local` of `w`, through the application as the window system delivers it.
void clickAt(QWidget* w, QPoint local) {
    const QPointF global = w->mapToGlobal(QPointF(local));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
    QCoreApplication::processEvents();
}

TEST(KeyboardWidget, TypeF4DownReturnRaisesTheEventsInOrderAndCommitsTheRow) {
    Form f;
    Box& a = *f.a;
    for (const char* t : {"札幌", "仙台", "東京", "名古屋"}) {
        a.add(t);
    }
    typeText(a.widget, QStringLiteral("仙"));
    a.key(Qt::Key_F4);
    ASSERT_TRUE(a.dropped());
    EXPECT_EQ(a.listIndex(), 1) << "the typed text is matched on opening";
    EXPECT_EQ(a.text(), "仙台");
    a.key(Qt::Key_Down);
    EXPECT_TRUE(a.dropped());
    EXPECT_EQ(a.listIndex(), 2);
    EXPECT_EQ(a.text(), "東京");
    a.key(Qt::Key_Return);
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.listIndex(), 2);
    EXPECT_EQ(a.rec.only({events::ChangeText, events::DropDown, events::Click, events::CloseUp}),
              (std::vector<DispId>{events::ChangeText, events::DropDown, events::Click,
                                   events::Click, events::CloseUp}));
    for (const auto& [code, shift] : a.rec.keyDowns) {
        EXPECT_NE(code, 13) << "Return never raises KeyDown";
        EXPECT_NE(code, 115) << "F4 never raises KeyDown";
    }
    EXPECT_EQ(f.focused(), a.widget);
}

TEST(KeyboardWidget, DefaultKeysOffLeaveF4AndAltDownAloneAndEscapeRestoresTheRow) {
    Form f;
    Box& a = *f.a;
    a.add("一");
    a.add("二");
    a.set(u"EnableDefaultDropCloseKeys", Variant(false));
    a.key(Qt::Key_F4);
    a.key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.rec.count(events::DropDown), 0);
    ASSERT_FALSE(a.rec.keyDowns.empty());
    EXPECT_EQ(a.rec.keyDowns.back(), (std::pair<std::int16_t, std::int16_t>{40, 4}))
        << "Alt+Down raised KeyDown, F4 did not";
    for (const auto& [code, shift] : a.rec.keyDowns) {
        EXPECT_NE(code, 115);
    }

    a.set(u"EnableDefaultDropCloseKeys", Variant(true));
    a.key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(a.dropped());
    a.key(Qt::Key_Down);
    a.key(Qt::Key_Down);
    EXPECT_EQ(a.listIndex(), 1);
    a.key(Qt::Key_Escape);
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.listIndex(), -1) << "Escape takes back what the arrows committed while open";
}

TEST(KeyboardWidget, HotKeyRaisesKeyDownFirstAndAHandlerCanCancelIt) {
    Form f;
    Box& a = *f.a;
    a.add("甲");
    a.set(u"DropDownVKeyCode", Variant(std::int16_t{113})); // F2
    a.set(u"CloseUpVKeyCode", Variant(std::int16_t{113}));
    a.key(Qt::Key_F2);
    ASSERT_EQ(a.rec.keyDowns.size(), 1u);
    EXPECT_EQ(a.rec.keyDowns[0], (std::pair<std::int16_t, std::int16_t>{113, 0}));
    EXPECT_TRUE(a.dropped());
    a.key(Qt::Key_F2);
    EXPECT_FALSE(a.dropped()) << "the same key and modifiers close the open list";

    a.rec.handlers[events::KeyDown] = [](std::span<Variant> args) {
        args[0].assign(Variant(std::int16_t{0}));
    };
    a.key(Qt::Key_F2);
    EXPECT_FALSE(a.dropped());

    // Alt+Ctrl as the modifiers: KeyDown reports them in its own encoding.
    a.rec.handlers.clear();
    a.rec.keyDowns.clear();
    a.set(u"DropDownModifierFlags", Variant(std::int16_t{4}));
    a.key(Qt::Key_F2);
    EXPECT_FALSE(a.dropped()) << "without its modifiers F2 is no hot key any more";
    a.key(Qt::Key_F2, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_TRUE(a.dropped());
    EXPECT_EQ(a.rec.keyDowns.back(), (std::pair<std::int16_t, std::int16_t>{113, 6}));
}

TEST(KeyboardWidget, ArrowsAndReturnMoveFocusWithTheirCause) {
    Form f;
    Box& a = *f.a;
    Box& b = *f.b;
    for (const char* t : {"一", "二", "三"}) {
        a.add(t);
    }
    a.set(u"LostFocusAtVertArrow", Variant(std::int16_t{2}));
    a.set(u"ListIndex", Variant(std::int32_t{0}));
    a.key(Qt::Key_Down);
    EXPECT_EQ(a.listIndex(), 1) << "row 1 of 3 current: Down moves the highlight";
    EXPECT_EQ(f.focused(), a.widget);
    a.key(Qt::Key_Down);
    a.key(Qt::Key_Down);
    EXPECT_EQ(f.focused(), b.widget) << "at the last row Down moves focus";
    EXPECT_EQ(a.cause(), 4);
    EXPECT_EQ(a.listIndex(), 2);

    b.set(u"LostFocusAtHorzArrow", Variant(std::int16_t{2}));
    QTest::keyClicks(b.widget, QStringLiteral("ab"));
    b.key(Qt::Key_Left);
    EXPECT_EQ(f.focused(), b.widget) << "the caret was not at 0";
    b.key(Qt::Key_Home);
    b.key(Qt::Key_Left);
    EXPECT_EQ(f.focused(), a.widget);
    EXPECT_EQ(b.cause(), 1);
    EXPECT_EQ(a.cause(), 0) << "gaining focus clears the cause";

    a.set(u"TreatEnterAsTab", Variant(true));
    a.key(Qt::Key_Return);
    EXPECT_EQ(f.focused(), b.widget);
    EXPECT_EQ(a.cause(), 5);
    b.set(u"TreatEnterAsTab", Variant(true));
    b.key(Qt::Key_End);
    b.key(Qt::Key_Return);
    EXPECT_EQ(f.focused(), f.edit) << "Return goes on to the line edit";
    b.widget->setFocus();
    b.key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(f.focused(), a.widget) << "Shift+Return goes back";
    EXPECT_EQ(a.rec.count(events::KeyPress), 0) << "Return types nothing";
}

TEST(KeyboardWidget, PressOutsideTheOpenListClosesItAndGoesNoFurther) {
    Form f;
    Box& a = *f.a;
    for (const char* t : {"一", "二", "三"}) {
        a.add(t);
    }
    a.set(u"ListIndex", Variant(std::int32_t{0}));
    a.key(Qt::Key_F4);
    ASSERT_TRUE(a.dropped());
    // The pointer highlights another row without committing it.
    QWidget* rows = a.list().viewport();
    const int rowHeight = a.ctrl.properties().defHeight;
    moveTo(rows, QPoint(20, a.list().headerHeight() + 2 * rowHeight + rowHeight / 2));
    EXPECT_EQ(a.list().highlighted(), 2);
    EXPECT_EQ(a.listIndex(), 0);

    windowClick(f.button, QPoint(10, 10));
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.listIndex(), 0);
    EXPECT_EQ(f.buttonClicks, 0) << "the press was swallowed";
    EXPECT_EQ(f.focused(), a.widget);
    EXPECT_FALSE(ControlHooks::installed()) << "the last user removed the program-wide filter";

    // A click on a row commits it and closes the list.
    a.key(Qt::Key_F4);
    const QPoint row1(20, a.list().headerHeight() + rowHeight + rowHeight / 2);
    moveTo(rows, row1);
    clickAt(rows, row1);
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.listIndex(), 1);
    EXPECT_EQ(a.text(), "二");
}

TEST(KeyboardWidget, ButtonStripTogglesTheListAndDragIntoTheListPicks) {
    Form f;
    Box& a = *f.a;
    for (const char* t : {"一", "二", "三"}) {
        a.add(t);
    }
    f.edit->setFocus();
    const Rect strip = a.widget->controlWindow().layout().buttonRect;
    const QPoint onButton((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
    QTest::mousePress(a.widget, Qt::LeftButton, Qt::NoModifier, onButton);
    EXPECT_EQ(f.focused(), a.widget) << "the button takes focus";
    EXPECT_TRUE(a.dropped());
    // Dragged from the button onto row 2 and released there: that row is picked.
    const int rowHeight = a.ctrl.properties().defHeight;
    const QPoint overRow =
        a.list().viewport()->mapToGlobal(QPoint(20, a.list().headerHeight() + 2 * rowHeight + 3));
    QMouseEvent move(QEvent::MouseMove, a.widget->mapFromGlobal(QPointF(overRow)),
                     QPointF(overRow), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(a.widget, &move);
    QMouseEvent up(QEvent::MouseButtonRelease, a.widget->mapFromGlobal(QPointF(overRow)),
                   QPointF(overRow), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(a.widget, &up);
    EXPECT_FALSE(a.dropped());
    EXPECT_EQ(a.listIndex(), 2);
    EXPECT_EQ(a.rec.only({events::DropDown, events::Click, events::CloseUp}),
              (std::vector<DispId>{events::DropDown, events::Click, events::CloseUp}));
}

TEST(KeyboardWidget, VetoingFocusMoveKeepsFocusAgainstTabAndClicks) {
    Form f;
    Box& a = *f.a;
    a.set(u"CausesFocusMovement", Variant(true));
    int asked = 0;
    a.rec.handlers[events::FocusMove] = [&asked](std::span<Variant> args) {
        ++asked;
        args[0].assign(Variant(true));
    };
    QTest::keyClick(a.widget, Qt::Key_Tab);
    EXPECT_EQ(f.focused(), a.widget);
    windowClick(f.edit, QPoint(5, 5));
    EXPECT_EQ(f.focused(), a.widget);
    EXPECT_EQ(asked, 2);

    a.rec.handlers.clear();
    QTest::keyClick(a.widget, Qt::Key_Tab);
    EXPECT_EQ(f.focused(), f.b->widget);
    a.set(u"CausesFocusMovement", Variant(false));
    EXPECT_FALSE(ControlHooks::installed());
}

TEST(KeyboardWidget, KanaFoldedTypingFindsItsRowAndTheCaptionAcceleratorFocuses) {
    Form f;
    Box& b = *f.b;
    b.add("アイウ");
    b.add("カキク");
    b.set(u"IgnoreKanaCase", Variant(true));
    b.widget->setFocus();
    typeText(b.widget, QStringLiteral("かき"));
    b.key(Qt::Key_F4);
    EXPECT_EQ(b.listIndex(), 1);
    EXPECT_EQ(b.text(), "カキク");
    EXPECT_TRUE(b.get(u"MatchedWithList").toBool());
    b.key(Qt::Key_Escape);

    b.set(u"Caption", Variant::fromUtf8("現場(&G)"));
    b.set(u"CaptionAccelerator", Variant(true));
    f.edit->setFocus();
    QTest::keyClick(f.edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(f.focused(), b.widget);
}

TEST(KeyboardWidget, ListOpensBelowTheInputAreaOrAboveItNearTheScreensBottom) {
    for (const bool nearBottom : {false, true}) {
        QApplication& app = qtApp();
        (void)app;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Form f(nearBottom ? QPoint(100, screen.bottom() - 60) : QPoint(100, 100));
        Box& a = *f.a;
        for (int i = 0; i < 20; ++i) {
            a.add("行" + std::to_string(i));
        }
        a.set(u"DroppedRows", Variant(std::int16_t{8}));
        a.set(u"DefHeight", Variant(std::int16_t{17}));
        a.key(Qt::Key_F4);
        ASSERT_TRUE(a.dropped());
        const Rect in = a.widget->controlWindow().inputArea();
        const QRect input(a.widget->mapToGlobal(QPoint(in.left, in.top)), QSize(in.width(), in.height()));
        const QRect list = a.list().frameGeometry();
        EXPECT_EQ(list.height(), a.list().headerHeight() + 8 * 17 + 4 - 2);
        if (nearBottom) {
            EXPECT_EQ(list.bottom(), input.top() - 2 - 1);
        } else {
            EXPECT_EQ(list.top(), input.bottom() + 1 + 2);
        }
        a.key(Qt::Key_Escape);
    }
}

} // namespace
} // namespace vantil::test
