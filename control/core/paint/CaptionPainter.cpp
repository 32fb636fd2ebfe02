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

int captionFocusMargin(CaptionFocusBorderConstants border) {
    using enum CaptionFocusBorderConstants;
    switch (border) {
    case lxcfb_なし:
        return 0;
    case lxcfb_太線:
    case lxcfb_太破線:
    case lxcfb_深凹:
        return 3;
    default:
        return 2;
    }
}

namespace {

bool isDoubleByte(std::string_view c) {
    return c.size() == 2;
}

// Where a run of items goes along one axis.
enum class Along { Start, End, Centre, Distributed };

Along alongFromHorizontal(std::int16_t h) {
    using enum CaptionAlignmentHConstants;
    switch (CaptionAlignmentHConstants{h}) {
    case lxcah_右揃え:
        return Along::End;
    case lxcah_中央揃え:
        return Along::Centre;
    case lxcah_均等割付:
        return Along::Distributed;
    default:
        return Along::Start;
    }
}

Along alongFromVertical(CaptionAlignmentVConstants v) {
    using enum CaptionAlignmentVConstants;
    switch (v) {
    case lxcav_中央揃え:
        return Along::Centre;
    case lxcav_下揃え:
        return Along::End;
    case lxcav_均等割付:
        return Along::Distributed;
    default:
        return Along::Start;
    }
}

// Start offsets along a length `available` for items of the given lengths, placed by `along`
// (at the end less `endInset`; distributed with equal gaps, a single item centred).
std::vector<int> placeAlong(int start, int available, const std::vector<int>& lengths, Along along,
                            int endInset) {
    int total = 0;
    for (int l : lengths) {
        total += l;
    }
    int first = start;
    int gap = 0;
    const int n = static_cast<int>(lengths.size());
    switch (along) {
    case Along::End:
        first = start + available - endInset - total;
        break;
    case Along::Centre:
        first = start + (available - total) / 2;
        break;
    case Along::Distributed:
        if (n == 1) {
            first = start + (available - total) / 2;
        } else {
            gap = (available - total - 2) / (n - 1);
        }
        break;
    case Along::Start:
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

// Places one caption: the text area inside the focus margin, the shown text cut into lines
// (or columns when written vertically), a run per line or character, and the underline of the
// accelerator character.
class CaptionPlacer {
public:
    CaptionPlacer(Surface& s, const ControlProperties& p, const Rect& captionRect) : s_(s), p_(p) {
        const int m = captionFocusMargin(CaptionFocusBorderConstants{p.captionFocusBorder});
        out_.textArea = captionRect.deflated(m + 3, m + 1);
        shown_ =
            p.captionAccelerator ? acceleratorCaption(p.caption) : DisplayCaption{p.caption, -1};
        underlineOrdinal_ =
            shown_.underlineChar >= 0 ? shownOrdinal(shown_.text, shown_.underlineChar) : -1;
        s.setFont(FontRequest{p.captionFont, 0});
        lh_ = std::max(1, s.lineHeight());
    }

    CaptionPlacement place() {
        using enum CaptionDirectionConstants;
        if (p_.captionDirection == lxcd_縦書き || p_.captionDirection == lxcd_縦書き_縦ﾌｫﾝﾄ用) {
            placeColumns();
        } else {
            placeLines();
        }
        return std::move(out_);
    }

private:
    bool distributedH() const {
        return alongFromHorizontal(p_.captionAlignmentH) == Along::Distributed;
    }
    bool distributedV() const {
        return p_.captionAlignmentV == CaptionAlignmentVConstants::lxcav_均等割付;
    }

    // Vertical writing: columns from right to left, a character a cell of the line height.
    void placeColumns() {
        const Rect& a = out_.textArea;
        const int lh = lh_;
        const std::vector<Line> cols = cut(
            shown_.text, p_.captionMultiLine, false, a.height(),
            [lh](std::string_view) { return lh; }, storage_);
        const std::vector<int> xs = placeAlong(a.left, a.width(), std::vector<int>(cols.size(), lh),
                                               alongFromHorizontal(p_.captionAlignmentH), 2);
        for (std::size_t k = 0; k < cols.size(); ++k) {
            // Columns run from right to left, the first at the right.
            Rect colBox = placeColumn(cols[k], xs[cols.size() - 1 - k]);
            if (distributedV()) {
                colBox.top = a.top;
                colBox.bottom = a.bottom;
            }
            out_.bounds = unite(out_.bounds, colBox);
        }
        if (distributedH() && !out_.bounds.empty()) {
            out_.bounds.left = a.left;
            out_.bounds.right = a.right;
        }
    }

    // One column at `colLeft`; double-byte characters are turned for a vertical font.
    Rect placeColumn(const Line& col, int colLeft) {
        const Rect& a = out_.textArea;
        const bool turn = p_.captionDirection == CaptionDirectionConstants::lxcd_縦書き_縦ﾌｫﾝﾄ用;
        const std::vector<int> ys =
            placeAlong(a.top, a.height(), std::vector<int>(col.chars.size(), lh_),
                       alongFromVertical(p_.captionAlignmentV), 0);
        Rect colBox;
        for (std::size_t i = 0; i < col.chars.size(); ++i) {
            const std::string_view c = col.chars[i];
            const bool turned = turn && isDoubleByte(c);
            const int w = s_.textWidth(c);
            const Point origin =
                turned ? Point{colLeft + lh_, ys[i]} : Point{colLeft + (lh_ - w) / 2, ys[i]};
            out_.runs.push_back(CaptionRun{origin, std::string(c), turned});
            colBox = unite(colBox, Rect{colLeft, ys[i], colLeft + lh_, ys[i] + lh_});
            underlineIf(col.firstOrdinal + static_cast<int>(i), c, turned ? colLeft : origin.x,
                        ys[i]);
        }
        return colBox;
    }

    // Horizontal writing: lines from the top, each aligned or distributed.
    void placeLines() {
        const Rect& a = out_.textArea;
        const std::string oneLine = withoutLineBreaks(shown_.text);
        const bool fits =
            oneLine.size() == shown_.text.size() && s_.textWidth(oneLine) <= a.width();
        const std::vector<Line> lines = cut(
            shown_.text, p_.captionMultiLine, fits, a.width(),
            [this](std::string_view c) { return s_.textWidth(c); }, storage_);
        const std::vector<int> ys =
            placeAlong(a.top, a.height(), std::vector<int>(lines.size(), lh_),
                       alongFromVertical(p_.captionAlignmentV), 0);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const Line& line = lines[k];
            std::vector<int> widths;
            for (std::string_view c : line.chars) {
                widths.push_back(s_.textWidth(c));
            }
            if (distributedH() && !line.chars.empty()) {
                placeDistributedLine(line, ys[k], widths);
            } else {
                placeAlignedLine(line, storage_[k], ys[k], widths);
            }
        }
        if (distributedV() && !out_.bounds.empty()) {
            out_.bounds.top = a.top;
            out_.bounds.bottom = a.bottom;
        }
    }

    // A distributed line: a run per character, the line as wide as the text area.
    void placeDistributedLine(const Line& line, int y, const std::vector<int>& widths) {
        const Rect& a = out_.textArea;
        const std::vector<int> xs = placeAlong(a.left, a.width(), widths, Along::Distributed, 0);
        for (std::size_t i = 0; i < line.chars.size(); ++i) {
            out_.runs.push_back(CaptionRun{Point{xs[i], y}, std::string(line.chars[i])});
            underlineIf(line.firstOrdinal + static_cast<int>(i), line.chars[i], xs[i], y);
        }
        out_.bounds = unite(out_.bounds, Rect{a.left, y, a.right, y + lh_});
    }

    // An aligned line: one run for the whole line.
    void placeAlignedLine(const Line& line, const std::string& text, int y,
                          const std::vector<int>& widths) {
        const Rect& a = out_.textArea;
        const int w = s_.textWidth(text);
        const int x =
            placeAlong(a.left, a.width(), {w}, alongFromHorizontal(p_.captionAlignmentH), 0)
                .front();
        out_.runs.push_back(CaptionRun{Point{x, y}, text});
        int cx = x;
        for (std::size_t i = 0; i < line.chars.size(); ++i) {
            underlineIf(line.firstOrdinal + static_cast<int>(i), line.chars[i], cx, y);
            cx += widths[i];
        }
        out_.bounds = unite(out_.bounds, Rect{x, y, x + w, y + lh_});
    }

    // Underlines character `c` at (x, top) when it is the accelerator character; a double-byte
    // character is underlined for half its width.
    void underlineIf(int ordinal, std::string_view c, int x, int top) {
        if (ordinal != underlineOrdinal_) {
            return;
        }
        const int w = s_.textWidth(c);
        out_.underline = Rect{x, top + lh_ - 1, x + (isDoubleByte(c) ? w / 2 : w), top + lh_};
    }

    Surface& s_;
    const ControlProperties& p_;
    CaptionPlacement out_;
    DisplayCaption shown_;
    int underlineOrdinal_ = -1;
    int lh_ = 1;
    std::vector<std::string> storage_;
};

} // namespace

CaptionPlacement placeCaption(Surface& s, const ControlProperties& p, const Rect& captionRect) {
    return CaptionPlacer(s, p, captionRect).place();
}

namespace {

void drawCaptionFocus(Surface& s, const ControlProperties& p, const Rect& captionRect,
                      const Rect& bounds, const SystemPalette& palette) {
    using enum CaptionFocusBorderConstants;
    const CaptionFocusBorderConstants style{p.captionFocusBorder};
    const int m = captionFocusMargin(style);
    Rect r = bounds.deflated(-(m + 2), -m).intersected(captionRect);
    if (r.empty()) {
        return;
    }
    const Rgb colour = resolveColor(effectiveCaptionFocusColor(p), palette);
    const Rgb light = resolveColor(p.lightColor, palette);
    const Rgb shadow = resolveColor(p.shadowColor, palette);
    int count = 0;
    switch (style) {
    case lxcfb_標準:
        s.focusRect(r);
        return;
    case lxcfb_細線:
    case lxcfb_細破線:
    case lxcfb_浅凹:
        count = 1;
        break;
    default:
        count = 2;
        break;
    }
    for (int i = 0; i < count && !r.empty(); ++i) {
        switch (style) {
        case lxcfb_細線:
        case lxcfb_太線:
            s.frameRect(r, colour);
            break;
        case lxcfb_細破線:
        case lxcfb_太破線:
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
    if ((state.focused || state.designMode) && CaptionFocusBorderConstants{p.captionFocusBorder} !=
                                                   CaptionFocusBorderConstants::lxcfb_なし) {
        drawCaptionFocus(s, p, captionRect, placed.bounds, palette);
    }
}

} // namespace vantil
