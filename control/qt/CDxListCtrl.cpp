// The list window's events, painting and window services on Qt.
#include "control/qt/CDxListCtrl.h"

#include "control/core/CVantilCtrl.h"
#include "control/list/ListModel.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtConvert.h"
#include "control/qt/QtSurface.h"
#include "control/qt/TipWindow.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace vantil {

using namespace qtconv;

namespace {

// The list's scroll bar repaints only when its picture changes. One line of a long list moves
// the thumb by a fraction of a pixel, and repainting the bar would cost more than moving the
// list's pixels; the value itself always follows.
class ListScrollBar final : public QScrollBar {
public:
    explicit ListScrollBar(Qt::Orientation orientation) : QScrollBar(orientation) {}

protected:
    void sliderChange(SliderChange change) override {
        // A hidden bar is painted afresh when it shows.
        if (change == SliderValueChange && (!isVisible() || (painted_ && *painted_ == look()))) {
            return;
        }
        QScrollBar::sliderChange(change);
    }
    void paintEvent(QPaintEvent* event) override {
        painted_ = look();
        QScrollBar::paintEvent(event);
    }

private:
    struct Look {
        QRect thumb;
        // Style sheets may draw the bar differently at either end of its range.
        bool atMinimum = false;
        bool atMaximum = false;
        friend bool operator==(const Look&, const Look&) = default;
    };
    Look look() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        Look l;
        l.thumb = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                          this);
        if (style()->inherits("QStyleSheetStyle")) {
            l.atMinimum = value() == minimum();
            l.atMaximum = value() == maximum();
        }
        return l;
    }

    std::optional<Look> painted_;
};

} // namespace

CDxListCtrl::CDxListCtrl(CVantilCtrl& control, const SystemPalette& palette, QWidget* controlWindow)
    : QAbstractScrollArea(nullptr), control_(control), palette_(palette),
      controlWindow_(controlWindow), model_(dynamic_cast<ListModel*>(control.listEngine())) {
    setObjectName(QStringLiteral("DxListCtrl"));
    // Hosts and tools find the list window of a control window by this property.
    setProperty("controlWindow", QVariant::fromValue(static_cast<QObject*>(controlWindow)));
    // An unmanaged window above all others that never takes activation or focus, as a
    // drop-down list must be: the control keeps focus while the user works in the list.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackgroundRole(QPalette::Button);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBar(new ListScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new ListScrollBar(Qt::Horizontal));
    resize(200, 150);

    ListGrid& grid = model_ ? model_->grid() : ownGrid_;
    logic_ = std::make_unique<ListWindow>(grid, static_cast<ListWindowPort&>(*this), settings_);
    if (model_) {
        logic_->setItems(model_->listItemsObject());
        model_->setRepaintHook([this] { viewport()->update(); });
    }
    grid.setScrollRangeHook([this] { logic_->rangesChanged(); });
    applyProperties();
    if (control_.properties().titleTip) {
        tip_ = new TipWindow(this);
    }

    autoScroll_.setInterval(kAutoScrollMs);
    connect(&autoScroll_, &QTimer::timeout, this, [this] {
        logic_->autoScrollTick(clientPoint(viewport()->mapFromGlobal(QCursor::pos())));
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { barAction(ScrollAxis::Vertical, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { barAction(ScrollAxis::Horizontal, action); });
    connect(QGuiApplication::styleHints(), &QStyleHints::wheelScrollLinesChanged, this,
            [this](int) { logic_->readSettings(); });
    control_.setListWindow(logic_.get());
}

CDxListCtrl::~CDxListCtrl() {
    detach();
    ownGrid_.setScrollRangeHook({});
}

void CDxListCtrl::detach() {
    if (detached_) {
        return;
    }
    closing_ = true;
    autoScroll_.stop();
    hide();
    detached_ = true;
    control_.setListWindow(nullptr);
    if (model_) {
        model_->setRepaintHook({});
        model_->grid().setScrollRangeHook({});
    }
}

bool CDxListCtrl::event(QEvent* event) {
    // Detached from a control that is gone: only the deferred deletion is still handled.
    if (detached_) {
        return event->type() == QEvent::DeferredDelete ? QAbstractScrollArea::event(event) : true;
    }
    // The list's events run the control's handlers: its control window stays until they end.
    auto* owner = qobject_cast<ControlWidget*>(controlWindow_);
    if (owner == nullptr) {
        return QAbstractScrollArea::event(event);
    }
    const ControlWidget::Busy busy(*owner);
    return QAbstractScrollArea::event(event);
}

bool CDxListCtrl::viewportEvent(QEvent* event) {
    if (detached_) {
        return true;
    }
    auto* owner = qobject_cast<ControlWidget*>(controlWindow_);
    if (owner == nullptr) {
        return QAbstractScrollArea::viewportEvent(event);
    }
    const ControlWidget::Busy busy(*owner);
    return QAbstractScrollArea::viewportEvent(event);
}

void CDxListCtrl::applyProperties() {
    logic_->applyOptions(listOptionsFrom(control_.properties()));
}

void CDxListCtrl::propertyChanged(int) {
    applyProperties();
    if (control_.properties().titleTip && tip_ == nullptr) {
        tip_ = new TipWindow(this);
    }
    viewport()->update();
}

QSize CDxListCtrl::naturalSize(int rows) const {
    const ListGeometry g = logic_->geometry();
    const ListGrid& grid = g.grid();
    int height = g.headerHeight();
    forEachRowHeight(grid, 1, [&](std::int32_t row, int h) {
        height += h;
        return row < rows;
    });
    const int frame = 2 * frameWidth();
    const int bar = logic_->options().verticalBar && grid.itemCount() > rows
                        ? style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                        : 0;
    return QSize(g.totalWidth() + frame + bar, height + frame);
}

QSize CDxListCtrl::sizeHint() const {
    const int rows = control_.properties().droppedRows;
    return naturalSize(rows > 0 ? rows : 8);
}

Point CDxListCtrl::clientPoint(const QPoint& viewportPos) {
    Point p = fromQt(viewportPos);
    // The pointer is kept inside the confinement while a column is resized.
    if (confine_ && !confine_->contains(p)) {
        p.x = std::clamp(p.x, confine_->left, confine_->right - 1);
        p.y = std::clamp(p.y, confine_->top, confine_->bottom - 1);
        QCursor::setPos(viewport()->mapToGlobal(toQt(p)));
    }
    return p;
}

// ---- Events -------------------------------------------------------------------------------

void CDxListCtrl::paint(Surface& s, const Rect& update) {
    const ListGeometry g = logic_->geometry();
    const ListStyle style = listStyleFrom(control_.properties(), palette_);
    std::optional<Rect> line;
    if (const std::optional<int> x = logic_->trackingLine()) {
        line = logic_->trackingLineRect(*x);
    }
    paintList(s, ListPaint{g, style, update, line});
}

void CDxListCtrl::paintEvent(QPaintEvent* event) {
    QtSurface s(viewport(), &fonts_);
    paint(s, fromQt(event->rect()));
}

void CDxListCtrl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    logic_->updateRanges();
}

void CDxListCtrl::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    applyProperties();
}

void CDxListCtrl::hideEvent(QHideEvent* event) {
    QAbstractScrollArea::hideEvent(event);
    if (!closing_) {
        logic_->hidden();
    }
}

void CDxListCtrl::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    // System colours are resolved at every paint: a new palette shows at the next one.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        viewport()->update();
    }
}

