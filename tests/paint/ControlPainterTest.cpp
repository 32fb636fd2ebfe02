// The control's paint order, input area, focus border, text and drop-down button.
#include "control/core/paint/ControlPainter.h"
#include "platform/text/Cp932.h"
#include "tests/paint/PaintTestSupport.h"
#include "tests/paint/RecordingSurface.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

const FixedPalette kPalette;

Rgb sysc(unsigned i) {
    return kPalette.systemColor(i);
}

ControlProperties plain() {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.captionRatio = 0;
    p.captionSize = 0;
    p.caption.clear();
    p.text = "abc";
    return p;
}

std::vector<Call> paint(const ControlProperties& p, const Rect& client, PaintState st = {}) {
    RecordingSurface s;
    paintControl(s, p, computeLayout(p, client), st, kPalette);
    return s.calls;
}

TEST(ControlPainting, DoubleLineBorderShrinksByFourWithLineGapGapLine) {
    ControlProperties p = plain();
    p.borderStyle = 3;
    p.borderWidth = 2;
    p.innerBorderWidth = 1;
    p.outerBorderWidth = 1;
    p.borderColor = 0x0000FF;
    p.backColor = 0x00FF00;
    const auto calls = paint(p, Rect{0, 0, 100, 30});
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].op, Op::Fill);
    EXPECT_EQ(calls[0].rect, (Rect{0, 0, 100, 30}));
    const Rgb expected[] = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 255, 0}, Rgb{255, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[1 + i].op, Op::Frame);
        EXPECT_EQ(calls[1 + i].rect, (Rect{i, i, 100 - i, 30 - i}));
        EXPECT_EQ(calls[1 + i].colour, expected[i]);
    }
    EXPECT_EQ(computeLayout(p, Rect{0, 0, 100, 30}).interior, (Rect{4, 4, 96, 26}));
}

TEST(ControlPainting, InputAreaBorders) {
    ControlProperties p = plain();
    p.inputAreaColor = 0x123456;
    p.inputAreaBorderColor = 0x654321;
    const Rect client{0, 0, 80, 20};
    p.inputAreaBorder = 0;
    RecordingSurface s0;
    paintInputArea(s0, p, computeLayout(p, client), kPalette);
    ASSERT_EQ(s0.calls.size(), 1u);
    EXPECT_EQ(s0.calls[0].rect, client);
    EXPECT_EQ(s0.calls[0].colour, Rgb::fromColorRef(0x123456));
    p.inputAreaBorder = 1;
    RecordingSurface s1;
    paintInputArea(s1, p, computeLayout(p, client), kPalette);
    ASSERT_EQ(s1.calls.size(), 2u);
    EXPECT_EQ(s1.calls[0].colour, Rgb::fromColorRef(0x654321));
    EXPECT_EQ(s1.calls[1].rect, (Rect{1, 1, 79, 19}));
    p.inputAreaBorder = 2;
    RecordingSurface s2;
    paintInputArea(s2, p, computeLayout(p, client), kPalette);
    ASSERT_EQ(s2.calls.size(), 3u);
    EXPECT_EQ(s2.calls[0].colour, sysc(syscolor::ButtonShadow));
    EXPECT_EQ(s2.calls[0].colour2, sysc(syscolor::ButtonHighlight));
    EXPECT_EQ(s2.calls[1].colour, sysc(syscolor::DarkShadow3D));
    EXPECT_EQ(s2.calls[1].colour2, sysc(syscolor::Light3D));
    EXPECT_EQ(s2.calls[2].rect, (Rect{2, 2, 78, 18}));
}

