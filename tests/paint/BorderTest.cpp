// The outer borders frame by frame, and the copies of the 3D text effects.
#include "control/core/paint/BorderPainter.h"
#include "tests/paint/RecordingSurface.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

constexpr Rgb kBorder{1, 0, 0};
constexpr Rgb kBack{2, 0, 0};
constexpr Rgb kLight{3, 0, 0};
constexpr Rgb kShadow{4, 0, 0};
constexpr Rgb kDark{5, 0, 0};
constexpr Rgb kLight3D{6, 0, 0};
constexpr BorderColors kColors{kBorder, kBack, kLight, kShadow, kDark, kLight3D};

// A frame as (top-left colour, bottom-right colour); its rectangle follows from the order.
using FrameColours = std::pair<Rgb, Rgb>;
constexpr FrameColours L{kBorder, kBorder};
constexpr FrameColours G{kBack, kBack};
constexpr FrameColours S{kShadow, kLight};
constexpr FrameColours R{kLight, kShadow};
constexpr FrameColours D{kDark, kLight3D};

TEST(OuterBorder, EveryStyleDrawsItsFramesFromOutsideIn) {
    struct Case {
        std::int16_t style;
        BorderWidths widths;
        std::vector<FrameColours> frames;
    };
    const Case cases[] = {
        {0, {2, 1, 1}, {}},
        {1, {1, 1, 1}, {L}},
        {2, {2, 1, 1}, {L, L}},
        {3, {2, 1, 1}, {L, G, G, L}},
        {3, {1, 2, 3}, {L, L, L, G, L, L}},
        {4, {1, 1, 1}, {S, D}},
        {5, {2, 1, 1}, {S, S, D}},
        {6, {2, 1, 1}, {S, G, G, S}},
        {7, {1, 1, 1}, {R}},
        {8, {2, 1, 1}, {R, R}},
        {9, {1, 1, 2}, {R, R, G, R}},
        {10, {1, 1, 1}, {S, G, R}},
        {11, {2, 1, 1}, {S, G, G, R}},
        {12, {1, 1, 1}, {R, G, S}},
        {13, {2, 2, 1}, {R, G, G, S, S}},
    };
    for (const Case& c : cases) {
        RecordingSurface s;
        const Rect inner = drawOuterBorder(s, Rect{0, 0, 50, 30}, BorderStyleConstants{c.style},
                                           c.widths, kColors);
        ASSERT_EQ(s.calls.size(), c.frames.size()) << "style " << c.style;
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            const int k = static_cast<int>(i);
            EXPECT_EQ(s.calls[i].op, Op::Frame);
            EXPECT_EQ(s.calls[i].rect, (Rect{k, k, 50 - k, 30 - k})) << "style " << c.style;
            EXPECT_EQ(s.calls[i].colour, c.frames[i].first) << "style " << c.style << " #" << i;
            EXPECT_EQ(s.calls[i].colour2, c.frames[i].second) << "style " << c.style << " #" << i;
        }
        const int n = static_cast<int>(c.frames.size());
        EXPECT_EQ(inner, (Rect{n, n, 50 - n, 30 - n})) << "style " << c.style;
    }
}

TEST(OuterBorder, StopsWhenTheRectangleIsUsedUp) {
    RecordingSurface s;
    const Rect inner = drawOuterBorder(s, Rect{0, 0, 4, 4}, BorderStyleConstants::lxbs_太線,
                                       BorderWidths{10, 1, 1}, kColors);
    EXPECT_EQ(s.calls.size(), 2u);
    EXPECT_TRUE(inner.empty());
}

TEST(TextEffects, CopiesAtTheirOffsetsWithTheTextOnTop) {
    const TextColors colors{Rgb{9, 9, 9}, kLight, kShadow};
    struct Case {
        std::int16_t effect;
        std::vector<std::pair<Point, Rgb>> copies;
    };
    const Rgb T = colors.text;
    const Case cases[] = {
        {0, {{{10, 20}, T}}},
        {1, {{{10, 19}, kLight}, {{11, 20}, T}}},
        {2, {{{10, 19}, kLight}, {{12, 21}, kShadow}, {{11, 20}, T}}},
        {3, {{{11, 20}, kLight}, {{10, 19}, T}}},
        {4, {{{10, 19}, kShadow}, {{12, 21}, kLight}, {{11, 20}, T}}},
        {5, {{{12, 21}, kShadow}, {{10, 19}, T}}},
        {6,
         {{{10, 19}, kLight},
          {{12, 19}, kLight},
          {{10, 21}, kLight},
          {{12, 21}, kLight},
          {{11, 20}, T}}},
        {7, {{{10, 19}, T}, {{11, 19}, T}, {{10, 20}, T}, {{11, 20}, T}}},
    };
    for (const Case& c : cases) {
        RecordingSurface s;
        drawText3D(s, Font3DConstants{c.effect}, Point{10, 20}, "ab", colors);
        ASSERT_EQ(s.calls.size(), c.copies.size()) << "effect " << c.effect;
        for (std::size_t i = 0; i < c.copies.size(); ++i) {
            EXPECT_EQ(s.calls[i].at, c.copies[i].first) << "effect " << c.effect << " #" << i;
            EXPECT_EQ(s.calls[i].colour, c.copies[i].second) << "effect " << c.effect;
            EXPECT_EQ(s.calls[i].text, "ab");
        }
    }
}

} // namespace
} // namespace vantil::test
