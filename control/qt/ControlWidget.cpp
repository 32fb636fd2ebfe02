// Event forwarding of the control's window.
#include "control/qt/ControlWidget.h"

#include "control/core/ContextMenu.h"
#include "control/core/EventTable.h"
#include "control/core/paint/ControlWindow.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlHooks.h"
#include "control/qt/QtConvert.h"
#include "control/qt/QtSurface.h"
#include "control/qt/TipWindow.h"
#include "platform/text/Cp932.h"

#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethod>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
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
    // Tab gives focus; a click does not by itself: the press decides first whether it takes
    // focus (KillClickFocus) and whether gaining it opens the list, and then takes it.
    setFocusPolicy(Qt::TabFocus);
    // The control opens its own menu on the right button's release; the press must not open
    // the host's.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(&watch_, &QTimer::timeout, this, &ControlWidget::watchTick);
    connect(&blink_, &QTimer::timeout, this, &ControlWidget::blink);
    window_->resize(width(), height());
    list_ = std::make_unique<CDxListCtrl>(control, palette, this);
    list_->setListener(static_cast<ListWindowListener*>(this));
    keyboard_ = std::make_unique<KeyboardControl>(control, *list_,
                                                  static_cast<KeyboardWindow&>(*this));
    keyboard_->hotKeysChanged();
    ControlHooks::guardFocus(this, editing() && control.properties().causesFocusMovement);
    updateMnemonic();
    dragDrop_ = std::make_unique<QtDragDrop>(*this, control);
    dragDrop_->syncAcceptDrops();
}

ControlWidget::~ControlWidget() {
    ControlHooks::watchList(this, false);
    ControlHooks::guardFocus(this, false);
}

void ControlWidget::detach() {
    // The control is gone or closed, possibly from a handler of an event this window is still
    // delivering: the window answers nothing more and goes when the event loop comes back.
    detached_ = true;
    watch_.stop();
    blink_.stop();
    ControlHooks::watchList(this, false);
    ControlHooks::guardFocus(this, false);
    list_->detach();
    hide();
    if (busy_ == 0) {
        delete this; // no event of this window is running
    }
}

ControlWidget::Busy::Busy(ControlWidget& widget) : widget_(&widget) {
    ++widget.busy_;
}

ControlWidget::Busy::~Busy() {
    // A window detached while one of its events or its menu or drag loop ran goes when the
    // event loop comes back.
    if (widget_ && --widget_->busy_ == 0 && widget_->detached_) {
        widget_->deleteLater();
    }
}

bool ControlWidget::takesClickFocus() const {
    return !editing() || !control_.properties().killClickFocus;
}