TEST(ControlPainting, FocusBorderStylesWithFocusAndTheirBlankWithout) {
    ControlProperties p = plain();
    p.inputAreaBorder = 0;
    p.inputAreaColor = 0x111111;
    p.focusColor = 0x222222;
    const Rgb area = Rgb::fromColorRef(0x111111);
    const Rgb focus = Rgb::fromColorRef(0x222222);
    const Rect client{0, 0, 100, 20};
    struct Case {
        std::int16_t border;
        Op first;
        Rgb firstColour;
        Op second;
        Rgb secondColour;
    };
    const Case cases[] = {
        {1, Op::Frame, area, Op::Focus, {}},       {2, Op::Frame, area, Op::Frame, focus},
        {3, Op::Frame, focus, Op::Frame, focus},   {4, Op::Frame, area, Op::Dotted, focus},
        {5, Op::Dotted, focus, Op::Dotted, focus},
    };
    PaintState focused;
    focused.focused = true;
    for (const Case& c : cases) {
        p.focusBorder = c.border;
        const ControlLayout l = computeLayout(p, client);
        RecordingSurface s;
        paintFocusBorder(s, p, l, focused, kPalette);
        ASSERT_EQ(s.calls.size(), 2u) << "border " << c.border;
        EXPECT_EQ(s.calls[0].op, c.first);
        EXPECT_EQ(s.calls[0].rect, (Rect{0, 0, 84, 20}));
        EXPECT_EQ(s.calls[0].colour, c.firstColour) << "border " << c.border;
        EXPECT_EQ(s.calls[1].op, c.second);
        EXPECT_EQ(s.calls[1].rect, (Rect{1, 1, 83, 19}));
        if (c.second != Op::Focus) {
            EXPECT_EQ(s.calls[1].colour, c.secondColour) << "border " << c.border;
        }
        RecordingSurface blank;
        paintFocusBorder(blank, p, l, {}, kPalette);
        ASSERT_EQ(blank.calls.size(), 2u);
        EXPECT_EQ(blank.calls[0].colour, area);
        EXPECT_EQ(blank.calls[1].colour, area);
    }
    p.focusBorder = 0;
    RecordingSurface none;
    paintFocusBorder(none, p, computeLayout(p, client), focused, kPalette);
    EXPECT_TRUE(none.calls.empty());
}

TEST(ControlPainting, TextIsAlignedInARectangleOnePixelWiderOnBothSides) {
    ControlProperties p = plain();
    p.inputAreaBorder = 0;
    p.focusBorder = 0;
    const Rect client{0, 0, 100, 20}; // text rect 0..84
    struct Case {
        std::int16_t align;
        int x;
    };
    for (const Case& c : {Case{0, -1}, Case{1, 85 - 18}, Case{2, -1 + (86 - 18) / 2}}) {
        p.alignmentH = c.align;
        RecordingSurface s;
        paintInputText(s, p, computeLayout(p, client), kPalette);
        const auto texts = s.only(Op::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].at, (Point{c.x, 4})) << "align " << c.align;
        EXPECT_EQ(s.only(Op::Clip)[0].rect, (Rect{-1, 0, 85, 20}));
    }
}

TEST(ControlPainting, DisabledControlUsesTheDisabledColours) {
    ControlProperties p = plain();
    p.caption = "Cap";
    p.captionRatio = 40;
    p.foreColor = 0x000001;
    p.disabledColor = 0x000002;
    p.captionColor = kNoColor;
    p.captionDisabledColor = kNoColor;
    p.enabled = false;
    const auto textColours = [&]() {
        std::vector<std::pair<std::string, Rgb>> out;
        for (const Call& c : paint(p, Rect{0, 0, 200, 24})) {
            if (c.op == Op::Text) {
                out.emplace_back(c.text, c.colour);
            }
        }
        return out;
    };
    auto texts = textColours();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], (std::pair<std::string, Rgb>{"Cap", Rgb::fromColorRef(2)}));
    EXPECT_EQ(texts[1], (std::pair<std::string, Rgb>{"abc", Rgb::fromColorRef(2)}));
    p.captionDisabledColor = 0x000003;
    texts = textColours();
    EXPECT_EQ(texts[0].second, Rgb::fromColorRef(3));
    EXPECT_EQ(texts[1].second, Rgb::fromColorRef(2));
    p.enabled = true;
    texts = textColours();
    EXPECT_EQ(texts[0].second, Rgb::fromColorRef(1));
    EXPECT_EQ(texts[1].second, Rgb::fromColorRef(1));
}

