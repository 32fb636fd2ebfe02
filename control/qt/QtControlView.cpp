// Creation of the control's window in the host's window and the core's notifications.
#include "control/qt/QtControlView.h"

#include "control/core/paint/ControlWindow.h"
#include "control/qt/QtContextMenu.h"

namespace vantil {

QtControlView::QtControlView(CVantilCtrl& control, const SystemPalette& palette, QWidget* parent,
                             int x, int y, int widthPx, int heightPx)
    : widget_(new ControlWidget(control, palette, parent)) {
    widget_->setGeometry(x, y, widthPx, heightPx);
    widget_->show();
}

QtControlView::~QtControlView() {
    // The control may be going from a handler of an event its window is delivering: the window
    // stops answering at once and is deleted when the event loop comes back.
    if (widget_) {
        widget_->detach();
    }
}

void QtControlView::propertyChanged(plat::automation::DispId id) {
    if (widget_) {
        widget_->propertyChanged(id);
    }
}

void QtControlView::propertiesLoaded() {
    if (widget_) {
        widget_->controlWindow().resize(widget_->width(), widget_->height());
        widget_->dragDrop().syncAcceptDrops();
        widget_->update();
    }
}

std::intptr_t QtControlView::windowHandle() const {
    return reinterpret_cast<std::intptr_t>(widget_.data());
}

void QtControlView::inputAreaChanged() {
    if (widget_) {
        widget_->inputAreaChanged();
    }
}

InputMethodContext* QtControlView::inputMethod() {
    return widget_ ? &widget_->inputMethod() : nullptr;
}

std::optional<int> QtControlView::showContextMenu(std::span<const PopupItem> items, int x, int y) {
    if (!widget_) {
        return std::nullopt;
    }
    const ControlWidget::Busy loop(*widget_);
    return execContextMenu(*widget_, items, QPoint(x, y));
}

std::int32_t QtControlView::runDrag(std::string_view cp932Text, std::int32_t allowedEffects) {
    return widget_ ? widget_->dragDrop().runDrag(cp932Text, allowedEffects) : 0;
}

} // namespace vantil
