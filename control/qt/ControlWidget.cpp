// Event forwarding of the control's window.
#include "control/qt/ControlWidget.h"

#include "control/core/ContextMenu.h"
#include "control/core/EventTable.h"
#include "control/core/paint/ControlWindow.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/QtConvert.h"
#include "control/qt/QtSurface.h"

#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethod>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyleHints>
#include <QToolTip>

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
      window_(std::make_unique<ControlWindow>(control, palette, *timer_)), inputMethod_(*this),
      measure_(1, 1, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The control opens its own menu on the right button's release; the press must not open
    // the host's.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(&watch_, &QTimer::timeout, this, &ControlWidget::watchTick);
    connect(&blink_, &QTimer::timeout, this, &ControlWidget::blink);
    window_->resize(width(), height());
    list_ = std::make_unique<CDxListCtrl>(control, palette, this);
    dragDrop_ = std::make_unique<QtDragDrop>(*this, control);
    dragDrop_->syncAcceptDrops();
}

ControlWidget::~ControlWidget() = default;

void ControlWidget::paintEvent(QPaintEvent*) {
    painted_ = true;
    window_->paint(QtSurface(this));
}

void ControlWidget::resizeEvent(QResizeEvent*) {
    window_->resize(width(), height());
}

bool ControlWidget::editing() const {
    return !control_.designMode();
}

void ControlWidget::focusInEvent(QFocusEvent*) {
    if (editing() && control_.editArea().focused()) {
        return; // back from the control's own popup menu, which never took the focus away
    }
    window_->setFocused(true);
    if (editing()) {
        control_.editArea().focusIn();
        const int flash = QGuiApplication::styleHints()->cursorFlashTime();
        if (flash > 0) {
            blink_.start(flash / 2);
        }
    }
    update();
}

void ControlWidget::focusOutEvent(QFocusEvent*) {
    if (control_.contextMenu().isOpen()) {
        return; // the control's own popup menu takes the keyboard while it is open
    }
    window_->setFocused(false);
    blink_.stop();
    selecting_ = false;
    if (editing()) {
        control_.editArea().focusOut();
    }
    update();
}

void ControlWidget::blink() {
    window_->setCaretShown(!window_->caretShown());
    update(qtconv::toQt(window_->inputArea()));
}

void ControlWidget::inputAreaChanged() {
    window_->setCaretShown(window_->focused());
    if (blink_.isActive()) {
        blink_.start(); // a moved caret shows at once and stays a full phase
    }
    update(qtconv::toQt(window_->inputArea()));
    if (hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImSurroundingText |
                                               Qt::ImCursorPosition | Qt::ImAnchorPosition |
                                               Qt::ImCurrentSelection);
    }
}

QRect ControlWidget::caretRect() {
    QtSurface measure(&measure_);
    return qtconv::toQt(window_->caret(measure));
}

std::int32_t ControlWidget::charIndexAt(QPoint at) {
    QtSurface measure(&measure_);
    return window_->charIndexAt(measure, qtconv::fromQt(at));
}

void ControlWidget::keyPressEvent(QKeyEvent* event) {
    if (!editing()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const KeyModifiers mods = qtconv::fromQt(event->modifiers());
    EditArea& edit = control_.editArea();
    if (const int key = qtconv::virtualKey(event->key())) {
        edit.keyDown(key, mods);
    }
    for (const unsigned code : qtconv::keyCharacters(*event)) {
        edit.keyPress(code, mods);
    }
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event) {
    const int key = qtconv::virtualKey(event->key());
    if (!editing() || key == 0) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    control_.editArea().keyUp(key, qtconv::fromQt(event->modifiers()));
}

void ControlWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!editing()) {
        event->ignore();
        return;
    }
    EditArea& edit = control_.editArea();
    if (!event->commitString().isEmpty()) {
        edit.commitComposition(qtconv::textFromQt(event->commitString()));
    }
    edit.setComposition(qtconv::textFromQt(event->preeditString()));
    event->accept();
}

QVariant ControlWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    auto* self = const_cast<ControlWidget*>(this); // measuring needs a surface
    const EditBuffer& buffer = control_.editArea().buffer();
    switch (query) {
    case Qt::ImEnabled:
        return editing() && inputMethod_.attached();
    case Qt::ImHints:
        return static_cast<int>(inputMethod_.hints());
    case Qt::ImCursorRectangle:
        return self->caretRect();
    case Qt::ImFont:
        return inputMethod_.compositionFont();
    case Qt::ImCursorPosition:
        // Every code page 932 character is one UTF-16 unit, so indexes carry over.
        return buffer.caret();
    case Qt::ImAnchorPosition:
        return buffer.anchor();
    case Qt::ImSurroundingText:
        return qtconv::textToQt(buffer.text());
    case Qt::ImCurrentSelection:
        return qtconv::textToQt(buffer.selectedBytes());
    default:
        return QWidget::inputMethodQuery(query);
    }
}

bool ControlWidget::event(QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && !painted_ && editing()) {
        // Only a double click that comes before the first paint is the plain DblClick event;
        // later ones are handled as mouse input of the window.
        control_.fireEvent(events::DblClick);
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        // HintText shows as a tool tip while there is text to explain.
        const ControlProperties& p = control_.properties();
        if (!p.hintText.empty() && !p.text.empty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               qtconv::textToQt(p.hintText), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragDrop_->mouseMove(*event)) {
        return; // a drag of the selection is pending or has run
    }
    repaintArea(window_->pointerMoved(isActiveWindow()));
    updateCursor(event->position().toPoint());
    if (selecting_ && event->buttons().testFlag(Qt::LeftButton)) {
        QtSurface measure(&measure_);
        const Point at = qtconv::fromQt(event->position().toPoint());
        control_.editArea().placeCaret(window_->charIndexAt(measure, at), true);
    }
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    if (editing() && dragDrop_->mousePress(*event)) {
        return; // a drag of the selection is pending
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Point at = qtconv::fromQt(event->position().toPoint());
    if (window_->pressAt(at)) {
        update(qtconv::toQt(window_->layout().buttonRect));
        return;
    }
    if (editing() && window_->layout().inputRect.contains(at)) {
        setFocus(Qt::MouseFocusReason);
        QtSurface measure(&measure_);
        control_.editArea().placeCaret(window_->charIndexAt(measure, at), false);
        selecting_ = true;
    }
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    dragDrop_->mouseRelease(*event); // a pending drag that never started is a click
    selecting_ = false;
    if (window_->release()) {
        update(qtconv::toQt(window_->layout().buttonRect));
    }
    if (event->button() == Qt::RightButton && editing()) {
        const QPoint at = event->position().toPoint();
        control_.requestContextMenu(at.x(), at.y());
    }
}

// ---- Drop target: forwarded to the drag-and-drop layer ----------------------------------

void ControlWidget::dragEnterEvent(QDragEnterEvent* event) {
    dragDrop_->dragEnter(*event);
}

void ControlWidget::dragMoveEvent(QDragMoveEvent* event) {
    dragDrop_->dragMove(*event);
}

void ControlWidget::dragLeaveEvent(QDragLeaveEvent*) {
    dragDrop_->dragLeave();
}

void ControlWidget::dropEvent(QDropEvent* event) {
    dragDrop_->drop(*event);
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
    dragDrop_->syncAcceptDrops();
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