void CDxListCtrl::mouseMoveEvent(QMouseEvent* event) {
    logic_->mouseMove(clientPoint(event->position().toPoint()),
                      (event->buttons() & Qt::LeftButton) != 0);
}

void CDxListCtrl::mousePressEvent(QMouseEvent* event) {
    const Point at = clientPoint(event->position().toPoint());
    switch (event->button()) {
    case Qt::LeftButton:
        logic_->leftDown(at);
        break;
    case Qt::RightButton:
        logic_->otherButton(ListMouse::RightDown, at);
        break;
    case Qt::MiddleButton:
        logic_->otherButton(ListMouse::MiddleDown, at);
        break;
    default:
        break;
    }
}

void CDxListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    const Point at = clientPoint(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        const bool inside = rect().contains(mapFromGlobal(event->globalPosition().toPoint()));
        releasedInside_ = inside;
        logic_->leftUp(at, inside);
    } else if (event->button() == Qt::MiddleButton) {
        logic_->otherButton(ListMouse::MiddleUp, at);
    }
}

void CDxListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    const Point at = clientPoint(event->position().toPoint());
    switch (event->button()) {
    case Qt::LeftButton:
        logic_->leftDoubleClick(at);
        break;
    case Qt::RightButton:
        logic_->otherButton(ListMouse::RightDouble, at);
        break;
    case Qt::MiddleButton:
        logic_->otherButton(ListMouse::MiddleDouble, at);
        break;
    default:
        break;
    }
}

void CDxListCtrl::wheelEvent(QWheelEvent* event) {
    logic_->wheel(event->angleDelta().y());
    event->accept();
}

void CDxListCtrl::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event->key(), event->modifiers())) {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool CDxListCtrl::handleKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    hideTip();
    std::optional<ListKey> key;
    switch (qtKey) {
    case Qt::Key_Up:
        key = ListKey::Up;
        break;
    case Qt::Key_Down:
        key = ListKey::Down;
        break;
    case Qt::Key_PageUp:
        key = ListKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = ListKey::PageDown;
        break;
    case Qt::Key_Home:
        key = ListKey::Home;
        break;
    case Qt::Key_End:
        key = ListKey::End;
        break;
    case Qt::Key_Left:
        key = ListKey::Left;
        break;
    case Qt::Key_Right:
        key = ListKey::Right;
        break;
    default:
        return false;
    }
    return logic_->keyDown(*key, (modifiers & Qt::AltModifier) != 0);
}

