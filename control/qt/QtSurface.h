// The drawing surface on a QPainter: a widget, a pixmap or an image.
#pragma once

#include "control/core/paint/Surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>
#include <string>
#include <vector>

namespace vantil {

// The fonts a window has painted with, kept from one paint to the next: a font made again for
// each paint looks its files up in the font database each time, which costs a line of
// scrolling more than its text does.
class QtFontCache {
public:
    struct Entry {
        plat::automation::FontDesc desc;
        QFont font;
        QFontMetrics metrics;
    };
    const Entry& fontFor(const plat::automation::FontDesc& desc);

private:
    static constexpr std::size_t kKept = 8;
    std::vector<Entry> entries_; // the most recently used last
};

class QtSurface final : public Surface {
public:
    // `fonts` (optional) is the window's font cache.
    explicit QtSurface(QPaintDevice* device, QtFontCache* fonts = nullptr);

    using Surface::frameRect;
    void fillRect(const Rect& r, Rgb colour) override;
    void frameRect(const Rect& r, Rgb topLeft, Rgb bottomRight) override;
    void dottedFrame(const Rect& r, Rgb colour) override;
    void focusRect(const Rect& r) override;
    void line(Point from, Point to, Rgb colour) override;
    void triangle(Point a, Point b, Point c, Rgb outline, Rgb fill) override;
    void invertRect(const Rect& r) override;
    void drawPicture(const Rect& square, const plat::automation::Picture& picture) override;
    void setFont(const FontRequest& font) override;
    int textWidth(std::string_view text) override;
    int lineHeight() override;
    void drawText(Point origin, std::string_view text, Rgb colour) override;
    void setClip(const Rect& r) override;
    void clearClip() override;

private:
    // The current font's metrics, made on first use.
    QFontMetrics& metrics();

    QPainter painter_;
    QtFontCache* fonts_ = nullptr;
    FontRequest request_;
    std::optional<QFontMetrics> metrics_;
    // The last text measured in the current font: one paint measures the input text for the
    // scrolling, the placement and the caret.
    std::string measuredText_;
    int measuredWidth_ = -1;
};

} // namespace vantil
