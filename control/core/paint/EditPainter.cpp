// Placement and painting of the focused input text.
#include "control/core/paint/EditPainter.h"

#include "platform/text/Cp932.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace vantil {

namespace cp932 = plat::text::cp932;

namespace {

// The text as shown with focus: the composition sits at the caret and the caret after it.
struct Placement {
    Rect r;
    std::string shown;
    std::int32_t caret = 0; // character index in `shown`
    int x0 = 0;             // x of the first character
    int y = 0;
    int height = 0;
    int width = 0;
};

// Pixels the text may use: the caret's pixel after the last character stays inside.
int visibleWidth(const Rect& r) {
    return std::max(1, r.width() - 1);
}

int prefixWidth(Surface& s, std::string_view text, std::int32_t chars) {
    return chars <= 0 ? 0 : s.textWidth(cp932::leftChars(text, static_cast<std::size_t>(chars)));
}

// The caret of a placed text.
Rect caretOf(Surface& s, const ControlProperties& p, const Placement& pl) {
    const int x = pl.x0 + prefixWidth(s, pl.shown, pl.caret);
    int width = 1;
    if (!p.edit.insertMode) {
        const std::string_view rest =
            cp932::midChars(pl.shown, static_cast<std::size_t>(pl.caret), 1);
        width = std::max(1, s.textWidth(rest.empty() ? std::string_view("0") : rest));
    }
    return Rect{x, pl.y, x + width, pl.y + pl.height};
}

Placement place(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                std::string_view composition) {
    Placement pl;
    pl.r = inputTextRect(layout);
    const std::int32_t caret = std::clamp(p.edit.caret, 0, p.edit.charCount);
    pl.shown = p.text;
    pl.caret = caret;
    if (!composition.empty()) {
        pl.shown.insert(cp932::byteOffset(p.text, static_cast<std::size_t>(caret)), composition);
        pl.caret += static_cast<std::int32_t>(cp932::charCount(composition));
    }
    s.setFont(FontRequest{p.font, 0});
    pl.width = s.textWidth(pl.shown);
    pl.height = s.lineHeight();
    const Rect& r = pl.r;
    if (pl.width > visibleWidth(r)) {
        pl.x0 = r.left - p.edit.horizontalOffset;
    } else if (AlignmentHConstants{p.alignmentH} == AlignmentHConstants::lxah_右揃え) {
        pl.x0 = r.right - pl.width;
    } else if (AlignmentHConstants{p.alignmentH} == AlignmentHConstants::lxah_中央揃え) {
        pl.x0 = r.left + (r.width() - pl.width) / 2;
    } else {
        pl.x0 = r.left;
    }
    pl.y = r.top + (r.height() - pl.height) / 2;
    return pl;
}

} // namespace

Rect inputTextRect(const ControlLayout& layout) {
    return layout.textRect.deflated(-1, 0);
}

int scrolledOffset(int offset, int caretX, int textWidth, int visible) {
    const int quarter = std::max(1, visible / 4);
    while (caretX > offset + visible) {
        const int step = std::min(quarter, textWidth - (offset + visible));
        if (step <= 0) {
            return caretX - visible;
        }
        offset += step;
    }
    while (caretX < offset) {
        offset = std::max(0, offset - quarter);
    }
    return offset;
}

void scrollToCaret(Surface& s, ControlProperties& p, const ControlLayout& layout,
                   std::string_view composition) {
    if (layout.textRect.empty()) {
        return;
    }
    const Placement pl = place(s, p, layout, composition);
    const int visible = visibleWidth(pl.r);
    if (pl.width <= visible) {
        p.edit.horizontalOffset = 0;
        return;
    }
    p.edit.horizontalOffset = scrolledOffset(p.edit.horizontalOffset,
                                             prefixWidth(s, pl.shown, pl.caret), pl.width, visible);
}

Rect caretRect(Surface& s, const ControlProperties& p, const ControlLayout& layout,
               std::string_view composition) {
    return caretOf(s, p, place(s, p, layout, composition));
}

std::int32_t charIndexAt(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                         int x) {
    const Placement pl = place(s, p, layout, {});
    std::int32_t best = 0;
    int bestDistance = std::abs(x - pl.x0);
    for (std::int32_t i = 1; i <= p.edit.charCount; ++i) {
        const int d = std::abs(x - (pl.x0 + prefixWidth(s, pl.shown, i)));
        if (d > bestDistance) {
            break; // edges only move further away from here on
        }
        best = i;
        bestDistance = d;
    }
    return best;
}

void paintFocusedText(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                      const PaintState& state, const SystemPalette& palette) {
    if (layout.textRect.empty()) {
        return;
    }
    const Placement pl = place(s, p, layout, state.composition);
    const Rgb fore = resolveColor(p.enabled ? p.foreColor : p.disabledColor, palette);
    s.setClip(pl.r);
    const std::int32_t from = std::min(p.edit.caret, p.edit.anchor);
    const std::int32_t to = std::min(std::max(p.edit.caret, p.edit.anchor), p.edit.charCount);
    if (state.composition.empty() && from < to) {
        const int xa = pl.x0 + prefixWidth(s, pl.shown, from);
        const int xb = pl.x0 + prefixWidth(s, pl.shown, to);
        s.fillRect(Rect{xa, pl.y, xb, pl.y + pl.height}, palette.systemColor(syscolor::Highlight));
        const auto a = static_cast<std::size_t>(from);
        const auto b = static_cast<std::size_t>(to);
        s.drawText(Point{pl.x0, pl.y}, cp932::leftChars(pl.shown, a), fore);
        s.drawText(Point{xa, pl.y}, cp932::midChars(pl.shown, a, b - a),
                   palette.systemColor(syscolor::HighlightText));
        s.drawText(Point{xb, pl.y},
                   std::string_view(pl.shown).substr(cp932::byteOffset(pl.shown, b)), fore);
    } else if (!pl.shown.empty()) {
        s.drawText(Point{pl.x0, pl.y}, pl.shown, fore);
    }
    if (!state.composition.empty()) {
        const std::int32_t start =
            pl.caret - static_cast<std::int32_t>(cp932::charCount(state.composition));
        const int xa = pl.x0 + prefixWidth(s, pl.shown, start);
        const int xb = pl.x0 + prefixWidth(s, pl.shown, pl.caret);
        s.line(Point{xa, pl.y + pl.height - 1}, Point{xb - 1, pl.y + pl.height - 1}, fore);
    }
    if (state.caretVisible) {
        s.invertRect(caretOf(s, p, pl));
    }
    s.clearClip();
}

} // namespace vantil
