// Drag and drop of the control's plain text on Qt: the drag loop on a QDrag with the text as
// text/plain, the drop-target notifications of the control's window turned into the core's
// drop points, and the pending drag of the selection between a left press and the first move
// beyond the drag distance.
#pragma once

#include <QPoint>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QMouseEvent;

namespace vantil {

class ControlWidget;
class CVantilCtrl;
struct DropPoint;

class QtDragDrop {
public:
    QtDragDrop(ControlWidget& widget, CVantilCtrl& control);

    // The mime data a drag of `cp932Text` carries.
    static std::unique_ptr<QMimeData> mimeData(std::string_view cp932Text);
    // Runs the drag loop from the control's window; the effect chosen by the drop target.
    std::int32_t runDrag(std::string_view cp932Text, std::int32_t allowedEffects);

    // The window takes drops while the control does.
    void syncAcceptDrops();
    void dragEnter(QDragMoveEvent& event);
    void dragMove(QDragMoveEvent& event);
    void dragLeave();
    void drop(QDropEvent& event);

    // Mouse input of the window, before its own handling. A left press on the selection with
    // OLEDragMode 1 makes a drag pending and a move beyond the drag distance starts it; true
    // when the event belongs to that drag and the window must not handle it. A release of a
    // pending drag places the caret as a click does.
    bool mousePress(const QMouseEvent& event);
    bool mouseMove(const QMouseEvent& event);
    void mouseRelease(const QMouseEvent& event);

private:
    DropPoint dropPoint(const QDropEvent& event) const;
    void answer(QDropEvent& event, std::int32_t effect) const;

    ControlWidget& widget_;
    CVantilCtrl& control_;
    std::optional<QPoint> pending_; // where the left button went down on the selection
};

} // namespace vantil
