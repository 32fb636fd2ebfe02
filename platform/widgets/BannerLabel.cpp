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
    // The panel is drawn once per size and caption; a refresh only copies it.
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.size() != size() * ratio || cachedCaption_ != caption_) {
        cache_ = QPixmap(size() * ratio);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(Qt::transparent);
        QPainter p(&cache_);
        p.setFont(font());
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
        cachedCaption_ = caption_;
    }
    QPainter(this).drawPixmap(0, 0, cache_);
}

} // namespace plat::widgets
