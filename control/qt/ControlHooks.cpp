// One application event filter for the open lists and the focus vetoes of all control windows.
#include "control/qt/ControlHooks.h"

#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include <memory>

namespace vantil {

namespace {
std::unique_ptr<ControlHooks>& hooks() {
    static std::unique_ptr<ControlHooks> instance;
    return instance;
}

bool isPress(QEvent::Type t) {
    return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick;
}

// True when a press on `w` gives focus to it or to a widget around it.
bool takesClickFocus(QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
        if (auto* control = qobject_cast<ControlWidget*>(w)) {
            return control->takesClickFocus();
        }
        if ((w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            return true;
        }
        if (w->isWindow()) {
            break;
        }
    }
    return false;
}
} // namespace

bool ControlHooks::installed() {
    return hooks() != nullptr;
}

void ControlHooks::watchList(ControlWidget* control, bool on) {
    if (on) {
        if (!hooks()) {
            hooks() = std::make_unique<ControlHooks>();
        }
        hooks()->lists_.insert(control);
    } else if (hooks()) {
        hooks()->lists_.remove(control);
    }
    update();
}

void ControlHooks::guardFocus(ControlWidget* control, bool on) {
    if (on) {
        if (!hooks()) {
            hooks() = std::make_unique<ControlHooks>();
        }
        hooks()->guarded_.insert(control);
    } else if (hooks()) {
        hooks()->guarded_.remove(control);
    }
    update();
}

void ControlHooks::update() {
    std::unique_ptr<ControlHooks>& h = hooks();
    if (!h) {
        return;
    }
    const bool used = !h->lists_.isEmpty() || !h->guarded_.isEmpty();
    static bool filtering = false;
    if (used && !filtering && qApp) {
        qApp->installEventFilter(h.get());
        filtering = true;
    } else if (!used) {
        if (filtering && qApp) {
            qApp->removeEventFilter(h.get());
        }
        filtering = false;
        if (h->filtering_ > 0) {
            // A handler run from the filter (FocusMove turning CausesFocusMovement off, or
            // destroying the control) let the last user go: the filter is still running.
            h.release()->deleteLater();
        } else {
            h.reset();
        }
    }
}

// The widget under `global` in the top-level widget that owns `window`.
static QWidget* widgetUnder(QWindow* window, QPoint global) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == window) {
            QWidget* child = top->childAt(top->mapFromGlobal(global));
            return child != nullptr ? child : top;
        }
    }
    return nullptr;
}

bool ControlHooks::eventFilter(QObject* watched, QEvent* event) {
    ++filtering_;
    const bool swallowed = filter(watched, event);
    --filtering_;
    return swallowed;
}

bool ControlHooks::filter(QObject* watched, QEvent* event) {
    if (isPress(event->type())) {
        // A press from the window system reaches the window first, and the application gives
        // focus to the widget under the pointer before that widget's own filters run; so the
        // press is judged at the window. Presses sent straight to a widget are judged there.
        auto* mouse = static_cast<QMouseEvent*>(event);
        QWidget* target = nullptr;
        if (watched->isWindowType()) {
            target = widgetUnder(static_cast<QWindow*>(watched), mouse->globalPosition().toPoint());
        } else if (watched->isWidgetType()) {
            target = static_cast<QWidget*>(watched);
        }
        return target != nullptr && pointerPress(target, mouse);
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        return tabPress(event);
    }
    return false;
}

bool ControlHooks::pointerPress(QWidget* target, QMouseEvent* mouse) {
    const QPoint global = mouse->globalPosition().toPoint();
    auto* focused = qobject_cast<ControlWidget*>(QApplication::focusWidget());
    if (focused == nullptr) {
        return false;
    }
    // A left press outside the focused control's open list cancels it and goes no further.
    // The control's handlers run from here may destroy it: its window stays until the event
    // is over.
    const ControlWidget::Busy busy(*focused);
    if (mouse->button() == Qt::LeftButton && lists_.contains(focused) &&
        focused->listWindow().isVisible() &&
        !focused->listWindow().frameGeometry().contains(global)) {
        focused->outsidePress();
        return true;
    }
    // A press elsewhere asks the focused control whether focus may leave.
    const bool button = mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton;
    if (button && guarded_.contains(focused) && target != focused &&
        !focused->isAncestorOf(target) && target->window() != &focused->listWindow() &&
        takesClickFocus(target)) {
        if (focused->focusMoveAsked() == FocusMove::Vetoed) {
            focused->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

bool ControlHooks::tabPress(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
        return false;
    }
    auto* focused = qobject_cast<ControlWidget*>(QApplication::focusWidget());
    if (focused == nullptr || !guarded_.contains(focused)) {
        return false;
    }
    const ControlWidget::Busy busy(*focused);
    // A vetoed Tab goes no further; nor does one whose handler destroyed the control.
    return focused->focusMoveAsked() != FocusMove::Allowed;
}

} // namespace vantil
