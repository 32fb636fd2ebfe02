// Showing and hiding the title tip, and passing input on to what lies under it.
#include "control/qt/TipWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace vantil {

TipWindow::TipWindow(QWidget* list)
    : QWidget(list, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                        Qt::WindowDoesNotAcceptFocus),
      list_(list) {
    setObjectName(QStringLiteral("TipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setCursor(Qt::ArrowCursor);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focus) {
        if (focus == nullptr) {
            hideTip();
        }
    });
}

void TipWindow::showTip(QPoint cellTopLeft, QSize cell, int width, const QString& text,
                        const QFont& font) {
    text_ = text;
    setFont(font);
    hover_ = QRect(QPoint(0, 0), cell);
    setGeometry(QRect(cellTopLeft, QSize(width, cell.height())));
    show();
    raise();
    grabMouse();
}

void TipWindow::hideTip() {
    if (isVisible()) {
        releaseMouse();
        hide();
    }
}

void TipWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawText(QPoint(0, fontMetrics().ascent()), text_);
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TipWindow::passOn(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    QWidget* target = QApplication::widgetAt(global);
    if (target == nullptr || target == this) {
        return;
    }
    QMouseEvent copy(event->type(), QPointF(target->mapFromGlobal(global)), QPointF(global),
                     event->button(), event->buttons(), event->modifiers());
    QApplication::sendEvent(target, &copy);
}

void TipWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!hover_.contains(event->position().toPoint())) {
        hideTip();
        passOn(event);
    }
}

void TipWindow::mousePressEvent(QMouseEvent* event) {
    hideTip();
    passOn(event);
}

void TipWindow::mouseReleaseEvent(QMouseEvent* event) {
    passOn(event);
}

void TipWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    hideTip();
    passOn(event);
}

void TipWindow::keyPressEvent(QKeyEvent* event) {
    hideTip();
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QApplication::sendEvent(list_, &copy);
}

} // namespace vantil
