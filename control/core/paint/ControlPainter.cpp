// The control's paint order and the painters of the input area, focus border, text and
// drop-down button.
#include "control/core/paint/ControlPainter.h"

#include "control/core/paint/BorderPainter.h"
#include "control/core/paint/CaptionPainter.h"
#include "control/core/paint/CaptionText.h"
#include "control/core/paint/EditPainter.h"

namespace vantil {

namespace {

Rgb sys(const SystemPalette& palette, unsigned index) {
    return palette.systemColor(index);
}

} // namespace

void paintInputArea(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                    const SystemPalette& palette) {
    Rect r = layout.inputOuter;
    if (r.empty()) {
        return;
    }
    const Rgb fill = resolveColor(p.inputAreaColor, palette);
    switch (InputAreaBorderConstants{p.inputAreaBorder}) {
    case InputAreaBorderConstants::lxipab_2D:
        s.frameRect(r, resolveColor(p.inputAreaBorderColor, palette));
        r = r.deflated(1, 1);
        break;
    case InputAreaBorderConstants::lxipab_3D:
        s.frameRect(r, sys(palette, syscolor::ButtonShadow),
                    sys(palette, syscolor::ButtonHighlight));
        r = r.deflated(1, 1);
        if (!r.empty()) {
            s.frameRect(r, sys(palette, syscolor::DarkShadow3D), sys(palette, syscolor::Light3D));
            r = r.deflated(1, 1);
        }
        break;
    default:
        break;
    }
    if (!r.empty()) {
        s.fillRect(r, fill);
    }
}

void paintFocusBorder(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                      const PaintState& state, const SystemPalette& palette) {
    using enum FocusBorderConstants;
    const FocusBorderConstants style{p.focusBorder};
    if (style == lxfb_なし) {
        return;
    }
    Rect r{layout.inputRect.left, layout.inputRect.top, layout.buttonRect.left,
           layout.inputRect.bottom};
    if (r.empty()) {
        return;
    }
    const Rgb area = resolveColor(p.inputAreaColor, palette);
    if (!(state.focused || state.designMode)) {
        s.frameRect(r, area);
        if (Rect in = r.deflated(1, 1); !in.empty()) {
            s.frameRect(in, area);
        }
        return;
    }
    const Rgb focus = resolveColor(p.focusColor, palette);
    const Rect in = r.deflated(1, 1);
    switch (style) {
    case lxfb_標準:
        s.frameRect(r, area);
        if (!in.empty()) {
            s.focusRect(in);
        }
        break;
    case lxfb_細線:
        s.frameRect(r, area);
        if (!in.empty()) {
            s.frameRect(in, focus);
        }
        break;
    case lxfb_太線:
        s.frameRect(r, focus);
        if (!in.empty()) {
            s.frameRect(in, focus);
        }
        break;
    case lxfb_細破線:
        s.frameRect(r, area);
        if (!in.empty()) {
            s.dottedFrame(in, focus);
        }
        break;
    default:
        s.dottedFrame(r, focus);
        if (!in.empty()) {
            s.dottedFrame(in, focus);
        }
        break;
    }
}

void paintInputText(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                    const SystemPalette& palette) {
    if (layout.textRect.empty() || p.text.empty()) {
        return;
    }
    const Rect r = inputTextRect(layout);
    s.setFont(FontRequest{p.font, 0});
    const std::string text = withoutLineBreaks(p.text);
    const int w = s.textWidth(text);
    const int h = s.lineHeight();
    int x = r.left;
    if (AlignmentHConstants{p.alignmentH} == AlignmentHConstants::lxah_右揃え) {
        x = r.right - w;
    } else if (AlignmentHConstants{p.alignmentH} == AlignmentHConstants::lxah_中央揃え) {
        x = r.left + (r.width() - w) / 2;
    }
    const int y = r.top + (r.height() - h) / 2;
    s.setClip(r);
    s.drawText(Point{x, y}, text, resolveColor(p.enabled ? p.foreColor : p.disabledColor, palette));
    s.clearClip();
}

void paintDropDownButton(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                         bool pressed, const SystemPalette& palette) {
    const Rect& b = layout.buttonRect;
    if (b.empty()) {
        return;
    }
    s.fillRect(b, sys(palette, syscolor::ButtonFace));
    const Rect r = b.deflated(1, 0, 0, 0);
    const Rgb shadow = sys(palette, syscolor::ButtonShadow);
    if (!r.empty()) {
        if (!pressed) {
            if (InputAreaBorderConstants{p.inputAreaBorder} ==
                InputAreaBorderConstants::lxipab_3D) {
                s.frameRect(r, sys(palette, syscolor::ButtonHighlight),
                            sys(palette, syscolor::DarkShadow3D));
            } else {
                s.frameRect(r, shadow);
            }
        } else if (InputAreaBorderConstants{p.inputAreaBorder} ==
                   InputAreaBorderConstants::lxipab_3D) {
            s.frameRect(r, shadow);
        } else {
            s.invertRect(r);
        }
    }
    const int cx = (b.left + b.right) / 2;
    const int cy = (b.top + b.bottom) / 2;
    s.triangle(Point{cx - 3, cy - 2}, Point{cx + 3, cy - 2}, Point{cx, cy + 1},
               resolveColor(p.foreColor, palette), sys(palette, syscolor::ButtonText));
}

void paintControl(Surface& s, const ControlProperties& p, const ControlLayout& layout,
                  const PaintState& state, const SystemPalette& palette) {
    const Rgb back = resolveColor(p.backColor, palette);
    s.fillRect(layout.client, back);
    const BorderColors colors{
        resolveColor(p.borderColor, palette), back,
        resolveColor(p.lightColor, palette),  resolveColor(p.shadowColor, palette),
        sys(palette, syscolor::DarkShadow3D), sys(palette, syscolor::Light3D)};
    drawOuterBorder(s, layout.client, BorderStyleConstants{p.borderStyle},
                    BorderWidths{p.borderWidth, p.innerBorderWidth, p.outerBorderWidth}, colors);
    paintCaption(s, p, layout.captionRect, state, palette);
    paintInputArea(s, p, layout, palette);
    paintFocusBorder(s, p, layout, state, palette);
    if (state.focused && !state.designMode) {
        paintFocusedText(s, p, layout, state, palette);
    } else {
        paintInputText(s, p, layout, palette);
    }
    paintDropDownButton(s, p, layout, state.buttonPressed, palette);
}

} // namespace vantil
