// Caption placement and painting.
#include "control/core/paint/CaptionPainter.h"

#include "control/core/paint/BorderPainter.h"
#include "control/core/paint/CaptionText.h"

#include <algorithm>

namespace vantil {

Color effectiveCaptionColor(const ControlProperties& p) {
    return p.captionColor == kNoColor ? p.foreColor : p.captionColor;
}

Color effectiveCaptionFocusColor(const ControlProperties& p) {
    return p.captionFocusColor == kNoColor ? p.focusColor : p.captionFocusColor;
}

Color effectiveCaptionDisabledColor(const ControlProperties& p) {
    return p.captionDisabledColor == kNoColor ? p.disabledColor : p.captionDisabledColor;
}

Color effectiveCaptionPointedColor(const ControlProperties& p) {
    return p.captionPointedColor == kNoColor ? effectiveCaptionColor(p) : p.captionPointedColor;
}

Color captionTextColor(const ControlProperties& p, const PaintState& state) {
    if (!p.enabled) {
        return effectiveCaptionDisabledColor(p);
    }
    return state.pointed ? effectiveCaptionPointedColor(p) : effectiveCaptionColor(p);
}

int captionFocusMargin(std::int16_t border) {
    switch (border) {
    case 0:
        return 0;
    case 3:
    case 5:
    case 7:
        return 3;
    default:
        return 2;
    }
}

namespace {

bool isDoubleByte(std::string_view c) {
    return c.size() == 2;
}

// Start offsets along a length `available` for items of the given lengths, aligned by
// `align` (0 start, 1 end less `endInset`, 2 centred, 3 distributed with equal gaps).
std::vector<int> placeAlong(int start, int available, const std::vector<int>& lengths, int align,
                            int endInset) {
    int total = 0;
    for (int l : lengths) {
        total += l;
    }
    int first = start;
    int gap = 0;
    const int n = static_cast<int>(lengths.size());
    switch (align) {
    case 1:
        first = start + available - endInset - total;
        break;
    case 2:
        first = start + (available - total) / 2;
        break;
    case 3:
        if (n == 1) {
            first = start + (available - total) / 2;
        } else {
            gap = (available - total - 2) / (n - 1);
        }
        break;
    default:
        break;
    }
    std::vector<int> out;
    int at = first;
    for (int l : lengths) {
        out.push_back(at);
        at += l + gap;
    }
    return out;
}

// CaptionAlignmentV counts 0 top, 1 centred, 2 bottom; placeAlong counts 1 end, 2 centred.
int alongFromVertical(std::int16_t v) {
    return v == 1 ? 2 : v == 2 ? 1 : v;
}

struct Line {
    std::vector<std::string_view> chars;
    int firstOrdinal = 0; // ordinal of its first character among all shown characters
};

// Cuts the shown characters into lines (or columns) by `limit` and maps each line to the
// ordinal of its first character, so the underline can be found after the cut.
std::vector<Line> cut(const std::string& text, bool multi, bool fitsAsOne, int limit,
                      const CharExtent& extent, std::vector<std::string>& storage) {
    if (!multi || fitsAsOne) {
        storage = {withoutLineBreaks(text)};
    } else {
        storage = cutLines(text, limit, extent);
    }
    std::vector<Line> lines;
    int ordinal = 0;
    for (const std::string& s : storage) {
        Line l;
        l.chars = splitCharacters(s);
        l.firstOrdinal = ordinal;
        ordinal += static_cast<int>(l.chars.size());
        lines.push_back(std::move(l));
    }
    return lines;
}

// Ordinal of character `index` of `text` among the characters that are not line breaks; -1
// when it is a line break or out of range.
int shownOrdinal(const std::string& text, int index) {
    int ordinal = 0;
    int i = 0;
    for (std::string_view c : splitCharacters(text)) {
        const bool brk = c == "\r" || c == "\n";
        if (i == index) {
            return brk ? -1 : ordinal;
        }
        if (!brk) {
            ++ordinal;
        }
        ++i;
    }
    return -1;
}

Rect unite(const Rect& a, const Rect& b) {
    if (a.empty()) {
        return b;
    }
    if (b.empty()) {
        return a;
    }
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

} // namespace

CaptionPlacement placeCaption(Surface& s, const ControlProperties& p, const Rect& captionRect) {
    CaptionPlacement out;
    const int m = captionFocusMargin(p.captionFocusBorder);
    out.textArea = captionRect.deflated(m + 3, m + 1);
    const Rect& a = out.textArea;
    const DisplayCaption shown =
        p.captionAccelerator ? acceleratorCaption(p.caption) : DisplayCaption{p.caption, -1};
    const int underlineOrdinal =
        shown.underlineChar >= 0 ? shownOrdinal(shown.text, shown.underlineChar) : -1;
    const FontRequest upright{p.captionFont, 0};
    s.setFont(upright);
    const int lh = std::max(1, s.lineHeight());
    const auto width = [&](std::string_view c) { return s.textWidth(c); };
    std::vector<std::string> storage;

    const auto underlineFor = [&](std::string_view c, int x, int top, int cellHeight) {
        const int w = s.textWidth(c);
        out.underline =
            Rect{x, top + cellHeight - 1, x + (isDoubleByte(c) ? w / 2 : w), top + cellHeight};
    };

    if (p.captionDirection == 1 || p.captionDirection == 2) {
        const bool turn = p.captionDirection == 2;
        const std::vector<Line> cols = cut(
            shown.text, p.captionMultiLine, false, a.height(),
            [lh](std::string_view) { return lh; }, storage);
        const std::vector<int> colLengths(cols.size(), lh);
        const std::vector<int> xs =
            placeAlong(a.left, a.width(), colLengths, p.captionAlignmentH, 2);
        for (std::size_t k = 0; k < cols.size(); ++k) {
            // Columns run from right to left, the first at the right.
            const int colLeft = xs[cols.size() - 1 - k];
            const std::vector<int> lengths(cols[k].chars.size(), lh);
            const std::vector<int> ys =
                placeAlong(a.top, a.height(), lengths, alongFromVertical(p.captionAlignmentV), 0);
            Rect colBox;
            for (std::size_t i = 0; i < cols[k].chars.size(); ++i) {
                const std::string_view c = cols[k].chars[i];
                const bool turned = turn && isDoubleByte(c);
                const int w = s.textWidth(c);
                const Point origin =
                    turned ? Point{colLeft + lh, ys[i]} : Point{colLeft + (lh - w) / 2, ys[i]};
                out.runs.push_back(CaptionRun{origin, std::string(c), turned});
                colBox = unite(colBox, Rect{colLeft, ys[i], colLeft + lh, ys[i] + lh});
                if (cols[k].firstOrdinal + static_cast<int>(i) == underlineOrdinal) {
                    underlineFor(c, turned ? colLeft : origin.x, ys[i], lh);
                }
            }
            if (p.captionAlignmentV == 3) {
                colBox.top = a.top;
                colBox.bottom = a.bottom;
            }
            out.bounds = unite(out.bounds, colBox);
        }
        if (p.captionAlignmentH == 3 && !out.bounds.empty()) {
            out.bounds.left = a.left;
            out.bounds.right = a.right;
        }
        return out;
    }

    const std::string oneLine = withoutLineBreaks(shown.text);
    const bool fits = oneLine.size() == shown.text.size() && s.textWidth(oneLine) <= a.width();
    const std::vector<Line> lines =
        cut(shown.text, p.captionMultiLine, fits, a.width(), width, storage);
    const std::vector<int> heights(lines.size(), lh);
    const std::vector<int> ys =
        placeAlong(a.top, a.height(), heights, alongFromVertical(p.captionAlignmentV), 0);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const Line& line = lines[k];
        const int y = ys[k];
        std::vector<int> widths;
        for (std::string_view c : line.chars) {
            widths.push_back(s.textWidth(c));
        }
        const bool distributed = p.captionAlignmentH == 3;
        if (distributed && !line.chars.empty()) {
            const std::vector<int> xs = placeAlong(a.left, a.width(), widths, 3, 0);
            for (std::size_t i = 0; i < line.chars.size(); ++i) {
                out.runs.push_back(CaptionRun{Point{xs[i], y}, std::string(line.chars[i])});
                if (line.firstOrdinal + static_cast<int>(i) == underlineOrdinal) {
                    underlineFor(line.chars[i], xs[i], y, lh);
                }
            }
            out.bounds = unite(out.bounds, Rect{a.left, y, a.right, y + lh});
            continue;
        }
        const std::string text = storage[k];
        const int w = s.textWidth(text);
        const int x = placeAlong(a.left, a.width(), {w}, p.captionAlignmentH, 0).front();
        out.runs.push_back(CaptionRun{Point{x, y}, text});
        int cx = x;
        for (std::size_t i = 0; i < line.chars.size(); ++i) {
            if (line.firstOrdinal + static_cast<int>(i) == underlineOrdinal) {
                underlineFor(line.chars[i], cx, y, lh);
            }
            cx += widths[i];
        }
        out.bounds = unite(out.bounds, Rect{x, y, x + w, y + lh});
    }
    if (p.captionAlignmentV == 3 && !out.bounds.empty()) {
        out.bounds.top = a.top;
        out.bounds.bottom = a.bottom;
    }
    return out;
}

namespace {

void drawCaptionFocus(Surface& s, const ControlProperties& p, const Rect& captionRect,
                      const Rect& bounds, const SystemPalette& palette) {
    const int m = captionFocusMargin(p.captionFocusBorder);
    Rect r = bounds.deflated(-(m + 2), -m).intersected(captionRect);
    if (r.empty()) {
        return;
    }
    const Rgb colour = resolveColor(effectiveCaptionFocusColor(p), palette);
    const Rgb light = resolveColor(p.lightColor, palette);
    const Rgb shadow = resolveColor(p.shadowColor, palette);
    int count = 0;
    switch (p.captionFocusBorder) {
    case 1:
        s.focusRect(r);
        return;
    case 2:
    case 4:
    case 6:
        count = 1;
        break;
    default:
        count = 2;
        break;
    }
    for (int i = 0; i < count && !r.empty(); ++i) {
        switch (p.captionFocusBorder) {
        case 2:
        case 3:
            s.frameRect(r, colour);
            break;
        case 4:
        case 5:
            s.dottedFrame(r, colour);
            break;
        default:
            s.frameRect(r, shadow, light);
            break;
        }
        r = r.deflated(1, 1);
    }
}

} // namespace

void paintCaption(Surface& s, const ControlProperties& p, const Rect& captionRect,
                  const PaintState& state, const SystemPalette& palette) {
    if (captionRect.empty()) {
        return;
    }
    s.fillRect(captionRect, resolveColor(p.backColor, palette));
    if (p.caption.empty()) {
        return;
    }
    const CaptionPlacement placed = placeCaption(s, p, captionRect);
    const TextColors colors{resolveColor(captionTextColor(p, state), palette),
                            resolveColor(p.lightColor, palette),
                            resolveColor(p.shadowColor, palette)};
    s.setClip(placed.textArea);
    FontRequest font{p.captionFont, 0};
    for (const CaptionRun& run : placed.runs) {
        const int angle = run.turned ? 270 : 0;
        if (angle != font.angle) {
            font.angle = angle;
            s.setFont(font);
        }
        drawText3D(s, p.captionFont3D, run.origin, run.text, colors);
    }
    if (placed.underline) {
        const Rect u = *placed.underline;
        drawWithEffect(p.captionFont3D, Point{u.left, u.top}, colors, [&](Point at, Rgb colour) {
            s.fillRect(Rect{at.x, at.y, at.x + u.width(), at.y + u.height()}, colour);
        });
    }
    s.clearClip();
    if ((state.focused || state.designMode) && p.captionFocusBorder != 0) {
        drawCaptionFocus(s, p, captionRect, placed.bounds, palette);
    }
}

} // namespace vantil