TEST(ControlPainting, Ratio100PaintsNoInputAreaTextOrButton) {
    ControlProperties p = plain();
    p.caption = "Cap";
    p.captionRatio = 100;
    const auto calls = paint(p, Rect{0, 0, 200, 24});
    for (const Call& c : calls) {
        EXPECT_NE(c.op, Op::Triangle);
        if (c.op == Op::Text) {
            EXPECT_EQ(c.text, "Cap");
        }
    }
}

TEST(ControlPainting, DropDownButtonReleasedAndPressed) {
    ControlProperties p = plain();
    p.foreColor = 0x0000AA;
    const Rect client{0, 0, 100, 20};
    struct Case {
        std::int16_t inputBorder;
        bool pressed;
        Op op;
        Rgb tl;
        Rgb br;
    };
    const Rgb shadow = sysc(syscolor::ButtonShadow);
    const Case cases[] = {
        {2, false, Op::Frame, sysc(syscolor::ButtonHighlight), sysc(syscolor::DarkShadow3D)},
        {1, false, Op::Frame, shadow, shadow},
        {2, true, Op::Frame, shadow, shadow},
        {0, true, Op::Invert, {}, {}},
    };
    for (const Case& c : cases) {
        p.inputAreaBorder = c.inputBorder;
        const ControlLayout l = computeLayout(p, client);
        RecordingSurface s;
        paintDropDownButton(s, p, l, c.pressed, kPalette);
        ASSERT_EQ(s.calls.size(), 3u);
        EXPECT_EQ(s.calls[0].op, Op::Fill);
        EXPECT_EQ(s.calls[0].rect, l.buttonRect);
        EXPECT_EQ(s.calls[0].colour, sysc(syscolor::ButtonFace));
        EXPECT_EQ(s.calls[1].op, c.op);
        EXPECT_EQ(s.calls[1].rect, l.buttonRect.deflated(1, 0, 0, 0));
        if (c.op == Op::Frame) {
            EXPECT_EQ(s.calls[1].colour, c.tl);
            EXPECT_EQ(s.calls[1].colour2, c.br);
        }
        const Call& tri = s.calls[2];
        const int cx = (l.buttonRect.left + l.buttonRect.right) / 2;
        const int cy = (l.buttonRect.top + l.buttonRect.bottom) / 2;
        EXPECT_EQ(tri.points,
                  (std::vector<Point>{{cx - 3, cy - 2}, {cx + 3, cy - 2}, {cx, cy + 1}}));
        EXPECT_EQ(tri.colour, Rgb::fromColorRef(0x0000AA));
        EXPECT_EQ(tri.colour2, sysc(syscolor::ButtonText));
    }
}

TEST(ControlPainting, PaintOrderBackgroundBorderCaptionInputFocusTextButton) {
    ControlProperties p = plain();
    p.borderStyle = 1;
    p.caption = "C";
    p.captionRatio = 30;
    PaintState focused;
    focused.focused = true;
    const auto calls = paint(p, Rect{0, 0, 200, 24}, focused);
    std::vector<Op> ops;
    for (const Call& c : calls) {
        if (c.op != Op::Clip && c.op != Op::ClearClip) {
            ops.push_back(c.op);
        }
    }
    const std::vector<Op> expected = {Op::Fill,  Op::Frame, Op::Fill,    Op::Text,  Op::Frame,
                                      Op::Frame, Op::Fill,  Op::Frame,   Op::Focus, Op::Text,
                                      Op::Fill,  Op::Frame, Op::Triangle};
    EXPECT_EQ(ops, expected);
}

} // namespace
} // namespace vantil::test
