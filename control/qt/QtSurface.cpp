// Drawing with QPainter: one-pixel frames and lines as filled rectangles so they cover exactly
// the pixels the core asks for, dotted frames pixel by pixel, text through QFont.
#include "control/qt/QtSurface.h"

#include "control/qt/QtConvert.h"

#include <QPixmap>
#include <QPolygon>

#include <algorithm>
#include <iterator>

namespace vantil {

using namespace qtconv;

const QtFontCache::Entry& QtFontCache::fontFor(const plat::automation::FontDesc& desc) {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->desc == desc) {
            if (it != entries_.rbegin()) {
                std::rotate(std::prev(it.base()), it.base(), entries_.end());
            }
            return entries_.back();
        }
    }
    if (entries_.size() == kKept) {
        entries_.erase(entries_.begin());
    }
    const QFont f = toQt(desc);
    entries_.push_back(Entry{desc, f, QFontMetrics(f)});
    return entries_.back();
}

QtSurface::QtSurface(QPaintDevice* device, QtFontCache* fonts) : painter_(device), fonts_(fonts) {}

QFontMetrics& QtSurface::metrics() {
    if (!metrics_) {
        setFont(request_);
    }
    return *metrics_;
}

void QtSurface::fillRect(const Rect& r, Rgb colour) {
    if (!r.empty()) {
        painter_.fillRect(toQt(r), toQt(colour));
    }
}

void QtSurface::frameRect(const Rect& r, Rgb topLeft, Rgb bottomRight) {
    if (r.empty()) {
        return;
    }
    const QColor tl = toQt(topLeft);
    const QColor br = toQt(bottomRight);
    painter_.fillRect(QRect(r.left, r.top, r.width(), 1), tl);
    painter_.fillRect(QRect(r.left, r.top, 1, r.height()), tl);
    painter_.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), br);
    painter_.fillRect(QRect(r.right - 1, r.top + 1, 1, r.height() - 1), br);
}

void QtSurface::dottedFrame(const Rect& r, Rgb colour) {
    if (r.empty()) {
        return;
    }
    const QColor c = toQt(colour);
    // Alternate pixels of the perimeter, in a checker pattern anchored at the top-left corner.
    const auto dot = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 == 0) {
            painter_.fillRect(QRect(x, y, 1, 1), c);
        }
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

void QtSurface::focusRect(const Rect& r) {
    // The platform's focus rectangle inverts alternate pixels, so it shows on any colour.
    if (r.empty()) {
        return;
    }
    const QPainter::CompositionMode old = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(255, 255, 255);
    for (int x = r.left; x < r.right; x += 2) {
        painter_.fillRect(QRect(x, r.top, 1, 1), white);
        painter_.fillRect(QRect(x, r.bottom - 1, 1, 1), white);
    }
    for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
        painter_.fillRect(QRect(r.left, y, 1, 1), white);
        painter_.fillRect(QRect(r.right - 1, y, 1, 1), white);
    }
    painter_.setCompositionMode(old);
}

void QtSurface::line(Point from, Point to, Rgb colour) {
    if (from.x == to.x || from.y == to.y) {
        const int l = std::min(from.x, to.x);
        const int t = std::min(from.y, to.y);
        painter_.fillRect(QRect(l, t, std::abs(to.x - from.x) + 1, std::abs(to.y - from.y) + 1),
                          toQt(colour));
        return;
    }
    painter_.setPen(toQt(colour));
    painter_.drawLine(toQt(from), toQt(to));
}

void QtSurface::triangle(Point a, Point b, Point c, Rgb outline, Rgb fill) {
    QPolygon poly;
    poly << toQt(a) << toQt(b) << toQt(c);
    painter_.setPen(toQt(outline));
    painter_.setBrush(toQt(fill));
    painter_.drawPolygon(poly);
    painter_.setBrush(Qt::NoBrush);
}

void QtSurface::invertRect(const Rect& r) {
    if (r.empty()) {
        return;
    }
    const QPainter::CompositionMode old = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.fillRect(toQt(r), QColor(255, 255, 255));
    painter_.setCompositionMode(old);
}

void QtSurface::drawPicture(const Rect& square, const plat::automation::Picture& picture) {
    QPixmap pixmap;
    const std::vector<std::uint8_t>& bytes = picture.bytes();
    if (!square.empty() && pixmap.loadFromData(bytes.data(), static_cast<uint>(bytes.size()))) {
        painter_.drawPixmap(toQt(square), pixmap);
    }
}

void QtSurface::setFont(const FontRequest& font) {
    if (metrics_ && font == request_) {
        return;
    }
    request_ = font;
    measuredWidth_ = -1;
    if (fonts_ != nullptr) {
        const QtFontCache::Entry& cached = fonts_->fontFor(font.desc);
        metrics_.emplace(cached.metrics);
        painter_.setFont(cached.font);
        return;
    }
    const QFont f = toQt(font.desc);
    metrics_.emplace(f);
    painter_.setFont(f);
}

int QtSurface::textWidth(std::string_view text) {
    if (measuredWidth_ < 0 || text != measuredText_) {
        measuredText_.assign(text);
        measuredWidth_ = metrics().horizontalAdvance(textToQt(text));
    }
    return measuredWidth_;
}

int QtSurface::lineHeight() {
    return metrics().height();
}

void QtSurface::drawText(Point origin, std::string_view text, Rgb colour) {
    painter_.setPen(toQt(colour));
    if (request_.angle == 0) {
        painter_.drawText(QPoint(origin.x, origin.y + metrics().ascent()), textToQt(text));
        return;
    }
    painter_.save();
    painter_.translate(origin.x, origin.y);
    // A font turned by 270 degrees writes downwards: a clockwise quarter turn on the screen.
    painter_.rotate(360 - request_.angle);
    painter_.drawText(QPoint(0, metrics().ascent()), textToQt(text));
    painter_.restore();
}

void QtSurface::setClip(const Rect& r) {
    painter_.setClipRect(toQt(r));
}

void QtSurface::clearClip() {
    painter_.setClipping(false);
}

} // namespace vantil
