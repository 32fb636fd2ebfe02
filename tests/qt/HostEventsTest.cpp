// Hosts that act inside the control's events: a handler that closes and destroys the control
// from DropDown, CloseUp, Click, KeyDown, KeyPress, ChangeText, MouseDown, FocusMove,
// BeforePopup, MenuClicked or OLEDragDrop ends the event without the control or its windows
// being touched afterwards (run under AddressSanitizer, where any later touch is a fault); a
// font object the host keeps after the control is gone; a FocusMove handler that turns the
// focus guard off from inside the program-wide filter.
#include "control/core/CVantilCtrl.h"
#include "control/core/DragDrop.h"
#include "control/core/EventTable.h"
#include "control/list/ListModel.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlHooks.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/HostSite.h"
#include "tests/qt/QtPaintSupport.h"

#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace vantil::test {
namespace {

using plat::automation::DispId;
using plat::automation::Variant;

// A form with one control the host owns alone and a line edit to move focus to. `destroyOn`
// names the event whose handler closes and releases the control.
struct Host : plat::automation::EventSink {
    QApplication& app = qtApp();
    QWidget form;
    QLineEdit* other = nullptr;
    plat::automation::SimpleHostSite site;
    std::unique_ptr<CVantilCtrl> ctrl;
    QPointer<ControlWidget> widget;
    DispId destroyOn = 0;
    std::vector<DispId> seen;

    Host() {
        installControlPlatform(&qtControlPlatform());
        installListEngineFactory(&createListModel);
        site.parent = &form;
        ctrl = std::make_unique<CVantilCtrl>();
        ctrl->setClientSite(&site);
        ctrl->initNew();
        ctrl->advise(this);
        ctrl->activateInPlace(0, 0, 200, 22);
        widget = static_cast<QtControlView*>(ctrl->view())->widget();
        other = new QLineEdit(&form);
        other->setGeometry(0, 40, 200, 22);
        form.resize(220, 80);
        form.show();
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
        for (const char* t : {"一", "二", "三"}) {
            callMethod(u"AddItem", {Variant::missing(), Variant::fromUtf8(t)});
        }
        widget->setFocus();
        QCoreApplication::processEvents();
    }
    ~Host() override {
        if (ctrl) {
            ctrl->unadvise(this);
            ctrl->close();
        }
    }
    void onEvent(DispId id, std::span<Variant>) override {
        if (id == events::MouseMove) {
            return;
        }
        seen.push_back(id);
        if (id == destroyOn && ctrl) {
            ctrl->close();
            ctrl.reset();
        }
    }
    void callMethod(std::u16string_view name, std::vector<Variant> args) {
        plat::automation::callMethod(*ctrl, name, std::move(args));
    }
    void set(std::u16string_view name, Variant v) { plat::automation::putProperty(*ctrl, name, v); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        if (widget) {
            QTest::keyClick(widget, k, m);
        }
    }
    bool dropped() const { return widget && widget->droppedState(); }
    // The event loop runs the deferred deletion of the control's windows.
    void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

// One scenario: what is set up, and the user's action that raises `event`.
struct Scenario {
    const char* name;
    DispId event;
    std::function<void(Host&)> prepare;
    std::function<void(Host&)> act;
};

void openWithF4(Host& h) {
    h.key(Qt::Key_F4);
}

void clickAt(QWidget* w, QPoint local, Qt::MouseButton button) {
    QTest::mouseClick(w->window()->windowHandle(), button, Qt::NoModifier,
                      w->mapTo(w->window(), local));
}

TEST(HostEvents, AHandlerThatDestroysTheControlEndsEveryEventCleanly) {
    const std::vector<Scenario> scenarios = {
        {"DropDown", events::DropDown, nullptr, openWithF4},
        {"CloseUp by Escape", events::CloseUp, openWithF4,
         [](Host& h) { h.key(Qt::Key_Escape); }},
        {"CloseUp by Return", events::CloseUp, openWithF4,
         [](Host& h) { h.key(Qt::Key_Return); }},
        {"Click by Down", events::Click, nullptr, [](Host& h) { h.key(Qt::Key_Down); }},
        {"Click in the open list", events::Click, openWithF4,
         [](Host& h) {
             CDxListCtrl& list = h.widget->listWindow();
             QWidget* viewport = list.findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
             QWidget* target = viewport ? viewport : static_cast<QWidget*>(&list);
             QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                               QPoint(10, target->height() - 8));
         }},
        {"KeyDown", events::KeyDown, nullptr, [](Host& h) { h.key(Qt::Key_Home); }},
        {"KeyPress", events::KeyPress, nullptr, [](Host& h) { h.key(Qt::Key_A); }},
        {"ChangeText", events::ChangeText, nullptr, [](Host& h) { h.key(Qt::Key_A); }},
        {"MouseDown", events::MouseDown, nullptr,
         [](Host& h) { clickAt(h.widget, QPoint(20, 10), Qt::LeftButton); }},
        {"FocusMove by Tab", events::FocusMove,
         [](Host& h) { h.set(u"CausesFocusMovement", Variant(true)); },
         [](Host& h) { h.key(Qt::Key_Tab); }},
        {"FocusMove by a click elsewhere", events::FocusMove,
         [](Host& h) { h.set(u"CausesFocusMovement", Variant(true)); },
         [](Host& h) { clickAt(h.other, QPoint(10, 10), Qt::LeftButton); }},
        {"BeforePopup", events::BeforePopup, nullptr,
         [](Host& h) { clickAt(h.widget, QPoint(20, 10), Qt::RightButton); }},
        {"MenuClicked", events::MenuClicked,
         [](Host& h) {
             h.set(u"Text", Variant(std::u16string(u"abc")));
             // Select all is chosen by its access key once the menu shows.
             auto* chooser = new QTimer(&h.form);
             QObject::connect(chooser, &QTimer::timeout, chooser, [chooser] {
                 if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                     chooser->stop();
                     QTest::keyClick(menu, Qt::Key_A); // its access key
                 }
             });
             chooser->start(0);
         },
         [](Host& h) { clickAt(h.widget, QPoint(20, 10), Qt::RightButton); }},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Host h;
        if (s.prepare) {
            s.prepare(h);
        }
        h.destroyOn = s.event;
        s.act(h);
        h.settle();
        EXPECT_EQ(h.ctrl, nullptr) << "the event was raised and its handler ran";
        EXPECT_TRUE(h.widget.isNull()) << "the control's window went with it";
        EXPECT_EQ(h.form.findChild<ControlWidget*>(), nullptr);
    }
}

