// The control's window on Qt. It only forwards window events to the core's ControlWindow and
// the control's input area and repaints what they change; painting goes through a QtSurface.
// It also blinks the caret and answers the input method's queries.
#pragma once

#include "control/qt/QtDragDrop.h"
#include "control/qt/QtInputMethod.h"

#include <QCursor>
#include <QImage>
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

class ControlWidget final : public QWidget {
    Q_OBJECT
public:
    ControlWidget(CVantilCtrl& control, const SystemPalette& palette, QWidget* parent);
    ~ControlWidget() override;

    ControlWindow& controlWindow() { return *window_; }
    // The drop-down list window, created hidden with this window and destroyed with it.
    CDxListCtrl& listWindow() { return *list_; }
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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void repaintArea(const std::optional<Rect>& area);
    void updateCursor(QPoint at);
    void watchTick();
    void blink();
    bool editing() const;

    CVantilCtrl& control_;
    QTimer watch_;
    std::unique_ptr<TimerService> timer_;
    std::unique_ptr<ControlWindow> window_;
    const void* iconSource_ = nullptr; // the MouseIcon picture iconCursor_ was made from
    std::optional<QCursor> iconCursor_;
    QTimer blink_;
    QtInputMethod inputMethod_;
    // Text is measured for the caret and the pointer on this image outside painting.
    QImage measure_;
    bool selecting_ = false; // the left button went down on the text and is still held
    bool painted_ = false;   // the window has painted itself at least once
    std::unique_ptr<CDxListCtrl> list_;
    std::unique_ptr<QtDragDrop> dragDrop_;
};

} // namespace vantil
