// Keys, typed text, focus, clicks and the clipboard of the windowed host on Qt.
#include "tools/vantil-host/QtWindowDriver.h"

#include "tools/vantil-host/Texts.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace vantil_host {

namespace {

// Names Qt's key sequences spell differently.
QString portableName(const std::string& name) {
    const QString n = QString::fromStdString(name);
    if (n.compare(QLatin1String("Delete"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Del");
    if (n.compare(QLatin1String("Insert"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Ins");
    if (n.compare(QLatin1String("PageUp"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("PgUp");
    if (n.compare(QLatin1String("PageDown"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("PgDown");
    return n;
}

// The text a key types without Ctrl or Alt, as a keyboard sends it.
QString keyText(int key, bool shift) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar c(static_cast<char16_t>(key));
        return shift ? QString(c) : QString(c.toLower());
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return QString(QChar(static_cast<char16_t>(key)));
    switch (key) {
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QString(QChar(27));
    case Qt::Key_Backspace:
        return QString(QChar(8));
    default:
        return {};
    }
}

void press(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(target, &up);
    QCoreApplication::processEvents();
}

} // namespace

QWidget* QtWindowDriver::control() const {
    const auto children = form_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : children.front();
}

std::string QtWindowDriver::key(const KeyChord& chord) {
    const QKeySequence sequence = QKeySequence::fromString(portableName(chord.name));
    const int key = sequence.count() == 1 ? sequence[0].key() : Qt::Key_unknown;
    if (key == Qt::Key_unknown || key == 0 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return texts::kUnknownKey;
    Qt::KeyboardModifiers mods;
    mods.setFlag(Qt::ShiftModifier, chord.shift);
    mods.setFlag(Qt::ControlModifier, chord.ctrl);
    mods.setFlag(Qt::AltModifier, chord.alt);
    const QString text = chord.ctrl || chord.alt ? QString() : keyText(key, chord.shift);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : control();
    if (target)
        press(target, key, mods, text);
    return {};
}

std::string QtWindowDriver::type(const std::u16string& text) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : control();
    if (!target)
        return texts::kNoWindow;
    for (const char16_t ch : text) {
        const QChar c(ch);
        const QChar upper = c.toUpper();
        const bool keyed = (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        const int key = keyed ? upper.unicode() : 0;
        press(target, key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }
    return {};
}

std::string QtWindowDriver::focus() {
    QWidget* c = control();
    if (!c)
        return texts::kNoWindow;
    form_.activateWindow();
    c->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    return c->hasFocus() ? std::string() : std::string(texts::kNoFocus);
}

void QtWindowDriver::runUntil(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

std::string QtWindowDriver::where() {
    QWidget* c = control();
    if (!c)
        return texts::kNoWindow;
    const QPoint at = c->mapToGlobal(QPoint(0, 0));
    return std::to_string(at.x()) + " " + std::to_string(at.y()) + " " +
           std::to_string(c->width()) + " " + std::to_string(c->height());
}

std::string QtWindowDriver::blur() {
    if (QWidget* c = control())
        c->clearFocus();
    QCoreApplication::processEvents();
    return {};
}

// The control window's open drop-down list, found by the property it carries.
static QWidget* openList(QWidget* control) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->property("controlWindow").value<QObject*>() == control)
            return w;
    }
    return nullptr;
}

bool QtWindowDriver::dropped() {
    QWidget* c = control();
    bool open = false;
    if (c)
        QMetaObject::invokeMethod(c, "droppedState", Qt::DirectConnection,
                                  Q_RETURN_ARG(bool, open));
    return open;
}

std::string QtWindowDriver::click(int x, int y) {
    QWidget* c = control();
    if (!c)
        return texts::kNoWindow;
    QPointF local(x, y);
    const QPointF global = c->mapToGlobal(local);
    if (QWidget* list = openList(c); list && list->geometry().contains(global.toPoint())) {
        // The list's rows live in its scroll area's viewport.
        QWidget* viewport = list->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
        c = viewport ? viewport : list;
        local = c->mapFromGlobal(global);
    }
    QMouseEvent down(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(c, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(c, &up);
    QCoreApplication::processEvents();
    return {};
}

std::string QtWindowDriver::menu(int x, int y, const std::string& key, std::string& lines) {
    QWidget* c = control();
    if (!c)
        return texts::kNoWindow;
    auto shownLines = std::make_shared<std::string>("(none)");
    // The popup runs its own loop inside the release; it is read and answered from there.
    QTimer::singleShot(0, c, [shownLines, key] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        QStringList shown;
        for (const QAction* a : popup->actions()) {
            shown << (a->isSeparator() ? QStringLiteral("-")
                      : a->isEnabled() ? a->text()
                                       : QLatin1Char('[') + a->text() + QLatin1Char(']'));
        }
        *shownLines = shown.join(QLatin1Char('|')).toStdString();
        if (key.empty()) {
            popup->close();
            return;
        }
        const QChar k = QChar::fromLatin1(key.front()).toUpper();
        const QPointer<QMenu> open(popup);
        press(popup, Qt::Key_A + (k.unicode() - u'A'), Qt::NoModifier, QString(k.toLower()));
        if (open && open->isVisible())
            open->close(); // no enabled entry has that access key
    });
    const QPointF local(x, y);
    const QPointF global = c->mapToGlobal(local);
    QMouseEvent down(QEvent::MouseButtonPress, local, global, Qt::RightButton, Qt::RightButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(c, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, local, global, Qt::RightButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(c, &up);
    QCoreApplication::processEvents();
    lines = *shownLines;
    return {};
}

std::optional<std::u16string> QtWindowDriver::clipboardText() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isNull())
        return std::nullopt;
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

void QtWindowDriver::setClipboardText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    QCoreApplication::processEvents();
}

} // namespace vantil_host
