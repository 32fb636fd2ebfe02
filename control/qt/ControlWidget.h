// The control's window on Qt. It only forwards window events to the core's ControlWindow and
// repaints what that returns; painting goes through a QtSurface.
#pragma once

#include <QCursor>
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void repaintArea(const std::optional<Rect>& area);
    void updateCursor(QPoint at);
    void watchTick();

    CVantilCtrl& control_;
    QTimer watch_;
    std::unique_ptr<TimerService> timer_;
    std::unique_ptr<ControlWindow> window_;
    const void* iconSource_ = nullptr; // the MouseIcon picture iconCursor_ was made from
    std::optional<QCursor> iconCursor_;
    std::unique_ptr<CDxListCtrl> list_;
};

} // namespace vantil
