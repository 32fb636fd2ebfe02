// Drawing of the program's icon with shapes only (no text), so it needs no fonts.
#include "app/frame/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tamsel {

QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(0x3a, 0x6e, 0xb4));
    tile.setColorAt(1, QColor(0x1b, 0x3a, 0x66));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // The ledger sheet: a page with a heading band and ruled lines.
    p.setBrush(QColor(0xfb, 0xfb, 0xf7));
    p.drawRoundedRect(QRectF(12, 10, 34, 44), 3, 3);
    p.setBrush(QColor(0xc8, 0x3a, 0x2e));
    p.drawRect(QRectF(12, 10, 34, 7));
    p.setPen(QPen(QColor(0x8a, 0x9b, 0xb5), 1.4));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(16, 23 + i * 6), QPointF(42, 23 + i * 6));
    p.drawLine(QPointF(24, 20), QPointF(24, 50));

    // The clock of the working hours.
    p.setPen(QPen(QColor(0x1b, 0x3a, 0x66), 2));
    p.setBrush(QColor(0xf5, 0xb7, 0x2a));
    p.drawEllipse(QPointF(45, 45), 12, 12);
    p.setPen(QPen(QColor(0x1b, 0x3a, 0x66), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(45, 45), QPointF(45, 37.5));
    p.drawLine(QPointF(45, 45), QPointF(50.5, 48));
    return image;
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

} // namespace tamsel
