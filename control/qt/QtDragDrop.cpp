// Drag and drop of the control's text on Qt.
#include "control/qt/QtDragDrop.h"

#include "control/core/CVantilCtrl.h"
#include "control/core/DataObject.h"
#include "control/core/DragDrop.h"
#include "control/core/paint/ControlWindow.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtConvert.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace vantil {

namespace {

Qt::DropActions actionsOf(std::int32_t effects) {
    Qt::DropActions actions;
    if ((effects & dropeffect::Copy) != 0) {
        actions |= Qt::CopyAction;
    }
    if ((effects & dropeffect::Move) != 0) {
        actions |= Qt::MoveAction;
    }
    return actions;
}

std::int32_t effectOf(Qt::DropAction action) {
    switch (action) {
    case Qt::CopyAction:
        return dropeffect::Copy;
    case Qt::MoveAction:
        return dropeffect::Move;
    default:
        return dropeffect::None;
    }
}

std::int16_t buttonsOf(Qt::MouseButtons buttons) {
    return static_cast<std::int16_t>((buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
                                     (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
                                     (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

} // namespace

QtDragDrop::QtDragDrop(ControlWidget& widget, CVantilCtrl& control)
    : widget_(widget), control_(control) {}

// ---- Source ---------------------------------------------------------------------------------

std::unique_ptr<QMimeData> QtDragDrop::mimeData(std::string_view cp932Text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(qtconv::textToQt(cp932Text));
    return data;
}

std::int32_t QtDragDrop::runDrag(std::string_view cp932Text, std::int32_t allowedEffects) {
    // The drag manager deletes the drag object when the loop ends; the window stays until then
    // even when the control goes during the loop.
    const ControlWidget::Busy loop(widget_);
    auto* drag = new QDrag(&widget_);
    drag->setMimeData(mimeData(cp932Text).release());
    QObject::connect(drag, &QDrag::actionChanged, drag, [this](Qt::DropAction action) {
        control_.dragDrop().giveFeedback(effectOf(action));
    });
    const Qt::DropAction preferred =
        (allowedEffects & dropeffect::Move) != 0 ? Qt::MoveAction : Qt::CopyAction;
    return effectOf(drag->exec(actionsOf(allowedEffects), preferred));
}

bool QtDragDrop::mousePress(const QMouseEvent& event) {
    pending_.reset();
    const QPoint at = event.position().toPoint();
    if (event.button() != Qt::LeftButton ||
        !widget_.controlWindow().layout().inputRect.contains(qtconv::fromQt(at)) ||
        !control_.dragDrop().pressStartsDrag(widget_.charIndexAt(at))) {
        return false;
    }
    pending_ = at;
    return true;
}

bool QtDragDrop::mouseMove(const QMouseEvent& event) {
    if (!pending_) {
        return false;
    }
    if (!event.buttons().testFlag(Qt::LeftButton)) {
        pending_.reset();
        return false;
    }
    const QPoint at = event.position().toPoint();
    if ((at - *pending_).manhattanLength() < QApplication::startDragDistance()) {
        return true;
    }
    pending_.reset();
    control_.dragDrop().startDrag();
    return true;
}

void QtDragDrop::mouseRelease(const QMouseEvent& event) {
    if (!pending_) {
        return;
    }
    // A click on the selection that never became a drag places the caret as any click does.
    pending_.reset();
    control_.editArea().placeCaret(widget_.charIndexAt(event.position().toPoint()), false);
}

// ---- Target ---------------------------------------------------------------------------------

void QtDragDrop::syncAcceptDrops() {
    const bool accept = control_.dragDrop().acceptsDrops();
    if (widget_.acceptDrops() != accept) {
        widget_.setAcceptDrops(accept);
    }
}

DropPoint QtDragDrop::dropPoint(const QDropEvent& event) const {
    DropPoint p;
    const QMimeData* data = event.mimeData();
    if (data != nullptr && data->hasText()) {
        p.text = qtconv::textFromQt(data->text());
    }
    p.mods = qtconv::fromQt(event.modifiers());
    p.buttons = buttonsOf(event.buttons());
    const QPointF at = event.position();
    p.x = static_cast<float>(at.x());
    p.y = static_cast<float>(at.y());
    p.charIndex = widget_.charIndexAt(at.toPoint());
    return p;
}

void QtDragDrop::answer(QDropEvent& event, std::int32_t effect) const {
    Qt::DropAction action = effect == dropeffect::Copy ? Qt::CopyAction : Qt::MoveAction;
    if (effect != dropeffect::None && !event.possibleActions().testFlag(action)) {
        // The source does not allow the effect the keys ask for: take the one it allows.
        action = action == Qt::CopyAction ? Qt::MoveAction : Qt::CopyAction;
    }
    if (effect == dropeffect::None || !event.possibleActions().testFlag(action)) {
        event.ignore();
        return;
    }
    event.setDropAction(action);
    event.accept();
}

void QtDragDrop::dragEnter(QDragMoveEvent& event) {
    answer(event, control_.dragDrop().dragOver(dropPoint(event), DragState::Enter));
}

void QtDragDrop::dragMove(QDragMoveEvent& event) {
    answer(event, control_.dragDrop().dragOver(dropPoint(event), DragState::Over));
}

void QtDragDrop::dragLeave() {
    control_.dragDrop().dragLeave();
}

void QtDragDrop::drop(QDropEvent& event) {
    answer(event, control_.dragDrop().drop(dropPoint(event)));
}

} // namespace vantil
