// The title tip ("TipWindow"): a small top-most window over a cell too narrow for its text.
// It captures the pointer while shown and hides when the pointer leaves the cell, on a key or
// a button press (each passed on to the window under the pointer or to the list) and when no
// window of the program has the focus.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace vantil {

class TipWindow final : public QWidget {
    Q_OBJECT
public:
    // `list` receives keys and the left button pressed inside the tip.
    explicit TipWindow(QWidget* list);

    // Shows `text` over the cell whose top-left corner is at `cellTopLeft` (screen
    // coordinates), `width` wide and as high as the cell.
    void showTip(QPoint cellTopLeft, QSize cell, int width, const QString& text, const QFont& font);
    void hideTip();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sends a copy of `event` to the widget under its screen position, or to the list's
    // client area when the tip covered it.
    void passOn(QMouseEvent* event);

    QWidget* list_;
    QString text_;
    QRect hover_; // the cell, in the tip's coordinates
};

} // namespace vantil
