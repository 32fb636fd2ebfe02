// Helpers for the window-system layer's tests: the test program's QApplication (offscreen),
// painting a control's properties onto an image with the fixed classic palette, and pixel
// probes.
#pragma once

#include "control/core/paint/ControlPainter.h"
#include "control/qt/QtConvert.h"
#include "control/qt/QtSurface.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/support/Application.h"

#include <QApplication>
#include <QImage>

namespace vantil::test {

using testsupport::qtApp;

inline QImage render(const ControlProperties& p, int w, int h, const PaintState& st = {}) {
    qtApp();
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    {
        QtSurface s(&img);
        paintControl(s, p, computeLayout(p, Rect{0, 0, w, h}), st, FixedPalette());
    }
    return img;
}

inline Rgb pixel(const QImage& img, int x, int y) {
    return qtconv::fromQt(img.pixelColor(x, y));
}

// Columns in [from, to) of rows [top, bottom) that hold a pixel of `colour`.
inline std::vector<int> columnsWith(const QImage& img, Rgb colour, int from, int to, int top,
                                    int bottom) {
    std::vector<int> out;
    for (int x = from; x < to; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (pixel(img, x, y) == colour) {
                out.push_back(x);
                break;
            }
        }
    }
    return out;
}

inline int countPixels(const QImage& img, Rgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += pixel(img, x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

} // namespace vantil::test
