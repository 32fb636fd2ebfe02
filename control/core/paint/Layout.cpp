// The layout arithmetic of the control's rectangles.
#include "control/core/paint/Layout.h"

#include <algorithm>

namespace vantil {

int outerBorderWidth(BorderStyleConstants style, int width, int inner, int outer) {
    if (hasInnerOuterBorders(style))
        return width + inner + outer;
    using enum BorderStyleConstants;
    switch (style) {
    case lxbs_細線:
    case lxbs_太線:
    case lxbs_低凸:
    case lxbs_高凸:
        return width;
    case lxbs_浅凹:
    case lxbs_深凹:
        return width + 1;
    default:
        return 0;
    }
}

int inputAreaBorderWidth(InputAreaBorderConstants inputAreaBorder) {
    return std::clamp<int>(static_cast<std::int16_t>(inputAreaBorder), 0, 2);
}

int focusBorderWidth(FocusBorderConstants focusBorder) {
    return focusBorder == FocusBorderConstants::lxfb_なし ? 0 : 2;
}

namespace {

// The caption's extent along the split axis, in pixels, for an interior `length` long.
int captionExtent(const ControlProperties& p, int length) {
    if (p.captionRatio >= 100) {
        return length;
    }
    if (p.captionSize > 0) {
        return std::min<int>(p.captionSize, length);
    }
    if (p.captionRatio >= 1) {
        return static_cast<int>(static_cast<long long>(length) * p.captionRatio / 100);
    }
    return 0;
}

} // namespace

ControlLayout computeLayout(const ControlProperties& p, const Rect& client) {
    ControlLayout l;
    l.client = client;
    const int border = outerBorderWidth(BorderStyleConstants{p.borderStyle}, p.borderWidth,
                                        p.innerBorderWidth, p.outerBorderWidth);
    l.interior = client.deflated(border, border);
    const Rect& in = l.interior;
    using enum CaptionPositionConstants;
    const bool horizontal = p.captionPosition == lxcp_左 || p.captionPosition == lxcp_右;
    const int extent = captionExtent(p, horizontal ? in.width() : in.height());
    Rect input = in;
    switch (p.captionPosition) {
    case lxcp_右:
        l.captionRect = Rect{in.right - extent, in.top, in.right, in.bottom};
        input.right = l.captionRect.left;
        break;
    case lxcp_上:
        l.captionRect = Rect{in.left, in.top, in.right, in.top + extent};
        input.top = l.captionRect.bottom;
        break;
    case lxcp_下:
        l.captionRect = Rect{in.left, in.bottom - extent, in.right, in.bottom};
        input.bottom = l.captionRect.top;
        break;
    default:
        l.captionRect = Rect{in.left, in.top, in.left + extent, in.bottom};
        input.left = l.captionRect.right;
        break;
    }
    if (p.captionRatio >= 100 || input.empty()) {
        input = Rect{input.left, input.top, input.left, input.top};
    }
    l.inputOuter = input;
    const int iab = inputAreaBorderWidth(InputAreaBorderConstants{p.inputAreaBorder});
    l.inputRect = input.deflated(iab, iab);
    if (!l.inputRect.empty()) {
        const Rect& r = l.inputRect;
        l.buttonRect = Rect{std::max(r.left, r.right - kButtonWidth), r.top, r.right, r.bottom};
        const int fb = focusBorderWidth(FocusBorderConstants{p.focusBorder});
        l.textRect = Rect{r.left, r.top, l.buttonRect.left, r.bottom}.deflated(fb, fb);
    } else {
        l.buttonRect = Rect{l.inputRect.left, l.inputRect.top, l.inputRect.left, l.inputRect.top};
        l.textRect = l.buttonRect;
    }
    return l;
}

int heightForDefHeight(const ControlLayout& layout, int defHeight) {
    return layout.client.height() + defHeight - layout.inputRect.height();
}

} // namespace vantil
