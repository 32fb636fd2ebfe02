// Banner label: a raised panel with a soft gradient and the caption centred in bold.
#include "platform/widgets/BannerLabel.h"

#include "platform/widgets/UiFont.h"

#include <QLinearGradient>
#include <QPainter>

namespace plat::widgets {

BannerLabel::BannerLabel(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    QFont f = uiFont(14);
    f.setBold(true);
    setFont(f);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void BannerLabel::setCaption(const QString& caption) {
    caption_ = caption;
    updateGeometry();
    update();
}

void BannerLabel::Refresh() {
    ++refreshCount_;
    if (isVisible())
        repaint();
}

QSize BannerLabel::sizeHint() const {
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(caption_) + 32, fm.height() + 20};
}

void BannerLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(0x2f, 0x5d, 0x9a));
    g.setColorAt(1.0, QColor(0x1b, 0x3a, 0x66));
    p.setPen(QPen(QColor(0x10, 0x26, 0x45), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(rect().translated(1, 1), Qt::AlignCenter, caption_);
    p.setPen(Qt::white);
    p.drawText(rect(), Qt::AlignCenter, caption_);
}

} // namespace plat::widgets
