// The drawing surface on a QPainter: a widget, a pixmap or an image.
#pragma once

#include "control/core/paint/Surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>
#include <string>

namespace vantil {

class QtSurface final : public Surface {
public:
    explicit QtSurface(QPaintDevice* device);

    using Surface::frameRect;
    void fillRect(const Rect& r, Rgb colour) override;
    void frameRect(const Rect& r, Rgb topLeft, Rgb bottomRight) override;
    void dottedFrame(const Rect& r, Rgb colour) override;
    void focusRect(const Rect& r) override;
    void line(Point from, Point to, Rgb colour) override;
    void triangle(Point a, Point b, Point c, Rgb outline, Rgb fill) override;
    void invertRect(const Rect& r) override;
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
    FontRequest request_;
    std::optional<QFontMetrics> metrics_;
    // The last text measured in the current font: one paint measures the input text for the
    // scrolling, the placement and the caret.
    std::string measuredText_;
    int measuredWidth_ = -1;
};

} // namespace vantil
