// Event forwarding of the control's window.
#include "control/qt/ControlWidget.h"

#include "control/core/paint/ControlWindow.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/QtConvert.h"
#include "control/qt/QtSurface.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>

namespace vantil {

namespace {

// The pointer-watch timer on a QTimer.
class QtTimerService final : public TimerService {
public:
    explicit QtTimerService(QTimer& timer) : timer_(timer) {}
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }

private:
    QTimer& timer_;
};

} // namespace

ControlWidget::ControlWidget(CVantilCtrl& control, const SystemPalette& palette, QWidget* parent)
    : QWidget(parent), control_(control), timer_(std::make_unique<QtTimerService>(watch_)),
      window_(std::make_unique<ControlWindow>(control, palette, *timer_)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(&watch_, &QTimer::timeout, this, &ControlWidget::watchTick);
    window_->resize(width(), height());
    list_ = std::make_unique<CDxListCtrl>(control, palette, this);
}

ControlWidget::~ControlWidget() = default;

void ControlWidget::paintEvent(QPaintEvent*) {
    window_->paint(QtSurface(this));
}

void ControlWidget::resizeEvent(QResizeEvent*) {
    window_->resize(width(), height());
}

void ControlWidget::focusInEvent(QFocusEvent*) {
    window_->setFocused(true);
    update();
}

void ControlWidget::focusOutEvent(QFocusEvent*) {
    window_->setFocused(false);
    update();
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
    repaintArea(window_->pointerMoved(isActiveWindow()));
    updateCursor(event->position().toPoint());
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        window_->pressAt(qtconv::fromQt(event->position().toPoint()))) {
        update(qtconv::toQt(window_->layout().buttonRect));
    }
}

void ControlWidget::mouseReleaseEvent(QMouseEvent*) {
    if (window_->release()) {
        update(qtconv::toQt(window_->layout().buttonRect));
    }
}

void ControlWidget::watchTick() {
    const bool inside = rect().contains(mapFromGlobal(QCursor::pos()));
    repaintArea(window_->timerTick(inside));
}

void ControlWidget::repaintArea(const std::optional<Rect>& area) {
    if (area) {
        update(qtconv::toQt(*area));
    }
}

void ControlWidget::updateCursor(QPoint at) {
    const CursorShape shape = window_->cursorAt(qtconv::fromQt(at));
    if (shape == CursorShape::HostDefault) {
        unsetCursor();
        return;
    }
    if (shape == CursorShape::Custom) {
        // The icon is decoded once per MouseIcon picture.
        const auto& picture = control_.properties().mouseIcon;
        if (picture.get() != iconSource_) {
            iconSource_ = picture.get();
            QPixmap icon;
            const auto& bytes = picture->bytes();
            iconCursor_ = icon.loadFromData(bytes.data(), static_cast<uint>(bytes.size()))
                              ? std::optional<QCursor>(QCursor(icon))
                              : std::nullopt;
        }
        if (iconCursor_) {
            setCursor(*iconCursor_);
        } else {
            unsetCursor();
        }
        return;
    }
    setCursor(qtconv::toQt(shape));
}

void ControlWidget::propertyChanged(int id) {
    repaintArea(window_->propertyChanged(id));
    list_->propertyChanged(id);
    if (id == dispids::DefHeight) {
        if (const std::optional<int> h = window_->heightForDefHeight()) {
            // The control asks its host for the new height and takes it when the host agrees;
            // a window without a site resizes itself.
            plat::automation::HostSite* site = control_.site();
            if (!site || site->requestResize(width(), *h))
                resize(width(), *h);
        }
    }
}

} // namespace vantil