TEST(HostEvents, ADropHandlerThatDestroysTheControlEndsTheDropCleanly) {
    Host h;
    h.set(u"OLEDropMode", Variant(std::int16_t{1}));
    h.destroyOn = events::OLEDragDrop;
    DropPoint at;
    at.text = "abc";
    (void)h.ctrl->dragDrop().dragOver(at, DragState::Enter);
    (void)h.ctrl->dragDrop().drop(at);
    h.settle();
    EXPECT_EQ(h.ctrl, nullptr);
    EXPECT_TRUE(h.widget.isNull());
}

TEST(HostEvents, AFontTheHostKeepsNoLongerReachesADestroyedControl) {
    Host h;
    const Variant font = plat::automation::getProperty(*h.ctrl, u"Font");
    auto* object = dynamic_cast<plat::automation::FontObject*>(font.asObject().get());
    ASSERT_NE(object, nullptr);
    h.ctrl->close();
    h.ctrl.reset();
    h.settle();
    object->setBold(true); // would call into the freed control
    EXPECT_TRUE(object->desc().bold());
}

TEST(HostEvents, AFocusMoveHandlerThatTurnsTheGuardOffKeepsTheFilterWhileItRuns) {
    Host h;
    h.set(u"CausesFocusMovement", Variant(true));
    ASSERT_TRUE(ControlHooks::installed());
    struct Veto : plat::automation::EventSink {
        CVantilCtrl* ctrl = nullptr;
        int asked = 0;
        void onEvent(DispId id, std::span<Variant> args) override {
            if (id != events::FocusMove) {
                return;
            }
            ++asked;
            plat::automation::putProperty(*ctrl, u"CausesFocusMovement", Variant(false));
            args[0].assign(Variant(true));
        }
    } veto;
    veto.ctrl = h.ctrl.get();
    h.ctrl->advise(&veto);
    clickAt(h.other, QPoint(10, 10), Qt::LeftButton); // the filter asks, the handler unhooks it
    h.settle();
    EXPECT_EQ(veto.asked, 1);
    EXPECT_FALSE(ControlHooks::installed());
    EXPECT_EQ(QApplication::focusWidget(), h.widget.data()) << "the veto held";
    h.ctrl->unadvise(&veto);
}

} // namespace
} // namespace vantil::test
