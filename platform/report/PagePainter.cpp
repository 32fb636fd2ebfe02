// Labels and fields as clipped single-line texts, borders, lines and rectangles.
#include "platform/report/PagePainter.h"

#include "platform/report/FontMap.h"

#include <QPaintDevice>
#include <QPainter>

#include <map>
#include <tuple>

namespace plat::report {

namespace {

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QPen penOf(int lineWidth) {
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1, lineWidth));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

} // namespace

void useTwips(QPainter& painter, const QPaintDevice& device) {
    painter.scale(device.logicalDpiX() / double(kTwipsPerInch),
                  device.logicalDpiY() / double(kTwipsPerInch));
}

void paintPage(const Document& document, int pageIndex, QPainter& painter) {
    if (pageIndex < 0 || pageIndex >= document.pageCount())
        return;
    const Page& page = document.pages[pageIndex];

    // Fonts are looked up once per face and size on a page, not per text.
    std::map<std::tuple<std::string, double, bool>, QFont> fonts;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlacedControl& c : page.controls) {
        const QRectF rect(c.left, c.top, c.width, c.height);
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::Field: {
            if (c.border) {
                painter.setPen(penOf(c.lineWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect);
            }
            if (c.text.empty())
                break;
            auto key = std::make_tuple(c.font.name, c.font.size, c.font.bold);
            auto found = fonts.find(key);
            if (found == fonts.end())
                found = fonts.emplace(key, twipsFont(c.font)).first;
            painter.setFont(found->second);
            painter.setPen(Qt::black);
            painter.drawText(rect,
                             int(alignmentOf(c.align) | Qt::AlignVCenter | Qt::TextSingleLine),
                             QString::fromStdString(c.text));
            break;
        }
        case ControlKind::Line:
            painter.setPen(penOf(c.lineWidth));
            painter.drawLine(QPointF(c.left, c.top), QPointF(c.left + c.width, c.top + c.height));
            break;
        }
    }
    painter.restore();
}

} // namespace plat::report