void CDxListCtrl::barAction(ScrollAxis axis, int action) {
    QScrollBar* bar = axis == ScrollAxis::Vertical ? verticalScrollBar() : horizontalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        logic_->scroll(axis, ScrollRequest::LineUp);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        logic_->scroll(axis, ScrollRequest::LineDown);
        break;
    case QAbstractSlider::SliderPageStepSub:
        logic_->scroll(axis, ScrollRequest::PageUp);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        logic_->scroll(axis, ScrollRequest::PageDown);
        break;
    case QAbstractSlider::SliderToMinimum:
        logic_->scroll(axis, ScrollRequest::Top);
        break;
    case QAbstractSlider::SliderToMaximum:
        logic_->scroll(axis, ScrollRequest::Bottom);
        break;
    case QAbstractSlider::SliderMove:
        logic_->scroll(axis, ScrollRequest::Thumb, bar->sliderPosition());
        break;
    default:
        break;
    }
    // The list decides the position; the bar shows it.
    bar->setSliderPosition(logic_->position(axis));
}

// ---- Window services ------------------------------------------------------------------------

Size CDxListCtrl::clientSize() const {
    return Size{viewport()->width(), viewport()->height()};
}

void CDxListCtrl::invalidate(const Rect& r) {
    if (!r.empty()) {
        viewport()->update(toQt(r));
    }
}

void CDxListCtrl::scrollPixels(int dx, int dy, const Rect& area) {
    viewport()->scroll(dx, dy, toQt(area));
}

void CDxListCtrl::setScrollBar(ScrollAxis axis, const ScrollBarState& state) {
    const bool vertical = axis == ScrollAxis::Vertical;
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    // A scroll only moves the thumb; the policy and range change with the list or the size.
    const Qt::ScrollBarPolicy policy =
        state.exists ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (vertical && verticalScrollBarPolicy() != policy) {
        setVerticalScrollBarPolicy(policy);
    } else if (!vertical && horizontalScrollBarPolicy() != policy) {
        setHorizontalScrollBarPolicy(policy);
    }
    const int page = std::max(1, state.page);
    const int top = state.maximum == 0 ? 0 : std::max(0, state.maximum - state.page + 1);
    if (bar->pageStep() != page) {
        bar->setPageStep(page);
    }
    // A new range lets the scroll area show or hide the bar.
    if (bar->maximum() != top || bar->minimum() != 0) {
        bar->setRange(0, top);
    }
    const QSignalBlocker block(bar);
    bar->setValue(state.position);
}

void CDxListCtrl::capturePointer(bool on) {
    if (on) {
        viewport()->grabMouse();
    } else if (QWidget::mouseGrabber() == viewport()) {
        viewport()->releaseMouse();
    }
}

void CDxListCtrl::confinePointer(const std::optional<Rect>& r) {
    confine_ = r;
}

void CDxListCtrl::setCursor(CursorShape shape) {
    viewport()->setCursor(toQt(shape));
}

void CDxListCtrl::startAutoScroll(int intervalMs) {
    autoScroll_.start(intervalMs);
}

void CDxListCtrl::stopAutoScroll() {
    autoScroll_.stop();
}

Point CDxListCtrl::mapToControl(Point p) const {
    if (!controlWindow_) {
        return p;
    }
    return fromQt(controlWindow_->mapFromGlobal(viewport()->mapToGlobal(toQt(p))));
}

Point CDxListCtrl::mapFromControl(Point p) const {
    if (!controlWindow_) {
        return p;
    }
    return fromQt(viewport()->mapFromGlobal(controlWindow_->mapToGlobal(toQt(p))));
}

int CDxListCtrl::hostPixelsPerInch() const {
    const QWidget* host = controlWindow_ ? controlWindow_->window() : this;
    return host->logicalDpiY();
}

int CDxListCtrl::textWidth(const FontRequest& font, std::string_view text) {
    return fonts_.fontFor(font.desc).metrics.horizontalAdvance(textToQt(text));
}

void CDxListCtrl::scheduleRangeUpdate() {
    if (rangesQueued_) {
        return;
    }
    rangesQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            rangesQueued_ = false;
            logic_->updateRanges();
            viewport()->update();
        },
        Qt::QueuedConnection);
}

bool CDxListCtrl::tipVisible() const {
    return tip_ != nullptr && tip_->isVisible();
}

bool CDxListCtrl::anyWindowFocused() const {
    return QGuiApplication::focusWindow() != nullptr;
}

void CDxListCtrl::showTip(const TipRequest& tip) {
    if (tip_ == nullptr) {
        return;
    }
    const QRect cell = toQt(tip.cell);
    tip_->showTip(viewport()->mapToGlobal(cell.topLeft()), cell.size(), tip.width,
                  textToQt(tip.text), toQt(logic_->options().font.desc));
}

void CDxListCtrl::hideTip() {
    if (tip_ != nullptr) {
        tip_->hideTip();
    }
}

} // namespace vantil
