// Every conversion between the control's core types and Qt's: rectangles, points, colours,
// code page 932 text, fonts, pointer shapes, and keys with their modifiers and characters.
#pragma once

#include "control/core/edit/EditServices.h"
#include "control/core/paint/PointerFeedback.h"
#include "control/core/paint/Surface.h"
#include "platform/text/Cp932.h"
#include "platform/widgets/VirtualKeys.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cmath>
#include <vector>

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

// Code page 932 bytes of a Qt text; characters without a code become "?".
inline std::string textFromQt(const QString& s) {
    return plat::text::cp932::fromUtf16(std::u16string_view(
        reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())));
}

// Qt modifiers as hot-key modifiers: Alt 1, Ctrl 2, Shift 4.
inline int hotKeyModifiers(Qt::KeyboardModifiers m) {
    return (m.testFlag(Qt::AltModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::ShiftModifier) ? 4 : 0);
}

inline KeyModifiers fromQt(Qt::KeyboardModifiers m) {
    return KeyModifiers{m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
                        m.testFlag(Qt::AltModifier)};
}

// Qt keys as the platform's virtual-key codes: what KeyDown, KeyUp and the two hot keys
// (DropDownVKeyCode, CloseUpVKeyCode) carry; 0 for keys without one. `mods` tells the numeric
// keypad's keys (Qt::KeypadModifier) from the main block's.
inline int virtualKey(int key, Qt::KeyboardModifiers mods = {}) {
    return plat::widgets::virtualKey(key, mods);
}

// The characters a key press types, as the key-press handler takes them: Ctrl+letter as its
// control code, Backspace 8, Return 13, Escape 27, and the event's text otherwise (a
// double-byte character as lead * 256 + trail).
inline std::vector<unsigned> keyCharacters(const QKeyEvent& e) {
    const Qt::KeyboardModifiers m = e.modifiers();
    const int key = e.key();
    if (m.testFlag(Qt::ControlModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z && !m.testFlag(Qt::AltModifier)) {
            return {static_cast<unsigned>(key - Qt::Key_A + 1)};
        }
        return {};
    }
    switch (key) {
    case Qt::Key_Backspace:
        return {chars::Backspace};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {chars::Return};
    case Qt::Key_Escape:
        return {chars::Escape};
    default:
        break;
    }
    if (m.testFlag(Qt::AltModifier)) {
        return {};
    }
    std::vector<unsigned> out;
    const std::string bytes = textFromQt(e.text());
    for (std::size_t i = 0; i < bytes.size(); i += plat::text::cp932::charLength(bytes, i)) {
        const unsigned code = plat::text::cp932::charCode(bytes, i);
        if (code >= 0x20 && code != 0x7F) {
            out.push_back(code);
        }
    }
    return out;
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
