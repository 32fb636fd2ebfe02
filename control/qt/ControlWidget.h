// The control's window on Qt. It forwards window events to the core's ControlWindow, the
// keyboard and drop-down logic and the control's input area, and repaints what they change;
// painting goes through a QtSurface. It also blinks the caret, answers the input method's
// queries, and gives the drop-down logic the window services it asks for.
#pragma once

#include "control/core/keys/KeyboardControl.h"
#include "control/list/window/ListWindowPort.h"
#include "control/qt/QtDragDrop.h"
#include "control/qt/QtInputMethod.h"
#include "control/qt/QtSurface.h"

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace vantil {

class CDxListCtrl;
class ControlWindow;
class CVantilCtrl;
class SystemPalette;
class TimerService;
struct Rect;

class ControlWidget final : public QWidget,
                            private KeyboardWindow,
                            private ListWindowListener {
    Q_OBJECT
public:
    ControlWidget(CVantilCtrl& control, const SystemPalette& palette, QWidget* parent);
    ~ControlWidget() override;

    ControlWindow& controlWindow() { return *window_; }
    // The drop-down list window, created hidden with this window and destroyed with it.
    CDxListCtrl& listWindow() { return *list_; }
    KeyboardControl& keyboard() { return *keyboard_; }
    // The show-drop-down and get-dropped-state requests a host may send by name.
    Q_INVOKABLE void showDropDown(bool show);
    Q_INVOKABLE bool droppedState() const;
    // A left-button press outside the open list (it is swallowed by the caller).
    void outsidePress();
    // Raises FocusMove when CausesFocusMovement is on.
    FocusMove focusMoveAsked();
    // Whether a left press on this window gives it focus (it takes focus itself, not by its
    // focus policy: see the constructor).
    bool takesClickFocus() const;
    // The control is gone or closed: the window stops answering and is deleted at once, or,
    // while one of its events (or its list's) or its menu or drag loop runs, when that ends.
    void detach();
    // Marks an event of this window or its list, or a nested menu or drag loop, running.
    class Busy {
    public:
        explicit Busy(ControlWidget& widget);
        ~Busy();
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QPointer<ControlWidget> widget_;
    };
    // Repaints what a property change of dispatch identifier `id` shows and resizes the
    // control for DefHeight.
    void propertyChanged(int id);
    // The text, caret or selection changed: the input area repaints with the caret shown.
    void inputAreaChanged();
    QtInputMethod& inputMethod() { return inputMethod_; }
    // The caret's rectangle in the window.
    QRect caretRect();
    // The character position of the input area nearest to `at`.
    std::int32_t charIndexAt(QPoint at);
    QtDragDrop& dragDrop() { return *dragDrop_; }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // ---- KeyboardWindow ----
    Rect inputAreaOnScreen() const override;
    Rect availableDesktop() const override;
    bool ownsFocus() const override { return hasFocus(); }
    void takeFocus() override { setFocus(Qt::MouseFocusReason); }
    bool moveFocus(bool forward) override { return focusNextPrevChild(forward); }
    void setMouseHook(bool on) override;
    void startFirstMoveTimer(int ms) override;
    void repaintControl() override { update(); }
    void requestContextMenu() override;
    // ---- ListWindowListener ----
    bool listPicked() override;
    void listHeaderChanged() override {}
    bool listMouse(ListMouse message, Point at) override;
    bool listColumnClicked(std::int32_t column) override;

    // False when a handler destroyed or closed the control.
    [[nodiscard]] bool raiseMouse(int event, int button, Qt::KeyboardModifiers mods, QPoint at);
    void updateMnemonic();
    void repaintArea(const std::optional<Rect>& area);
    void updateCursor(QPoint at);
    void watchTick();
    void blink();
    bool editing() const;

    CVantilCtrl& control_;
    QTimer watch_;
    std::unique_ptr<TimerService> timer_;
    std::unique_ptr<ControlWindow> window_;
    QtFontCache fonts_;
    const void* iconSource_ = nullptr; // the MouseIcon picture iconCursor_ was made from
    std::optional<QCursor> iconCursor_;
    QTimer blink_;
    QtInputMethod inputMethod_;
    // Text is measured for the caret and the pointer on this image outside painting.
    QImage measure_;
    bool selecting_ = false; // the left button went down on the text and is still held
    bool buttonHeld_ = false;  // the drop-down button was pressed and is still held
    bool handedToList_ = false; // the held button was dragged off: the list tracks the pointer
    QList<int> mnemonics_;      // shortcut ids of the caption accelerator
    std::unique_ptr<CDxListCtrl> list_;
    std::unique_ptr<KeyboardControl> keyboard_;
    bool painted_ = false;      // the window has painted itself at least once
    std::unique_ptr<QtDragDrop> dragDrop_;
    bool detached_ = false;
    int busy_ = 0; // events, menu and drag loops of this window running
};

} // namespace vantil
