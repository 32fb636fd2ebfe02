// The program-wide pointer and keyboard watch shared by every control window of the thread:
// while a control's list is open, a left-button press outside the list cancels the list and is
// swallowed; while a control with CausesFocusMovement has focus, a press on another widget or
// Tab is offered to its FocusMove handler first and swallowed when the handler vetoes. One
// application event filter serves all controls; it is installed with the first user and
// removed with the last.
#pragma once

#include <QObject>
#include <QSet>

class QMouseEvent;
class QWidget;

namespace vantil {

class ControlWidget;

class ControlHooks final : public QObject {
    Q_OBJECT
public:
    // While on, presses outside `control`'s open list cancel it.
    static void watchList(ControlWidget* control, bool on);
    // While on, focus leaving `control` by Tab or a click elsewhere asks FocusMove first.
    static void guardFocus(ControlWidget* control, bool on);
    // True while the filter is installed (any user at all).
    static bool installed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void update();
    bool filter(QObject* watched, QEvent* event);
    bool pointerPress(QWidget* target, QMouseEvent* mouse);
    bool tabPress(QEvent* event);

    QSet<ControlWidget*> lists_;
    QSet<ControlWidget*> guarded_;
    int filtering_ = 0; // depth of eventFilter calls running
};

} // namespace vantil
