// Outer borders frame by frame, and 3D text as offset copies.
#include "control/core/paint/BorderPainter.h"

namespace vantil {

namespace {

enum class Frame { Line, Sunken, Raised, Gap };

// Draws `count` frames of one kind and moves `r` inwards past them.
void frames(Surface& s, Rect& r, int count, Frame kind, const BorderColors& c) {
    for (int i = 0; i < count && !r.empty(); ++i) {
        switch (kind) {
        case Frame::Line:
            s.frameRect(r, c.border);
            break;
        case Frame::Sunken:
            s.frameRect(r, c.shadow, c.light);
            break;
        case Frame::Raised:
            s.frameRect(r, c.light, c.shadow);
            break;
        case Frame::Gap:
            s.frameRect(r, c.back);
            break;
        }
        r = r.deflated(1, 1);
    }
}

void triple(Surface& s, Rect& r, const BorderWidths& w, Frame outer, Frame inner,
            const BorderColors& c) {
    frames(s, r, w.outer, outer, c);
    frames(s, r, w.width, Frame::Gap, c);
    frames(s, r, w.inner, inner, c);
}

} // namespace

Rect drawOuterBorder(Surface& s, const Rect& rect, BorderStyleConstants style,
                     const BorderWidths& w, const BorderColors& c) {
    using enum BorderStyleConstants;
    Rect r = rect;
    switch (style) {
    case lxbs_細線:
    case lxbs_太線:
        frames(s, r, w.width, Frame::Line, c);
        break;
    case lxbs_二重線:
        triple(s, r, w, Frame::Line, Frame::Line, c);
        break;
    case lxbs_浅凹:
    case lxbs_深凹:
        frames(s, r, w.width, Frame::Sunken, c);
        if (!r.empty()) {
            s.frameRect(r, c.darkShadow3D, c.light3D);
            r = r.deflated(1, 1);
        }
        break;
    case lxbs_二重凹:
        triple(s, r, w, Frame::Sunken, Frame::Sunken, c);
        break;
    case lxbs_低凸:
    case lxbs_高凸:
        frames(s, r, w.width, Frame::Raised, c);
        break;
    case lxbs_二重凸:
        triple(s, r, w, Frame::Raised, Frame::Raised, c);
        break;
    case lxbs_細凹線:
    case lxbs_太凹線:
        triple(s, r, w, Frame::Sunken, Frame::Raised, c);
        break;
    case lxbs_細凸線:
    case lxbs_太凸線:
        triple(s, r, w, Frame::Raised, Frame::Sunken, c);
        break;
    default:
        break;
    }
    return r;
}

std::vector<TextCopy> textEffectCopies(Font3DConstants effect) {
    using R = TextRole;
    using enum Font3DConstants;
    if (effect == kFont3DThickened) {
        return {{0, -1, R::Text}, {1, -1, R::Text}, {0, 0, R::Text}, {1, 0, R::Text}};
    }
    switch (effect) {
    case lxf3d_凸型:
        return {{0, -1, R::Light}, {1, 0, R::Text}};
    case lxf3d_凸型影付き:
        return {{0, -1, R::Light}, {2, 1, R::Shadow}, {1, 0, R::Text}};
    case lxf3d_凹型:
        return {{1, 0, R::Light}, {0, -1, R::Text}};
    case lxf3d_凹型影付き:
        return {{0, -1, R::Shadow}, {2, 1, R::Light}, {1, 0, R::Text}};
    case lxf3d_影付き:
        return {{2, 1, R::Shadow}, {0, -1, R::Text}};
    case lxf3d_縁取り:
        return {{0, -1, R::Light},
                {2, -1, R::Light},
                {0, 1, R::Light},
                {2, 1, R::Light},
                {1, 0, R::Text}};
    default:
        return {{0, 0, R::Text}};
    }
}

void drawWithEffect(Font3DConstants effect, Point origin, const TextColors& colors,
                    const std::function<void(Point, Rgb)>& draw) {
    for (const TextCopy& c : textEffectCopies(effect)) {
        const Rgb colour = c.role == TextRole::Text    ? colors.text
                           : c.role == TextRole::Light ? colors.light
                                                       : colors.shadow;
        draw(Point{origin.x + c.dx, origin.y + c.dy}, colour);
    }
}

void drawText3D(Surface& s, Font3DConstants effect, Point origin, std::string_view text,
                const TextColors& colors) {
    drawWithEffect(effect, origin, colors,
                   [&](Point p, Rgb colour) { s.drawText(p, text, colour); });
}

} // namespace vantil