void ControlWidget::paintEvent(QPaintEvent*) {
    painted_ = true;
    window_->paint(QtSurface(this, &fonts_));
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
        if (!keyboard_->focusIn()) {
            return;
        }
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
    if (editing() && !keyboard_->focusOut()) {
        return;
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
    // The title tip goes on any key; keys reach the control's window, which has the focus.
    if (TipWindow* tip = list_->tipWindow(); tip != nullptr && tip->isVisible()) {
        tip->hideTip();
    }
    const KeyModifiers mods = qtconv::fromQt(event->modifiers());
    const int key = qtconv::virtualKey(event->key(), event->modifiers());
    if (const int id = keyboard_->hotKeyFor(key, qtconv::hotKeyModifiers(event->modifiers()))) {
        (void)keyboard_->hotKey(id); // the last step either way
        return;
    }
    if (key != 0 && !keyboard_->keyDown(key, mods)) {
        return; // a KeyDown handler destroyed or closed the control
    }
    for (const unsigned code : qtconv::keyCharacters(*event)) {
        if (!keyboard_->keyPress(code, mods)) {
            return;
        }
    }
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event) {
    const int key = qtconv::virtualKey(event->key(), event->modifiers());
    if (!editing() || key == 0) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    (void)keyboard_->keyUp(key, qtconv::fromQt(event->modifiers())); // the last step
}

void ControlWidget::inputMethodEvent(QInputMethodEvent* event) {
    if (!editing()) {
        event->ignore();
        return;
    }
    EditArea& edit = control_.editArea();
    if (!event->commitString().isEmpty() &&
        !edit.commitComposition(qtconv::textFromQt(event->commitString()))) {
        event->accept();
        return;
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
    if (detached_) {
        // Only the deferred deletion is still handled.
        return event->type() == QEvent::DeferredDelete ? QWidget::event(event) : true;
    }
    if (event->type() == QEvent::DeferredDelete) {
        return QWidget::event(event);
    }
    const Busy busy(*this);
    if (event->type() == QEvent::ShortcutOverride && editing()) {
        // A hot key is the control's while it has focus, before any shortcut of the window.
        auto* key = static_cast<QKeyEvent*>(event);
        if (keyboard_->hotKeyFor(qtconv::virtualKey(key->key(), key->modifiers()),
                                 qtconv::hotKeyModifiers(key->modifiers())) != 0) {
            event->accept();
            return true;
        }
        // A character typed here is text, not a caption's access key of this or another
        // control.
        const Qt::KeyboardModifiers mods = key->modifiers();
        if (!key->text().isEmpty() && key->text().at(0).isPrint() &&
            !mods.testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut) {
        if (mnemonics_.contains(static_cast<QShortcutEvent*>(event)->shortcutId())) {
            setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && !painted_ && editing()) {
        // Only a double click that comes before the first paint is the plain DblClick event;
        // later ones are handled as mouse input of the window.
        (void)control_.fireEvent(events::DblClick); // nothing follows
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
    const QPoint pos = event->position().toPoint();
    updateCursor(pos);
    const Point at = qtconv::fromQt(pos);
    if (buttonHeld_) {
        // Dragged off the button into the open list, the list tracks the pointer.
        if (!handedToList_ && !window_->layout().buttonRect.contains(at)) {
            if (window_->release()) {
                update(qtconv::toQt(window_->layout().buttonRect));
            }
            handedToList_ = list_->isVisible();
        }
        if (handedToList_) {
            const CVantilCtrl::LifeWatch watch(control_);
            list_->trackHandedPointer(event->globalPosition().toPoint(), false);
            if (!watch.survived()) {
                return;
            }
        }
    } else if (selecting_ && event->buttons().testFlag(Qt::LeftButton)) {
        QtSurface measure(&measure_);
        control_.editArea().placeCaret(window_->charIndexAt(measure, at), true);
    }
    if (editing()) {
        (void)raiseMouse(events::MouseMove, static_cast<int>(event->buttons()), event->modifiers(),
                         pos);
    }
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Point at = qtconv::fromQt(pos);
    if (!editing()) {
        if (event->button() == Qt::LeftButton && window_->pressAt(at)) {
            update(qtconv::toQt(window_->layout().buttonRect));
        }
        setFocus(Qt::MouseFocusReason);
        return;
    }
    // The window takes no focus from the click itself (its focus policy), so hasFocus() still
    // tells whether the control had focus before this press.
    if (event->button() != Qt::LeftButton ||
        (control_.properties().killClickFocus && !QWidget::hasFocus())) {
        (void)raiseMouse(events::MouseDown, static_cast<int>(event->button()), event->modifiers(),
                         pos);
        return;
    }
    if (window_->pressAt(at)) {
        update(qtconv::toQt(window_->layout().buttonRect));
        buttonHeld_ = true;
        (void)keyboard_->buttonPressed(); // the last step
        return;
    }
    if (!raiseMouse(events::MouseDown, Qt::LeftButton, event->modifiers(), pos)) {
        return;
    }
    if (dragDrop_->mousePress(*event)) {
        return; // a drag of the selection is pending: the caret stays until the release
    }
    if (window_->layout().inputRect.contains(at)) {
        QtSurface measure(&measure_);
        control_.editArea().placeCaret(window_->charIndexAt(measure, at), false);
        selecting_ = true;
    }
    setFocus(Qt::MouseFocusReason);
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    dragDrop_->mouseRelease(*event); // a pending drag that never started is a click
    selecting_ = false;
    const bool handed = handedToList_;
    buttonHeld_ = false;
    handedToList_ = false;
    if (handed) {
        const CVantilCtrl::LifeWatch watch(control_);
        list_->trackHandedPointer(event->globalPosition().toPoint(), true);
        if (!watch.survived()) {
            return; // the pick's Click or CloseUp handler destroyed or closed the control
        }
    } else if (window_->release()) {
        update(qtconv::toQt(window_->layout().buttonRect));
    }
    if (editing() && !raiseMouse(events::MouseUp, static_cast<int>(event->button()),
                                 event->modifiers(), event->position().toPoint())) {
        return;
    }
    if (event->button() == Qt::RightButton && editing()) {
        const QPoint at = event->position().toPoint();
        control_.requestContextMenu(at.x(), at.y());
    }
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!editing()) {
        return;
    }
    // A double click selects the whole text and counts as another press.
    const bool clickFocus = !(control_.properties().killClickFocus && !QWidget::hasFocus());
    if (event->button() == Qt::LeftButton && clickFocus &&
        !window_->layout().buttonRect.contains(qtconv::fromQt(event->position().toPoint()))) {
        control_.editArea().selectAll(true);
    }
    (void)raiseMouse(events::MouseDown, static_cast<int>(event->button()), event->modifiers(),
                     event->position().toPoint());
}

bool ControlWidget::raiseMouse(int event, int button, Qt::KeyboardModifiers mods, QPoint at) {
    // Button bits: left 1, right 2, middle 4 — Qt's own values.
    plat::automation::Variant args[] = {
        plat::automation::Variant(static_cast<std::int16_t>(button & 7)),
        plat::automation::Variant(qtconv::fromQt(mods).eventMask()),
        plat::automation::Variant(static_cast<std::int32_t>(at.x())),
        plat::automation::Variant(static_cast<std::int32_t>(at.y()))};
    return control_.fireEvent(event, args);
}

// ---- Drop-down ---------------------------------------------------------------------------

void ControlWidget::showDropDown(bool show) {
    if (editing() && isVisible()) {
        (void)keyboard_->showDropDown(show);
    }
}

bool ControlWidget::droppedState() const {
    return list_->isVisible();
}

void ControlWidget::outsidePress() {
    (void)keyboard_->outsidePress();
}

FocusMove ControlWidget::focusMoveAsked() {
    return keyboard_->focusMoveAsked();
}

Rect ControlWidget::inputAreaOnScreen() const {
    const Rect r = window_->inputArea();
    const QPoint g = mapToGlobal(QPoint(r.left, r.top));
    return Rect{g.x(), g.y(), g.x() + r.width(), g.y() + r.height()};
}

Rect ControlWidget::availableDesktop() const {
    const QScreen* s = screen();
    return s ? qtconv::fromQt(s->availableGeometry()) : Rect{0, 0, 1 << 15, 1 << 15};
}

void ControlWidget::setMouseHook(bool on) {
    ControlHooks::watchList(this, on);
}

void ControlWidget::startFirstMoveTimer(int ms) {
    QTimer::singleShot(ms, this, [this] {
        if (!detached_) {
            keyboard_->firstMoveTick();
        }
    });
}

void ControlWidget::requestContextMenu() {
    control_.requestContextMenu(width() / 2, height() / 2);
}

bool ControlWidget::listPicked() {
    return keyboard_->pick(list_->releasedInside());
}

bool ControlWidget::listColumnClicked(std::int32_t column) {
    const CListCell* header = list_->logic().geometry().grid().cell(0, column);
    if (header == nullptr) {
        return true;
    }
    plat::automation::Variant args[] = {
        plat::automation::Variant(static_cast<std::int16_t>(column)),
        plat::automation::Variant(plat::text::cp932::toUtf16(header->text.view()))};
    return control_.fireEvent(events::ColumnClick, args);
}

bool ControlWidget::listMouse(ListMouse message, Point at) {
    const QPoint pos(at.x, at.y);
    const Qt::KeyboardModifiers mods = QGuiApplication::keyboardModifiers();
    switch (message) {
    case ListMouse::Move:
        return raiseMouse(events::MouseMove, static_cast<int>(QGuiApplication::mouseButtons()),
                         mods, pos);
    case ListMouse::LeftDown:
    case ListMouse::LeftDouble:
        return raiseMouse(events::MouseDown, Qt::LeftButton, mods, pos);
    case ListMouse::LeftUp:
        return raiseMouse(events::MouseUp, Qt::LeftButton, mods, pos);
    case ListMouse::RightDown:
    case ListMouse::RightDouble:
        return raiseMouse(events::MouseDown, Qt::RightButton, mods, pos);
    case ListMouse::MiddleDown:
    case ListMouse::MiddleDouble:
        return raiseMouse(events::MouseDown, Qt::MiddleButton, mods, pos);
    case ListMouse::MiddleUp:
        return raiseMouse(events::MouseUp, Qt::MiddleButton, mods, pos);
    }
    return true;
}

void ControlWidget::updateMnemonic() {
    for (const int id : mnemonics_) {
        releaseShortcut(id);
    }
    mnemonics_.clear();
    // Computed here: the property change reaches the window before the control's own copy.
    const ControlProperties& p = control_.properties();
    const unsigned ch = p.captionAccelerator ? acceleratorCharacter(p.caption) : 0;
    if (ch == 0 || !editing()) {
        return;
    }
    std::string bytes;
    if (ch > 0xFF) {
        bytes.push_back(static_cast<char>(ch >> 8));
    }
    bytes.push_back(static_cast<char>(ch & 0xFF));
    const QString text = qtconv::textToQt(bytes).toUpper();
    if (text.isEmpty()) {
        return;
    }
    const int key = text.at(0).unicode();
    mnemonics_ << grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key))),
                               Qt::WindowShortcut)
               << grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier | Qt::ShiftModifier,
                                                            Qt::Key(key))),
                               Qt::WindowShortcut)
               // The character alone, while the focus is on a window that takes no text.
               << grabShortcut(QKeySequence(QKeyCombination(Qt::Key(key))), Qt::WindowShortcut);
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
    switch (id) {
    case dispids::DropDownVKeyCode:
    case dispids::DropDownModifierFlags:
    case dispids::CloseUpVKeyCode:
    case dispids::CloseUpModifierFlags:
        keyboard_->hotKeysChanged();
        break;
    case dispids::CausesFocusMovement:
        ControlHooks::guardFocus(this,
                                 editing() && control_.properties().causesFocusMovement);
        break;
    case dispids::Caption:
    case dispids::CaptionAccelerator:
        updateMnemonic();
        break;
    default:
        break;
    }
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
