// Every conversion between the control's core types and Qt's: rectangles, points, colours,
// code page 932 text, fonts and pointer shapes.
#pragma once

#include "control/core/paint/PointerFeedback.h"
#include "control/core/paint/Surface.h"
#include "platform/text/Cp932.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cmath>

namespace vantil::qtconv {

// The font family used when the requested one is not installed.
inline constexpr const char* kFallbackFamily = "IPAPGothic";

inline QRect toQt(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

inline Rect fromQt(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QPoint toQt(Point p) {
    return QPoint(p.x, p.y);
}

inline Point fromQt(QPoint p) {
    return Point{p.x(), p.y()};
}

inline QColor toQt(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

inline Rgb fromQt(const QColor& c) {
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

inline QString textToQt(std::string_view cp932) {
    const std::u16string wide = plat::text::cp932::toUtf16(cp932);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

inline QString utf8ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline QString textToQt(std::u16string_view wide) {
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

// Fonts are sized in pixels as the control's screens are laid out: points at 96 dots per inch.
inline QFont toQt(const plat::automation::FontDesc& d) {
    QFont f;
    f.setFamilies({textToQt(std::u16string_view(d.name)), QString::fromLatin1(kFallbackFamily)});
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(d.size.toDouble() * 96.0 / 72.0))));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(d.weight / 10 * 10, 100, 900)));
    f.setItalic(d.italic);
    f.setUnderline(d.underline);
    f.setStrikeOut(d.strikethrough);
    // Crisp glyphs in exactly the requested colour, as the control has always drawn them.
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

inline Qt::CursorShape toQt(CursorShape shape) {
    switch (shape) {
    case CursorShape::Cross:
        return Qt::CrossCursor;
    case CursorShape::IBeam:
        return Qt::IBeamCursor;
    case CursorShape::SizeAll:
    case CursorShape::SizeAllDirections:
        return Qt::SizeAllCursor;
    case CursorShape::SizeNESW:
        return Qt::SizeBDiagCursor;
    case CursorShape::SizeNS:
        return Qt::SizeVerCursor;
    case CursorShape::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case CursorShape::SizeWE:
        return Qt::SizeHorCursor;
    case CursorShape::UpArrow:
        return Qt::UpArrowCursor;
    case CursorShape::Wait:
        return Qt::WaitCursor;
    case CursorShape::NoDrop:
        return Qt::ForbiddenCursor;
    case CursorShape::ArrowWait:
        return Qt::BusyCursor;
    case CursorShape::ArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace vantil::qtconv
