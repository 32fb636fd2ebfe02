// Paints a whole slip grid in one pass: heading and totals areas, rows, grid lines, disabled
// cells greyed, the current cell marked, and the text being typed shown in place.
#pragma once

#include "platform/widgets/slipgrid/SlipGridGeometry.h"
#include "platform/widgets/slipgrid/SlipGridModel.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace plat::widgets {

struct SlipGridStyle {
    QColor background{255, 255, 255};
    QColor text{0, 0, 0};
    QColor gridLine{176, 184, 196};
    QColor areaLine{120, 130, 146};
    QColor headingBackground{222, 230, 242};
    QColor totalsBackground{238, 242, 230};
    QColor disabledBackground{214, 214, 214};
    QColor disabledText{128, 128, 128};
    QColor readOnlyBackground{246, 246, 246};
    QColor currentRowFill{240, 246, 255};
    QColor currentFill{204, 226, 255};
    QColor currentFrame{0, 84, 200};
    QColor currentFrameUnfocused{130, 150, 180};
    QColor editBackground{255, 255, 214};
    int padding = 3;
};

struct SlipPaintState {
    SlipView view;
    bool focused = false;
    bool editing = false;
    QString editText;
    QRect dirty; // the part to paint again; null: everything
};

void paintSlipGrid(QPainter& p, const SlipGridModel& model, const SlipGridGeometry& geometry,
                   const SlipGridStyle& style, const SlipPaintState& state);

} // namespace plat::widgets
