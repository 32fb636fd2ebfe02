// The split of the client rectangle into border, caption, input area, button and text.
#include "control/core/paint/Layout.h"
#include "tests/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

TEST(OuterBorderWidth, FollowsTheStyleGroups) {
    struct Case {
        std::int16_t style;
        int expected;
    };
    // Width 3, inner 2, outer 5 keep every group apart.
    const Case cases[] = {{0, 0},  {1, 3},  {2, 3},   {7, 3},   {8, 3},   {4, 4},   {5, 4}, {3, 10},
                          {6, 10}, {9, 10}, {10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(outerBorderWidth(BorderStyleConstants{c.style}, 3, 2, 5), c.expected)
            << "style " << c.style;
    }
}

TEST(Layout, CaptionRatioSplitsTheInteriorAndThe3DBorderShiftsTheInput) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.captionPosition = CaptionPositionConstants::lxcp_左;
    p.captionRatio = 30;
    p.captionSize = 0;
    p.inputAreaBorder = 2;
    const ControlLayout l = computeLayout(p, Rect{0, 0, 200, 24});
    EXPECT_EQ(l.captionRect, (Rect{0, 0, 60, 24}));
    EXPECT_EQ(l.inputRect.left, 62);
    EXPECT_EQ(l.inputRect, (Rect{62, 2, 198, 22}));
    EXPECT_EQ(l.buttonRect, (Rect{182, 2, 198, 22}));
    EXPECT_EQ(l.textRect, (Rect{64, 4, 180, 20}));
}

TEST(Layout, RatioIsTruncatedAndSizeIsClippedAndRatio100Wins) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 1;
    p.borderWidth = 1;
    p.inputAreaBorder = 0;
    p.captionRatio = 33;
    p.captionSize = 0;
    // Interior 101 wide: 33 % is 33.33 pixels, cut to 33.
    EXPECT_EQ(computeLayout(p, Rect{0, 0, 103, 20}).captionRect.width(), 33);
    p.captionSize = 500;
    const ControlLayout clipped = computeLayout(p, Rect{0, 0, 103, 20});
    EXPECT_EQ(clipped.captionRect, (Rect{1, 1, 102, 19}));
    EXPECT_TRUE(clipped.inputRect.empty());
    p.captionRatio = 100;
    p.captionSize = 10;
    const ControlLayout all = computeLayout(p, Rect{0, 0, 103, 20});
    EXPECT_EQ(all.captionRect, all.interior);
    EXPECT_TRUE(all.inputRect.empty());
    EXPECT_TRUE(all.buttonRect.empty());
    EXPECT_TRUE(all.textRect.empty());
}

TEST(Layout, CaptionOnEachSide) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.inputAreaBorder = 0;
    p.focusBorder = 0;
    p.captionSize = 0;
    p.captionRatio = 25;
    struct Case {
        std::int16_t position;
        Rect caption;
        Rect input;
    };
    const Case cases[] = {
        {0, {0, 0, 25, 40}, {25, 0, 100, 40}},
        {1, {75, 0, 100, 40}, {0, 0, 75, 40}},
        {2, {0, 0, 100, 10}, {0, 10, 100, 40}},
        {3, {0, 30, 100, 40}, {0, 0, 100, 30}},
    };
    for (const Case& c : cases) {
        p.captionPosition = CaptionPositionConstants{c.position};
        const ControlLayout l = computeLayout(p, Rect{0, 0, 100, 40});
        EXPECT_EQ(l.captionRect, c.caption) << "position " << c.position;
        EXPECT_EQ(l.inputRect, c.input) << "position " << c.position;
    }
    p.captionRatio = 0;
    EXPECT_TRUE(computeLayout(p, Rect{0, 0, 100, 40}).captionRect.empty());
}

TEST(Layout, FocusBorderZeroGivesTheTextTheInputAreaLessTheButton) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 0;
    p.captionRatio = 0;
    p.captionSize = 0;
    p.inputAreaBorder = 1;
    p.focusBorder = 0;
    const ControlLayout l = computeLayout(p, Rect{0, 0, 120, 22});
    EXPECT_EQ(l.inputRect, (Rect{1, 1, 119, 21}));
    EXPECT_EQ(l.textRect, (Rect{1, 1, 103, 21}));
    p.focusBorder = 3;
    EXPECT_EQ(computeLayout(p, Rect{0, 0, 120, 22}).textRect, (Rect{3, 3, 101, 19}));
}

TEST(Layout, TinyControlsCollapseWithoutTurningInsideOut) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 3;
    p.borderWidth = 10;
    const ControlLayout l = computeLayout(p, Rect{0, 0, 8, 8});
    EXPECT_TRUE(l.interior.empty());
    EXPECT_GE(l.interior.width(), 0);
    EXPECT_TRUE(l.buttonRect.empty());
    EXPECT_GE(l.textRect.width(), 0);
}

TEST(Layout, DefHeightGivesTheHeightThatMakesTheInputAreaThatHigh) {
    ControlProperties p = defaultProperties();
    p.borderStyle = 5;
    p.borderWidth = 2;
    p.inputAreaBorder = 2;
    p.captionPosition = CaptionPositionConstants::lxcp_左;
    const ControlLayout l = computeLayout(p, Rect{0, 0, 200, 30});
    const int h = heightForDefHeight(l, 18);
    EXPECT_EQ(computeLayout(p, Rect{0, 0, 200, h}).inputRect.height(), 18);
}

} // namespace
} // namespace vantil::test
